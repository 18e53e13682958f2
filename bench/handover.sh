#!/bin/sh
# What keeping the clipboard costs, on an X server or a headless sway: the
# time from the close request to the program's end with 1 MiB copied (handed
# to the keeper) against after Clear (nothing to hand over), in turns, and the
# keeper's resident memory beside that of another client (xclip, wl-copy)
# holding the same text. On X11 also the close with a stand-in clipboard
# manager that works (it takes the text) and one that hangs (the keeper takes
# it after a second).
# Usage: handover.sh x11 TESSIVAN CLOSE_WINDOW CLIPBOARD_MANAGER
#        handover.sh wayland TESSIVAN WL_CLICK
set -eu
e2e_dir=$(dirname "$0")/../tests/e2e
system=$1
shift
if [ "$system" = x11 ]; then
    . "$e2e_dir/xsession.sh"
    CLOSE_WINDOW=$2 CLIPBOARD_MANAGER=$3 other=xclip
    start_x
else
    . "$e2e_dir/waylandsession.sh"
    WL_CLICK=$2 other=wl-copy
    TESSIVAN_APP_ID=${TESSIVAN_APP_ID:-org.example.Tessivan}
    start_wayland
fi
runs=9
megabyte_texts
for _ in $(seq $runs); do
    for mode in kept cleared; do
        copy_megabyte "$1"
        [ $mode = kept ] || click $CLEAR_AT
        sleep 0.3
        close_ms >>"$work/$mode"
        if [ $mode = kept ]; then
            megabyte_kept
            rss "$keeper" >>"$work/rss"
            copy_in "$work/big-converted"
            sleep 0.3
            rss "$(pgrep -n -x $other)" >>"$work/other-rss"
        fi
    done
done
echo
echo "Closing the window on $system, 1 MiB copied (median of $runs runs)"
awk -v k="$(median <"$work/kept")" -v c="$(median <"$work/cleared")" -v other=$other \
    -v r="$(median <"$work/rss")" -v o="$(median <"$work/other-rss")" 'BEGIN {
    printf "close request to exit, handed to the keeper: %d ms; after Clear: %d ms; hand-over %d ms (target < 1000)\n", k, c, k - c
    printf "resident memory holding the text: the keeper %d KiB (bound: the text + 6 MiB = %d KiB), %s %d KiB\n", r, 1024 + 6144, other, o
}'
[ "$system" = x11 ] || exit 0

for _ in $(seq $runs); do
    for manager in works hangs; do
        start_manager $manager
        copy_megabyte "$1"
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
