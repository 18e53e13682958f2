#!/bin/sh
# The real binary through XWayland on KDE's compositor, which passes the X11
# clipboard to Wayland programs only while an X11 window is active: Copy
# reaches X11 and Wayland programs alike, Clear empties the clipboard for
# both whoever owned it, and the copied text outlives the program for
# Wayland programs too.
# Usage: xwayland.sh TESSIVAN
set -eu
. "$(dirname "$0")/desktopsession.sh"
start_desktop kwin xwayland

# x11_clipboard_is TEXT: as clipboard_is, as X11 programs read it.
x11_clipboard_is() {
    read_clipboard='timeout 3 xclip -o -selection clipboard'
    clipboard_is "$1"
    read_clipboard=
}

start_app "$1" QT_QPA_PLATFORM=xcb

atspi set 'Type text for convert here' 'typed in'
press Convert
press 'Copy to Clipboard'
clipboard_is 'TyPeD In'
x11_clipboard_is 'TyPeD In'

printf 'held by another client' >"$work/owned"
copy_in "$work/owned"
clipboard_is 'held by another client'
press Clear
clipboard_is ''
x11_clipboard_is ''
if shown "$TESSIVAN_VENDOR"; then fail "a failure was reported"; fi

atspi set 'Converted text' 'kept'
press 'Copy to Clipboard'
clipboard_is 'kept'
kill -TERM "$app_pid"
await_end
clipboard_is 'kept'
[ -n "$(keepers)" ] || fail "no keeper after the program ended"
end_keys
echo "e2e xwayland (kwin): passed"
