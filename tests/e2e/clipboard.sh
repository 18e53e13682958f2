#!/bin/sh
# The real binary on a bare X server, against real clipboard clients: its
# title, frame and icon as the window system sees them; text pasted in,
# converted twice and read back; "Copy to Clipboard", "Clear", and the boxes'
# own copy and cut.
set -eu
. "$(dirname "$0")/xsession.sh"
start_x
start_app "$1"

for property in _NET_WM_NAME WM_NAME; do
    title=$(xprop -id "$window" "$property")
    case "$title" in
        *'= "Tessivan"') ;;
        *) fail "$property is $title" ;;
    esac
done
has_fixed_frame Tessivan
# Every rendering whole, as built: not scaled, not premultiplied.
for side in $(ls "$ICON_PIXELS" | sort -n); do
    echo "$side $side"
    od -An -tu4 -v "$ICON_PIXELS/$side"
done | tr -s ' \n' '\n\n' | sed '/^$/d' >"$work/icon.built"
xprop -id "$window" -notype -len 4000000 32c _NET_WM_ICON | sed 's/^[^=]*= //; s/, /\n/g' >"$work/icon.shown"
cmp -s "$work/icon.built" "$work/icon.shown" || fail "_NET_WM_ICON is not the renderings"

printf 'hello world\r\nпривет мир, ǅ ß' >"$work/pasted"
copy_in "$work/pasted"
click $TEXT1_AT
keys ctrl+v
click $CONVERT_AT
click $CONVERT_AT
click $TEXT2_AT
keys ctrl+a ctrl+c
once='HeLlO WoRlD
пРиВеТ МиР, ǆ ß'
clipboard_is "$once$once"
click $CLEAR_AT
clipboard_is ''

# With a no-break space, which every copy keeps.
printf 'Line one:\302\240ünïcödé €\r\nline two\tend\r\n\r\n日本語 𐐨𐐨' >"$work/lines"
copy_in "$work/lines"
click $TEXT1_AT
keys ctrl+v
click $CONVERT_AT
# Select a part of the output and put the focus elsewhere: Copy takes it all.
click $TEXT2_AT
keys shift+Left shift+Left
click $TEXT1_AT
click $COPY_AT
clipboard_is "$(printf 'LiNe oNe:\302\240ÜnÏcÖdÉ €\nlInE TwO\tEnD\n\n日本語 𐐨𐐀')"

# The boxes' own copy and cut give the same characters.
click $TEXT2_AT
keys ctrl+a ctrl+c
clipboard_is "$(printf 'LiNe oNe:\302\240ÜnÏcÖdÉ €\nlInE TwO\tEnD\n\n日本語 𐐨𐐀')"
click $TEXT1_AT
keys ctrl+a ctrl+x
clipboard_is "$(printf 'Line one:\302\240ünïcödé €\nline two\tend\n\n日本語 𐐨𐐨')"

# Another program takes the clipboard; Clear empties it all the same.
copy_text 'owned by xclip'
clipboard_is 'owned by xclip'
click $CLEAR_AT
clipboard_is ''
sleep 0.3
if pgrep -P $$ xclip >/dev/null; then fail "xclip still owns the clipboard"; fi

# Copy of the now empty output leaves an empty clipboard.
copy_text 'owned again'
click $COPY_AT
clipboard_is ''
echo "e2e clipboard: passed"
