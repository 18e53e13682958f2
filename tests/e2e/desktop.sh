#!/bin/sh
# The real binary natively on GNOME's or KDE's compositor, headless: the
# window as the compositor was told it; Copy, the e-mail address and Clear
# with another client owning the clipboard, pressed through AT-SPI before
# any input (taken for real, or refused and said so with the other client's
# text kept) and afterwards by real keys; the text kept after the
# compositor's close and after SIGTERM.
# Usage: desktop.sh mutter|kwin TESSIVAN
set -eu
. "$(dirname "$0")/desktopsession.sh"
start_desktop "$1"
shift
printf 'held by another client' >"$work/owned"
copy_in "$work/owned"
start_app "$1"

told 'set_title("Tessivan")'
told "set_app_id(\"$TESSIVAN_APP_ID\")"
told 'set_max_size(321, 297)'
told 'set_min_size(321, 297)'
# KWin draws the title bar, as on every Plasma desktop (server-side mode, 2).
[ "$desktop" = mutter ] || grep -q ' zxdg_toplevel_decoration_v1[^ .]*\.configure(2)$' "$work/app.log" ||
    fail "KWin left the title bar to the program"

# Before any input, through AT-SPI.
atspi set 'Converted text' 'before input'
atspi press 'Copy to Clipboard' || fail "could not press Copy through AT-SPI"
sleep 1
if shown "$TESSIVAN_VENDOR"; then
    message_box
    clipboard_is 'held by another client'
else
    clipboard_is 'before input'
fi

# Each press ends with exactly its text on the clipboard, whoever held it.
copy_in "$work/owned"
atspi set 'Type text for convert here' 'typed in'
press Convert
press 'Copy to Clipboard'
clipboard_is 'before inputTyPeD In'
copy_in "$work/owned"
# The label takes no focus: a real key first, as a click would give, for
# Mutter takes no selection older than the other client's.
atspi focus 'Type text for convert here'
real_keys 42
atspi press "$CONTACT_MAIL" || fail "could not press the e-mail address"
message_box
clipboard_is "$CONTACT_MAIL"
copy_in "$work/owned"
press Clear
clipboard_is ''
if shown "$TESSIVAN_VENDOR"; then fail "a failure was reported"; fi

# The copied text outlives the program, closed by the compositor or ended
# by SIGTERM: KWin has the keeper serve it, Mutter keeps it itself.
atspi set 'Type text for convert here' 'kept'
press Convert
press 'Copy to Clipboard'
clipboard_is 'KePt'
close_app
clipboard_is 'KePt'
start_app "$1"
atspi set 'Converted text' 'after SIGTERM'
press 'Copy to Clipboard'
clipboard_is 'after SIGTERM'
kill -TERM "$app_pid"
await_end
clipboard_is 'after SIGTERM'
[ "$desktop" = mutter ] || [ -n "$(keepers)" ] || fail "no keeper after the program ended"
end_keys
echo "e2e desktop ($desktop): passed"
