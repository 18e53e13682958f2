#!/bin/sh
# Buttons pressed through AT-SPI, as a screen reader does, before any key or
# click has reached the window, with another client's text on the
# clipboard: the program copies with the serial of the keyboard focus it was
# given, which sway takes. "Clear" empties the clipboard, through
# data-control where sway refuses, whoever owns it, and "Copy to Clipboard"
# replaces the other client's text, neither reporting a failure; pressed
# after an input event, it works too.
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
atspi set 'Converted text' 'read out'
atspi press 'Copy to Clipboard' || fail "could not press the button through AT-SPI"
clipboard_is 'read out'
sleep 0.5
if shown "$TESSIVAN_VENDOR"; then fail "Copy reported a failure"; fi

# After an input event the compositor takes it.
click $TEXT1_AT
type_text 'ab'
click $CONVERT_AT
click $COPY_AT
clipboard_is 'read outAb'
echo "e2e wl-refused: passed"
