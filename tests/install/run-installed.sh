#!/bin/sh
# Runs an end-to-end test on the program as installed, which finds its
# helpers where the installed tree puts them rather than beside itself.
# Usage: run-installed.sh BUILD_DIR TEST_SCRIPT
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
sh "$2" "$prefix/bin/tessivan"
