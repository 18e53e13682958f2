#!/bin/sh
# Pastes by other clients that read slowly or not at all hold neither the
# window nor other pastes, nor its close.
set -eu
. "$(dirname "$0")/waylandsession.sh"
start_wayland
megabyte_texts
copy_megabyte "$1"

# Meanwhile a new paste is served whole, Clear takes effect, and the slow
# reader gets every byte.
slow_paste "$work/slow"
stalled_paste
clipboard_holds "$work/big-converted"
click $CLEAR_AT
clipboard_is ''
wait "$slow_pid" || fail "the slow paste failed"
cmp -s "$work/slow" "$work/big-converted" || fail "the slow paste got $(wc -c <"$work/slow") bytes"
end_stalled_paste

# The copy outlives the program all the same.
copy_converted "$work/big"
clipboard_holds "$work/big-converted"
close_during_stalled_paste "$work/big-converted"
[ -n "$(keepers)" ] || fail "no keeper after the program ended"
echo "e2e wl-slow-paste: passed"
