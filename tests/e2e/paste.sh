#!/bin/sh
# Pasting from every state the clipboard and the primary selection can be in
# inserts the text there is, or nothing, and the program goes on with the
# box intact; an owner that stalls holds it up for about one clipboard timeout.
set -eu
. "$(dirname "$0")/xsession.sh"
start_x
start_app "$1"
click $TEXT1_AT
type_text 'kept'

# box_is TEXT: the upper box holds exactly TEXT, read through its own copy.
box_is() {
    click $TEXT1_AT
    keys ctrl+a ctrl+c
    clipboard_is "$1"
    keys ctrl+End
}

# A fresh session: nothing on the clipboard, no primary selection.
keys ctrl+v shift+Insert
xdotool click 2
sleep 0.3
alive
box_is 'kept'

# After Clear, which empties the clipboard.
click $CLEAR_AT
click $TEXT1_AT
type_text 'kept'
keys ctrl+v
alive

# Owners that refuse, list nothing, hold only an image, or send invalid UTF-8.
for mode in refuses lists-nothing; do
    start_helper owner "$HOSTILE_OWNER" "$mode"
    helper_says owner ready
    keys ctrl+v
    alive
    box_is 'kept'
    helper_ended_well owner
done
printf '\211PNG\r\n' >"$work/image"
copy_in "$work/image" image/png
keys ctrl+v
alive
printf '\041\377\041' >"$work/invalid"
copy_in "$work/invalid" UTF8_STRING
keys ctrl+v
box_is "$(printf 'kept!\357\277\275!')"

# An owner that offers text and never sends it.
start_helper owner "$HOSTILE_OWNER" stalls
helper_says owner ready
click $TEXT1_AT
start=$(date +%s)
keys ctrl+v
type_text '.'
box_is "$(printf 'kept!\357\277\275!.')"
waited=$(($(date +%s) - start))
[ "$waited" -le 8 ] || fail "a stalled owner held the paste up for $waited s"
helper_ended_well owner
echo "e2e paste: passed (a stalled owner: $waited s)"
