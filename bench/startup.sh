#!/bin/sh
# Start-up to the first shown window and idle memory, against the same
# controls in plain Qt (the toolkit's floor), with a bare Qt window for scale,
# each started in turn on the same X server.
# Usage: startup.sh TESSIVAN PLAIN_FORM BARE_WINDOW FIRST_MAP
set -eu
e2e_dir=$(dirname "$0")/../tests/e2e
. "$e2e_dir/xsession.sh"
start_x
runs=25
for program in "$1" "$2" "$3"; do
    "$4" "$program" >/dev/null # warm the page cache
done
# In turns, so that whatever else the machine does weighs on all alike.
for _ in $(seq $runs); do
    for program in "$1" "$2" "$3"; do
        "$4" "$program" >>"$work/$(basename "$program")"
    done
done
median_of() {
    cut -d' ' -f"$1" "$work/$(basename "$2")" | median
}
echo
echo "Start-up to the first shown window and idle memory (median of $runs runs)"
awk -v a="$(median_of 1 "$1")" -v p="$(median_of 1 "$2")" -v b="$(median_of 1 "$3")" \
    -v am="$(median_of 2 "$1")" -v pm="$(median_of 2 "$2")" -v bm="$(median_of 2 "$3")" 'BEGIN {
    printf "%-10s %10s %10s %7s %7s %10s\n", "", "tessivan", "plain Qt", "ratio", "bound", "bare Qt"
    printf "%-10s %10.1f %10.1f %7.2f %7.2f %10.1f %s\n", "start ms", a, p, a / p, 1.1, b, (a / p <= 1.1) ? "met" : "MISSED"
    printf "%-10s %10d %10d %7.2f %7.2f %10d %s\n", "idle KiB", am, pm, am / pm, 1.02, bm, (am / pm <= 1.02) ? "met" : "MISSED"
}'
