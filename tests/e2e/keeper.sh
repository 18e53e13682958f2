#!/bin/sh
# Copied text outlives the program on a bare X server, where no clipboard
# manager takes it over: a keeper serves it until another client copies.
set -eu
. "$(dirname "$0")/xsession.sh"
start_x

megabyte_texts

# A hand-over cut short is refused: the keeper takes nothing.
find_keeper "$1"
copy_text 'before'
printf '100\ncut short' | "$keeper_binary" && fail "the keeper took a text cut short"
clipboard_is 'before'

copy_megabyte "$1"
close_app
# Large transfers go in pieces (INCR); each UTF-8 target gives the same bytes.
megabyte_kept UTF8_STRING 'text/plain;charset=utf-8'

# A second run that copies replaces the kept text, and its own keeper the first.
first=$(keepers)
start_app "$1"
copy_typed 'second run'
clipboard_is 'SeCoNd rUn'
sleep 0.3
[ -z "$(keepers)" ] || fail "the first keeper still runs"
close_app
second=$(keepers)
[ -n "$second" ] && [ "$second" != "$first" ] || fail "no new keeper"
for target in UTF8_STRING 'text/plain;charset=utf-8' text/plain STRING TEXT; do
    [ "$(paste "$target")" = 'SeCoNd rUn' ] || fail "the kept $target differs"
done

another_client_copies
# No keeper after Clear, nor while another client owns the clipboard.
nothing_kept_after_clear "$1"

start_app "$1"
copy_typed 'fourth'
clipboard_is 'FoUrTh'
copy_text 'taken over'
clipboard_is 'taken over'
close_app
[ -z "$(keepers)" ] || fail "a keeper started while another client owned the clipboard"
clipboard_is 'taken over'

# Started by hand, as the program starts it, it ends well when another client
# copies and when the X server goes. STRING is Latin-1, with a question mark
# for what Latin-1 cannot hold.
printf 'Zeile ÄöÜ €' >"$work/accents"
start_keeper "$work/accents"
[ "$(paste STRING | iconv -f latin1 -t utf-8)" = 'Zeile ÄöÜ ?' ] || fail "the kept STRING is not Latin-1"
another_client_copies
helper_ended_well keeper
start_keeper "$work/big-converted"
clipboard_holds "$work/big-converted"
another_client_copies
helper_ended_well keeper
start_keeper "$work/other"
kill "$server_pid"
helper_ended_well keeper
echo "e2e keeper: passed"
