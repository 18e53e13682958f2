#!/bin/sh
# The contact row: the web host reaches a URL handler registered through XDG,
# the e-mail address reaches a real clipboard client, and a missing browser is
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

start_app "$1"

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

# The e-mail address replaces what another program held.
printf 'held by xclip' | xclip -selection clipboard
click $MAIL_AT
clipboard_is "$CONTACT_MAIL"
message=$(xdotool search --sync --onlyvisible --name "^$TESSIVAN_VENDOR$" | head -n 1)
[ -n "$message" ] || fail "no message box titled $TESSIVAN_VENDOR"
xdotool windowfocus --sync "$message" key Return
sleep 0.3
if xdotool search --onlyvisible --name "^$TESSIVAN_VENDOR$" >/dev/null; then fail "the message box stayed"; fi
clipboard_is "$CONTACT_MAIL"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true

# Without any way to open a browser the click is reported, and the text stays.
start_app "$1" PATH=/nonexistent
printf 'still here' | xclip -selection clipboard
click $TEXT1_AT
xdotool key ctrl+v
click $SITE_AT
message=$(xdotool search --sync --onlyvisible --name "^$TESSIVAN_VENDOR$" | head -n 1)
xdotool windowfocus --sync "$message" key Return
sleep 0.3
kill -0 "$app_pid" || fail "the program ended"
click $TEXT1_AT
xdotool key ctrl+a ctrl+c
sleep 0.2
clipboard_is 'still here'
echo "e2e contact: passed"
