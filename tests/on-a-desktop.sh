#!/bin/sh
# Runs a build's whole suite as on a developer's desktop, twice: DISPLAY and
# WAYLAND_DISPLAY set to the user's own X server and compositor, each
# clipboard holding the user's text, dbus-x11 installed, and first no session
# bus, then one. Afterwards the user's clipboards must hold their text, no
# test may have connected to the user's bus, and no session bus may have been
# autolaunched, written under home or left running.
# Usage: on-a-desktop.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
WL_CLICK="$build/tests/wl_click"
e2e_dir=$(dirname "$0")/e2e
. "$e2e_dir/waylandsession.sh"
start_wayland # the user's compositor
printf "the user's Wayland text" >"$work/wayland-text"
copy_in "$work/wayland-text"
user_wayland=$WAYLAND_DISPLAY

start_xvfb "$work/xvfb.log" # the user's X server
user_display=$xvfb_display
printf "the user's X text" | DISPLAY=$user_display xclip -selection clipboard
stop_desktop() {
    status=$?
    kill "$xvfb_pid" 2>/dev/null || true
    [ ! -s "$work/bus-pid" ] || kill "$(cat "$work/bus-pid")" 2>/dev/null || true
    (exit "$status")
    end_session
}
trap stop_desktop EXIT

home="$work/home"
mkdir "$home"
daemons() { ps -eo pid=,stat=,comm= | awk '$2 !~ /^Z/ && ($3 == "dbus-daemon" || $3 == "dbus-launch") { print $1 }' | sort; }
daemons >"$work/daemons-before"
daemons_as_before() {
    daemons >"$work/daemons-after"
    cmp -s "$work/daemons-before" "$work/daemons-after"
}

suite() {
    env "$@" HOME="$home" DISPLAY="$user_display" WAYLAND_DISPLAY="$user_wayland" \
        ctest --test-dir "$build" --output-on-failure --no-tests=error -j 2 || fail "the suite failed ($*)"
    [ "$(DISPLAY=$user_display timeout 3 xclip -o -selection clipboard)" = "the user's X text" ] ||
        fail "the user's X clipboard lost its text ($*)"
    clipboard_is "the user's Wayland text"
    [ ! -e "$home/.dbus" ] || fail "a session bus was autolaunched under home ($*)"
    # An accessibility bus ends a moment after the session bus it served.
    wait_until 5 daemons_as_before ||
        fail "a bus daemon was left running ($*): $(ps -o pid=,args= -p "$(comm -13 "$work/daemons-before" "$work/daemons-after" | head -n 1)")"
}

echo "No session bus:"
suite -u DBUS_SESSION_BUS_ADDRESS

echo "The user's session bus:"
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus-pid"
bus=$(cat "$work/bus")
dbus-monitor --address "$bus" "type='signal',member='NameOwnerChanged'" >"$work/joined" 2>&1 &
sleep 0.5
daemons >"$work/daemons-before"
daemons_as_before() {
    daemons >"$work/daemons-after"
    cmp -s "$work/daemons-before" "$work/daemons-after"
}
suite DBUS_SESSION_BUS_ADDRESS="$bus"
sleep 0.5
kill "$(cat "$work/bus-pid")"
rm "$work/bus-pid"
! grep -q 'NameOwnerChanged' "$work/joined" || fail "tests connected to the user's bus: $(cat "$work/joined")"
echo "on a desktop: passed"
