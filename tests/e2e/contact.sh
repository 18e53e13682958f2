#!/bin/sh
# The contact row: the web host reaches a URL handler registered through XDG,
# the e-mail address reaches a real clipboard client, a screen reader reads
# both as links and follows them through AT-SPI, and a missing browser is
# reported without ending the program.
set -eu
. "$(dirname "$0")/xsession.sh"
start_x

record_urls
atspi ready
start_app "$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

click $SITE_AT
opened_are "$CONTACT_ADDRESS"
xdotool mousemove --window "$window" $SITE_AT click --repeat 2 --delay 80 1
sleep 1
opened_are "$(printf '%s\n%s' "$CONTACT_ADDRESS" "$CONTACT_ADDRESS")"

# The e-mail address replaces what another program held.
copy_text 'held by xclip'
click $MAIL_AT
clipboard_is "$CONTACT_MAIL"
has_fixed_frame "$TESSIVAN_VENDOR"
message_box
clipboard_is "$CONTACT_MAIL"

# To a screen reader: a frame named by its title, separators, and the two
# links, each labelled by its caption; nothing hidden. Pressed, each does
# what a click does.
atspi tree >"$work/tree" || fail "no accessibility tree"
expect_in_tree() { grep -qx "$1" "$work/tree" || fail "no \"$1\" in the tree: $(cat "$work/tree")"; }
expect_in_tree "frame 'Tessivan'"
expect_in_tree "  link '$CONTACT_SITE' \[Press, labelled by 'Autor: '\]"
expect_in_tree "  link '$CONTACT_MAIL' \[Press, labelled by 'Mail: '\]"
[ "$(grep -c "^  separator 'Separator'$" "$work/tree")" = 2 ] || fail "not two separators: $(cat "$work/tree")"
if grep -q "scroll bar" "$work/tree"; then fail "hidden scroll bars in the tree"; fi
atspi press "$CONTACT_SITE"
opened_are "$(printf '%s\n%s\n%s' "$CONTACT_ADDRESS" "$CONTACT_ADDRESS" "$CONTACT_ADDRESS")"
copy_text 'held by xclip'
atspi press "$CONTACT_MAIL"
clipboard_is "$CONTACT_MAIL"
message_box
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# xdg-open there, but no browser for it to start: reported as well.
start_app "$1" XDG_DATA_DIRS="$work/none" XDG_DATA_HOME="$work/none" XDG_CONFIG_HOME="$work/none" BROWSER=false
click $SITE_AT
message_box
alive
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# Without any way to open a browser the click is reported, and the text stays.
start_app "$1" PATH=/nonexistent
copy_text 'still here'
click $TEXT1_AT
keys ctrl+v
click $SITE_AT
message_box
alive
click $TEXT1_AT
keys ctrl+a ctrl+c
sleep 0.2
clipboard_is 'still here'
echo "e2e contact: passed"
