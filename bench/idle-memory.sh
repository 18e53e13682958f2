#!/bin/sh
# The program's resident memory on a headless sway, or a virtual KWin, while
# it sits idle after its own copy and another client copies 500 times: what
# each such copy costs the program, which should be nothing.
# Usage: idle-memory.sh TESSIVAN WL_CLICK|KWIN_KEYS [sway|kwin]
set -eu
e2e_dir=$(dirname "$0")/../tests/e2e
TESSIVAN_APP_ID=${TESSIVAN_APP_ID:-org.example.Tessivan}
on=${3:-sway}
if [ "$on" = kwin ]; then
    . "$e2e_dir/desktopsession.sh"
    KWIN_KEYS=$2
    start_desktop kwin
    start_app "$1"
    atspi set 'Type text for convert here' 'idle'
    press Convert
    press 'Copy to Clipboard'
else
    . "$e2e_dir/waylandsession.sh"
    WL_CLICK=$2
    start_wayland
    start_app "$1"
    copy_typed 'idle'
fi
clipboard_is 'IdLe'
sleep 1
before=$(rss "$app_pid")
copies=500
for i in $(seq $copies); do
    printf 'copy %s' "$i" | wl-copy
done
sleep 1
after=$(rss "$app_pid")
echo
echo "Wayland ($on), the program idle while another client copies $copies times"
awk -v b="$before" -v a="$after" -v n=$copies 'BEGIN {
    printf "resident memory %d KiB before, %d KiB after: %.2f KiB a copy (bound 0.2, a tenth of what each cost while notices queued) %s\n", b, a, (a - b) / n, ((a - b) / n <= 0.2) ? "met" : "MISSED"
}'
[ "$on" != kwin ] || end_keys
