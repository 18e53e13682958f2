#!/bin/sh
# The real binary on a bare X server: its title as the window system sees it,
# text pasted in from a real clipboard client, converted and read back.
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

printf 'hello world\r\nпривет мир, ǅ ß' | xclip -selection clipboard
click $TEXT1_AT
xdotool key ctrl+v
click $CONVERT_AT
click $CONVERT_AT

# Read the result back with the box's own copy, through the real clipboard.
click $TEXT2_AT
xdotool key ctrl+a ctrl+c
sleep 0.2
once='HeLlO WoRlD
пРиВеТ МиР, ǆ ß'
clipboard_is "$once$once"
echo "e2e convert: passed"
