#!/bin/sh
# Start-up to the first shown window and idle memory, beside a bare Qt window,
# each started in turn on the same X server. Usage: startup.sh TESSIVAN BARE FIRST_MAP
set -eu
e2e_dir=$(dirname "$0")/../tests/e2e
. "$e2e_dir/xsession.sh"
start_x
runs=25
"$3" "$2" >/dev/null # warm the page cache
"$3" "$1" >/dev/null
# In turns, so that whatever else the machine does weighs on both alike.
for _ in $(seq $runs); do
    "$3" "$2" >>"$work/$(basename "$2")"
    "$3" "$1" >>"$work/$(basename "$1")"
done
bare_ms=$(cut -d' ' -f1 "$work/$(basename "$2")" | median)
app_ms=$(cut -d' ' -f1 "$work/$(basename "$1")" | median)
bare_kib=$(cut -d' ' -f2 "$work/$(basename "$2")" | median)
app_kib=$(cut -d' ' -f2 "$work/$(basename "$1")" | median)
echo
echo "Start-up to the first shown window and idle memory (median of $runs runs)"
awk -v a="$app_ms" -v b="$bare_ms" -v am="$app_kib" -v bm="$bare_kib" 'BEGIN {
    printf "%-10s %10s %10s %7s %7s\n", "", "tessivan", "bare Qt", "ratio", "target"
    printf "%-10s %10.1f %10.1f %7.2f %7.2f %s\n", "start ms", a, b, a / b, 1.3, (a / b <= 1.3) ? "met" : "MISSED"
    printf "%-10s %10d %10d %7.2f %7.2f %s\n", "idle KiB", am, bm, am / bm, 1.2, (am / bm <= 1.2) ? "met" : "MISSED"
}'
