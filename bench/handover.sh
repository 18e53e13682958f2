#!/bin/sh
# What the clipboard keeper costs: closing the window with 1 MiB on the
# clipboard (handed to the keeper) against closing after Clear (nothing to
# hand over), in turns on one X server, and the keeper's resident memory.
# Usage: handover.sh TESSIVAN CLOSE_WINDOW
set -eu
e2e_dir=$(dirname "$0")/../tests/e2e
. "$e2e_dir/xsession.sh"
start_x
CLOSE_WINDOW=$2
runs=9
megabyte_lines 'жжaéё яq' >"$work/input"
for _ in $(seq $runs); do
    for mode in kept cleared; do
        start_app "$1"
        copy_converted "$work/input"
        [ $mode = kept ] || click $CLEAR_AT
        sleep 0.3
        close_ms >>"$work/$mode"
        if [ $mode = kept ]; then
            keeper=$(keepers)
            [ -n "$keeper" ] || fail "no keeper"
            sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$keeper/status" >>"$work/rss"
            printf 'x' | xclip -selection clipboard
            sleep 0.3
        fi
    done
done
echo
echo "Closing the window, 1 MiB copied (median of $runs runs)"
awk -v k="$(median <"$work/kept")" -v c="$(median <"$work/cleared")" -v r="$(median <"$work/rss")" 'BEGIN {
    printf "close to exit, handed to the keeper: %d ms; after Clear: %d ms; hand-over %d ms (target < 1000)\n", k, c, k - c
    printf "keeper resident memory: %d KiB\n", r
}'
