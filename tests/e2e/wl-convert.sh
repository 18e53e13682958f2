#!/bin/sh
# The real binary, native on a headless sway: the window as the compositor
# sees it, text pasted in from a real clipboard client, converted, copied
# and read back byte for byte.
set -eu
. "$(dirname "$0")/waylandsession.sh"
start_wayland
start_app "$1"

# Title, app id, the fixed content size, and floating (a tiling compositor
# floats a window that cannot be resized).
set -- $(window_titled Tessivan)
[ "$1" = "$TESSIVAN_APP_ID" ] || fail "app id $1"
[ "$4x$5" = 321x297 ] || fail "content size $4x$5"
[ "$6" = True ] || fail "not floating"

printf 'hello мир 😀\302\240ab\nline two' >"$work/input"
copy_in "$work/input"
click $TEXT1_AT
keys ctrl+v
click $CONVERT_AT
click $CONVERT_AT
click $COPY_AT
once=$(printf 'HeLlO МиР 😀\302\240Ab\nLiNe tWo')
clipboard_is "$once$once"
for type in 'text/plain;charset=utf-8' text/plain; do
    [ "$(paste "$type")" = "$once$once" ] || fail "the $type differs"
done

# Typed in, Cyrillic included, and copied by keyboard alone.
click $CLEAR_AT
clipboard_is ''
click $TEXT1_AT
type_text 'привет'
keys Tab Tab Tab space Tab space
clipboard_is 'ПрИвЕт'
echo "e2e wl-convert: passed"
