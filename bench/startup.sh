#!/bin/sh
# Start-up to the first shown window and idle memory, against the same
# controls in plain Qt (the toolkit's floor), with a bare Qt window for scale,
# each started in turn on the same X server. The bound is on the first frame,
# when the user first sees the window; the map comes a frame's drawing before.
# Usage: startup.sh TESSIVAN PLAIN_FORM BARE_WINDOW FIRST_SHOWN
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
echo "Start-up and idle memory (median of $runs runs)"
printf "%-16s %10s %10s %7s %7s %10s\n" "" tessivan "plain Qt" ratio bound "bare Qt"
row() { # NAME FIELD FORMAT [BOUND]
    awk -v name="$1" -v a="$(median_of "$2" "$prog")" -v p="$(median_of "$2" "$plain")" \
        -v b="$(median_of "$2" "$bare")" -v f="$3" -v bound="${4:-}" 'BEGIN {
        verdict = bound == "" ? "" : (a / p <= bound) ? "met" : "MISSED"
        printf "%-16s " f " " f " %7.2f %7s " f " %s\n", name, a, p, a / p, bound, b, verdict
    }'
}
prog=$1 plain=$2 bare=$3
row "mapped ms" 1 %10.1f
row "first frame ms" 2 %10.1f 1.1
row "idle KiB" 3 %10d 1.02
