#!/bin/sh
# "Copy to Clipboard", "Clear" and the e-mail address natively on Wayland,
# against real clipboard clients.
set -eu
. "$(dirname "$0")/waylandsession.sh"
start_wayland
start_app "$1"

# Another client owns the clipboard; Clear empties it all the same, and
# that client lets it go.
printf 'owned by wl-copy' >"$work/owned"
copy_in "$work/owned"
clipboard_is 'owned by wl-copy'
click $CLEAR_AT
clipboard_is ''
[ -z "$(paste text/plain)" ] || fail "text/plain is not empty"
sleep 0.3
if pgrep -P $$ wl-copy >/dev/null; then fail "wl-copy still owns the clipboard"; fi
# A paste from the emptied clipboard inserts nothing, and the program goes on.
click $TEXT1_AT
keys ctrl+v
alive

# Copy of an empty output box leaves an empty clipboard.
copy_in "$work/owned"
click $COPY_AT
clipboard_is ''

# The e-mail address replaces what another client held, and a message says so.
copy_in "$work/owned"
click $MAIL_AT
clipboard_is "$CONTACT_MAIL"
message_box
clipboard_is "$CONTACT_MAIL"
kill -0 "$app_pid" || fail "the program ended"
echo "e2e wl-clipboard: passed"
