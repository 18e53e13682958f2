#!/bin/sh
# Copied text outlives the program on a compositor that keeps nothing itself
# (wlroots), by the button or the boxes' own copy and cut:
# tessivan-keeper-wayland serves it, byte for byte, until another client
# copies or empties the clipboard; after Clear nothing is kept.
set -eu
. "$(dirname "$0")/waylandsession.sh"
start_wayland

megabyte_texts
copy_megabyte "$1"
close_app
megabyte_kept 'text/plain;charset=utf-8' text/plain
# The text went through a pipe: not on the keeper's command line, in no file
# it holds open (but the standard error it inherits).
command_line=$(tr '\0' ' ' <"/proc/$keeper/cmdline")
[ "$command_line" = "$(dirname "$1")/tessivan-keeper-wayland " ] ||
    [ "$command_line" = "$(readlink -f "$(dirname "$1")/../libexec/tessivan")/tessivan-keeper-wayland " ] ||
    fail "the keeper's command line: $command_line"
if find "/proc/$keeper/fd" ! -name 2 -lname '/*' ! -lname '/dev/*' | grep -q .; then
    fail "the keeper holds files open: $(ls -l "/proc/$keeper/fd")"
fi

another_client_copies
nothing_kept_after_clear "$1"

# The boxes' own copy and cut are kept as the button's copy is.
for combo in ctrl+c ctrl+x; do
    start_app "$1"
    click $TEXT1_AT
    type_text "$combo"
    keys ctrl+a "$combo"
    clipboard_is "$combo"
    close_app
    [ -n "$(keepers)" ] || fail "the text copied with $combo was not kept"
    clipboard_is "$combo"
done

# A second keeper replaces the first, the second run ended by SIGTERM as by
# a close; emptying the clipboard ends the last.
start_app "$1"
copy_typed one
close_app
start_app "$1"
copy_typed two
kill -TERM "$app_pid"
await_end
clipboard_is 'TwO'
sleep 0.3
[ "$(keepers | wc -l)" -eq 1 ] || fail "$(keepers | wc -l) keepers run"
wl-copy --clear
clipboard_is ''
sleep 0.3
[ -z "$(keepers)" ] || fail "the keeper still runs after the clipboard was emptied"

# Started by hand, as the program starts it: a malformed hand-over is refused;
# with few descriptors, wave after wave of readers that stall, arriving at
# once (more pipes than libwayland takes in one read), leave a new reader
# served, and another client's copy ends it well all the same.
find_keeper "$1"
printf -- '-5\nabcde' | "$keeper_binary" && fail "the keeper took a negative length"
start_keeper "$work/big" 40
for _ in 1 2 3; do
    for _ in $(seq 60); do
        (timeout 5 wl-paste --no-newline | sleep 5) 2>/dev/null &
    done
    clipboard_holds "$work/big"
done
another_client_copies
helper_ended_well keeper
echo "e2e wl-keeper: passed"
