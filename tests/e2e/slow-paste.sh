#!/bin/sh
# Pastes that Qt sends in pieces, under way when the window closes: a slow
# reader still gets the whole text and its end, a stalled one is given up,
# and the program ends by itself once neither is served.
set -eu
. "$(dirname "$0")/xsession.sh"
# Requests of at most 4 MiB: Qt sends a larger text in pieces (INCR).
start_x -maxbigreqsize 1
unit='жжaéё яq'
megabyte_lines "$unit$unit$unit$unit$unit" >"$work/big"
unit='ЖжAéЁ Яq'
megabyte_lines "$unit$unit$unit$unit$unit" >"$work/big-converted"
copy_megabyte "$1"

"$SLOW_PASTE" 200 >"$work/slow" &
slow_pid=$!
"$SLOW_PASTE" 60000 >/dev/null &
stalled_pid=$!
sleep 0.3
ask_to_close || fail "could not ask the window to close"
wait_until 2 window_gone || fail "the window did not go at once"
clipboard_holds "$work/big-converted"
wait_until 10 ended "$slow_pid" || fail "the slow paste never ended"
wait "$slow_pid" || fail "the slow paste failed"
cmp -s "$work/slow" "$work/big-converted" || fail "the slow paste got $(wc -c <"$work/slow") bytes"
wait_until 8 ended "$app_pid" || fail "the program did not end"
app_ended_well
kill "$stalled_pid"
echo "e2e slow-paste: passed"
