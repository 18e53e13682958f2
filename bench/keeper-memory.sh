#!/bin/sh
# The X11 keeper's resident memory holding a 20 MB text, before and at its
# peak while 100 pastes from one client stall unread, against its bounds.
# Usage: keeper-memory.sh TESSIVAN STALLED_REQUESTS
set -eu
e2e_dir=$(dirname "$0")/../tests/e2e
. "$e2e_dir/xsession.sh"
start_x
find_keeper "$1"
head -c 15000000 /dev/urandom | base64 -w 0 >"$work/text"
start_keeper "$work/text"
before=$(rss "$keeper_pid")
"$2" 100 6 &
peak=$before
for _ in $(seq 40); do
    now=$(rss "$keeper_pid")
    [ "$now" -le "$peak" ] || peak=$now
    sleep 0.15
done
bytes=$(wc -c <"$work/text")
text=$((bytes / 1024))
echo
echo "X11 keeper holding $((bytes / 1000000)) MB: $before KiB resident (bound: the text + 6 MiB = $((text + 6144)) KiB)"
echo "with 100 stalled pastes at most $peak KiB (bound: twice the text + 6 MiB = $((2 * text + 6144)) KiB)"
