#!/bin/sh
# The contact row: the web host reaches a URL handler registered through XDG,
# the e-mail address reaches a real clipboard client, a screen reader reads
# both as links and follows them through AT-SPI, and a missing browser is
# reported without ending the program.
set -eu
. "$(dirname "$0")/xsession.sh"
start_x

# A handler for http that records each address it is asked to open.
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
cat >"$work/record-url" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
SCRIPT
chmod +x "$work/record-url"
cat >"$XDG_DATA_HOME/applications/record-url.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Record URL
Exec=$work/record-url %u
MimeType=x-scheme-handler/http;
DESKTOP
printf '[Default Applications]\nx-scheme-handler/http=record-url.desktop\n' >"$XDG_CONFIG_HOME/mimeapps.list"
: >"$work/opened"

atspi() { /usr/bin/python3 "$(dirname "$0")/atspi.py" "$@"; }
atspi ready
start_app "$1" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

opened_are() {
    for _ in $(seq 50); do
        [ "$(cat "$work/opened")" = "$1" ] && return 0
        sleep 0.1
    done
    fail "opened '$(cat "$work/opened")', expected '$1'"
}

click $SITE_AT
opened_are "$CONTACT_ADDRESS"
xdotool mousemove --window "$window" $SITE_AT click --repeat 2 --delay 80 1
sleep 1
opened_are "$(printf '%s\n%s' "$CONTACT_ADDRESS" "$CONTACT_ADDRESS")"

# dismiss_message: the message box is shown, and goes with Return.
dismiss_message() {
    message=$(xdotool search --sync --onlyvisible --name "^$TESSIVAN_VENDOR$" | head -n 1)
    [ -n "$message" ] || fail "no message box titled $TESSIVAN_VENDOR"
    xdotool windowfocus --sync "$message" key Return
    sleep 0.3
    if xdotool search --onlyvisible --name "^$TESSIVAN_VENDOR$" >/dev/null; then fail "the message box stayed"; fi
}

# The e-mail address replaces what another program held.
printf 'held by xclip' | xclip -selection clipboard
click $MAIL_AT
clipboard_is "$CONTACT_MAIL"
dismiss_message
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
printf 'held by xclip' | xclip -selection clipboard
atspi press "$CONTACT_MAIL"
clipboard_is "$CONTACT_MAIL"
dismiss_message
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# xdg-open there, but no browser for it to start: reported as well.
start_app "$1" XDG_DATA_DIRS="$work/none" XDG_DATA_HOME="$work/none" XDG_CONFIG_HOME="$work/none" BROWSER=false
click $SITE_AT
dismiss_message
alive
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# Without any way to open a browser the click is reported, and the text stays.
start_app "$1" PATH=/nonexistent
printf 'still here' | xclip -selection clipboard
click $TEXT1_AT
xdotool key ctrl+v
click $SITE_AT
dismiss_message
kill -0 "$app_pid" || fail "the program ended"
click $TEXT1_AT
xdotool key ctrl+a ctrl+c
sleep 0.2
clipboard_is 'still here'
echo "e2e contact: passed"
