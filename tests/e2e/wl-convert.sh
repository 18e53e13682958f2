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

# The hand pointer over the two clickable labels, and only there: its blue
# cuff in the compositor's picture of the pointer.
shows_hand() {
    click "$1" "$2" 0
    sleep 0.3
    set -- $((${origin% *} + $1)) $((${origin#* } + $2))
    grim -c -t ppm -g "$(($1 - 16)),$(($2 - 4)) 48x48" - | /usr/bin/python3 -c '
import sys
data = sys.stdin.buffer.read()
fields, at = [], 0
while len(fields) < 4:  # magic, width, height, maximum; one space, then the pixels
    while data[at:at + 1].isspace():
        at += 1
    start = at
    while not data[at:at + 1].isspace():
        at += 1
    fields.append(data[start:at])
pixels = data[at + 1:]
cuff = {bytes((0x00, 0x00, 0xC0)), bytes((0x40, 0x60, 0xFF))}
sys.exit(0 if any(pixels[i:i + 3] in cuff for i in range(0, len(pixels), 3)) else 1)'
}
shows_hand $SITE_AT || fail "no hand pointer over the web host"
shows_hand $MAIL_AT || fail "no hand pointer over the e-mail address"
if shows_hand 20 16; then fail "a hand pointer over the static caption"; fi

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
