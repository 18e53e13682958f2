#!/bin/sh
# What the clipboard keeper costs: closing the window with 1 MiB on the
# clipboard (handed to the keeper) against closing after Clear (nothing to
# hand over), in turns on one X server, and the keeper's resident memory.
# Then the same close with a stand-in clipboard manager that works (it takes
# the text) and one that hangs (the keeper takes it after a second).
# Usage: handover.sh TESSIVAN CLOSE_WINDOW CLIPBOARD_MANAGER
set -eu
e2e_dir=$(dirname "$0")/../tests/e2e
. "$e2e_dir/xsession.sh"
start_x
CLOSE_WINDOW=$2
CLIPBOARD_MANAGER=$3
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
            rss "$keeper" >>"$work/rss"
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

for _ in $(seq $runs); do
    for manager in works hangs; do
        start_manager $manager
        start_app "$1"
        copy_converted "$work/input"
        sleep 0.3
        close_ms >>"$work/manager-$manager"
        kill "$manager_pid"
        wait "$manager_pid" 2>/dev/null || true
        printf 'x' | xclip -selection clipboard
        sleep 0.3
    done
done
awk -v w="$(median <"$work/manager-works")" -v h="$(median <"$work/manager-hangs")" 'BEGIN {
    printf "close to exit with a clipboard manager that works: %d ms; that hangs: %d ms (target about 1000)\n", w, h
}'
