#!/bin/sh
# SIGTERM, SIGINT and SIGHUP end the program as a close does: it ends well
# and the text it copied stays on the clipboard. A signal it was started
# with ignored stays ignored.
set -eu
. "$(dirname "$0")/xsession.sh"
start_x

for signal in TERM:TeRm INT:InT HUP:HuP; do
    # A shell starts background jobs with SIGINT ignored.
    launcher="env --default-signal=${signal%:*}"
    start_app "$1"
    copy_typed "${signal%:*}"
    clipboard_is "${signal#*:}"
    kill -"${signal%:*}" "$app_pid"
    await_end
    clipboard_is "${signal#*:}"
done
another_client_copies

launcher="env --ignore-signal=HUP"
start_app "$1"
kill -HUP "$app_pid"
sleep 0.5
alive
kill -TERM "$app_pid"
await_end
[ ! -s "$work/app.log" ] || fail "the program printed: $(cat "$work/app.log")"
echo "e2e signals: passed"
