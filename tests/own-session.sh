#!/bin/sh
# Runs a test in a session of its own, so that it neither uses nor changes
# anything of the user's: no display, compositor or session bus of theirs
# (a private D-Bus session bus instead, so that nothing autolaunches one),
# and home and XDG folders in a temporary folder, removed afterwards.
# Usage: own-session.sh COMMAND [ARGUMENT...]
set -eu
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
trap 'exit 1' INT TERM
unset DISPLAY WAYLAND_DISPLAY XAUTHORITY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
export HOME="$home" XDG_RUNTIME_DIR="$home/runtime" XDG_CACHE_HOME="$home/cache" \
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- "$@"
