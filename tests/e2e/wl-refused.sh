#!/bin/sh
# A compositor refuses a selection that carries no input serial of its own:
# "Copy to Clipboard" pressed through AT-SPI, as a screen reader does, before
# any input has reached the window. The program must say so rather than
# report success, keep its text, and keep running; pressed after an input
# event, the same button works.
set -eu
. "$(dirname "$0")/waylandsession.sh"
start_wayland
atspi ready
printf 'held by wl-copy' >"$work/owned"
copy_in "$work/owned"
start_app "$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

atspi press 'Copy to Clipboard' || fail "could not press the button through AT-SPI"
message_box
clipboard_is 'held by wl-copy'
alive

# After an input event the compositor takes it.
click $TEXT1_AT
type_text 'ab'
click $CONVERT_AT
click $COPY_AT
clipboard_is 'Ab'
echo "e2e wl-refused: passed"
