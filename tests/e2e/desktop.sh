#!/bin/sh
# The real binary natively on GNOME's or KDE's compositor, headless: the
# window as the compositor was told it; Copy, the e-mail address and Clear
# with another client owning the clipboard, pressed through AT-SPI before
# any input (taken for real, or refused and said so with the other client's
# text kept) and afterwards by real keys; a paste that reads nothing
# holding nothing up; the text kept after the compositor's close and after
# SIGTERM.
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

# A paste that reads nothing holds neither the window nor other pastes:
# a new paste is served whole, and Clear takes effect meanwhile.
# Twice as long as the pipes between hold, in two conversions, as an
# argument holds no more than 128 KiB; one line, selected whole, which the
# input method is told only part of.
printf '%0100000d' 0 >"$work/half"
cat "$work/half" "$work/half" >"$work/long"
atspi set 'Type text for convert here' "$(cat "$work/half")"
press Convert
press Convert
press 'Copy to Clipboard'
clipboard_holds "$work/long"
atspi focus 'Converted text'
real_keys 29 30
stalled_paste
clipboard_holds "$work/long"
press Clear
clipboard_is ''
end_stalled_paste

# The copied text outlives the program, closed by the compositor while a
# paste stalls, or ended by SIGTERM: KWin has the keeper serve it, Mutter
# keeps it itself.
atspi set 'Type text for convert here' "$(cat "$work/half")"
press Convert
press Convert
press 'Copy to Clipboard'
clipboard_holds "$work/long"
close_during_stalled_paste "$work/long"
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
