#!/bin/sh
# What keeping the clipboard costs on Wayland: the time from the compositor's
# close request to the program's end with 1 MiB copied (handed to
# tessivan-keeper-wayland) against after Clear (nothing to hand over), in
# turns on one headless sway; and the keeper's resident memory beside that of
# wl-copy holding the same text.
# Usage: handover-wayland.sh TESSIVAN WL_CLICK
set -eu
e2e_dir=$(dirname "$0")/../tests/e2e
. "$e2e_dir/waylandsession.sh"
WL_CLICK=$2
TESSIVAN_APP_ID=${TESSIVAN_APP_ID:-org.example.Tessivan}
start_wayland
runs=9
megabyte_lines 'жжaéё яq' >"$work/input"
megabyte_lines 'ЖжAéЁ Яq' >"$work/expected"

for _ in $(seq $runs); do
    for mode in kept cleared; do
        start_app "$1"
        copy_converted "$work/input"
        clipboard_holds "$work/expected"
        [ $mode = kept ] || click $CLEAR_AT
        sleep 0.3
        close_ms >>"$work/$mode"
        if [ $mode = kept ]; then
            keeper=$(keepers)
            [ -n "$keeper" ] || fail "no keeper"
            rss "$keeper" >>"$work/rss"
            wl-copy <"$work/expected"
            sleep 0.3
            rss "$(pgrep -n -x wl-copy)" >>"$work/wl-copy-rss"
            wl-copy --clear
            sleep 0.3
        fi
    done
done
echo
echo "Closing the window on Wayland, 1 MiB copied (median of $runs runs)"
awk -v k="$(median <"$work/kept")" -v c="$(median <"$work/cleared")" \
    -v r="$(median <"$work/rss")" -v w="$(median <"$work/wl-copy-rss")" 'BEGIN {
    printf "close request to exit, handed to the keeper: %d ms; after Clear: %d ms; hand-over %d ms (target < 1000)\n", k, c, k - c
    printf "resident memory holding the text: tessivan-keeper-wayland %d KiB, wl-copy %d KiB\n", r, w
}'
