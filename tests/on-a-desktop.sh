#!/bin/sh
# Runs a build's whole suite as on a developer's desktop, twice: DISPLAY and
# WAYLAND_DISPLAY set to the user's session, dbus-x11 installed, and first no
# session bus, then one. Afterwards the user's clipboard must hold its text,
# no test may have connected to the user's bus, and no session bus may have
# been autolaunched, written under home or left running.
# Usage: on-a-desktop.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
. "$(dirname "$0")/e2e/xsession.sh"
start_x # the user's X server
stop_bus() {
    status=$?
    [ ! -s "$work/bus-pid" ] || kill "$(cat "$work/bus-pid")" 2>/dev/null || true
    (exit "$status")
    stop_x
}
trap stop_bus EXIT
home="$work/home"
mkdir "$home"
printf "the user's text" | xclip -selection clipboard

daemons() { ps -eo pid=,stat=,comm= | awk '$2 !~ /^Z/ && ($3 == "dbus-daemon" || $3 == "dbus-launch") { print $1 }' | sort; }
daemons >"$work/daemons-before"

suite() {
    env "$@" HOME="$home" WAYLAND_DISPLAY=wayland-0 \
        ctest --test-dir "$build" --output-on-failure --no-tests=error -j 2 || fail "the suite failed ($*)"
    clipboard_is "the user's text"
    [ ! -e "$home/.dbus" ] || fail "a session bus was autolaunched under home ($*)"
    daemons >"$work/daemons-after"
    cmp -s "$work/daemons-before" "$work/daemons-after" || fail "a bus daemon was left running ($*)"
}

echo "No session bus:"
suite -u DBUS_SESSION_BUS_ADDRESS

echo "The user's session bus:"
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus-pid"
bus=$(cat "$work/bus")
dbus-monitor --address "$bus" "type='signal',member='NameOwnerChanged'" >"$work/joined" 2>&1 &
sleep 0.5
daemons >"$work/daemons-before"
suite DBUS_SESSION_BUS_ADDRESS="$bus"
sleep 0.5
kill "$(cat "$work/bus-pid")"
rm "$work/bus-pid"
! grep -q 'NameOwnerChanged' "$work/joined" || fail "tests connected to the user's bus: $(cat "$work/joined")"
echo "on a desktop: passed"
