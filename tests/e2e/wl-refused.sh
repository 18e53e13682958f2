#!/bin/sh
# A compositor refuses a selection request that carries no input serial of
# its own: buttons pressed through AT-SPI, as a screen reader does, before any
# input has reached the window. "Clear" empties the clipboard all the same,
# through data-control, whoever owns it. "Copy to Clipboard" empties it too,
# then says that the text was not taken rather than report success, and the
# program keeps running; pressed after an input event, it works.
set -eu
. "$(dirname "$0")/waylandsession.sh"
start_wayland
atspi ready
printf 'held by wl-copy' >"$work/owned"
copy_in "$work/owned"
start_app "$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

atspi press Clear || fail "could not press Clear through AT-SPI"
clipboard_is ''
sleep 0.5
if shown "$TESSIVAN_VENDOR"; then fail "Clear reported a failure"; fi

copy_in "$work/owned"
atspi press 'Copy to Clipboard' || fail "could not press the button through AT-SPI"
message_box
clipboard_is ''
alive

# After an input event the compositor takes it.
click $TEXT1_AT
type_text 'ab'
click $CONVERT_AT
click $COPY_AT
clipboard_is 'Ab'
echo "e2e wl-refused: passed"
