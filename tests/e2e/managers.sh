#!/bin/sh
# Where a clipboard manager runs, copied text goes to it as the program ends,
# and no keeper starts. One that has hung neither holds the program up nor
# loses the text: the keeper serves it instead.
set -eu
. "$(dirname "$0")/xsession.sh"
start_x

for run in works:WoRkS hangs:HaNgS; do
    manager=${run%:*}
    start_manager $manager
    start_app "$1"
    copy_typed "$manager"
    # The program also owns the primary selection, which Qt would hand over too.
    xdotool mousemove --window "$window" 30 175 click --repeat 2 1
    [ "$(timeout 3 xclip -o -selection primary)" = "$(paste)" ] || fail "no primary selection of the program's"
    close_app
    if [ $manager = works ]; then
        [ -z "$(keepers)" ] || fail "a keeper started although the manager took the text"
    else
        [ -n "$(keepers)" ] || fail "no keeper took the text from a manager that hung"
    fi
    clipboard_is "${run#*:}"
    kill "$manager_pid"
    copy_text 'other'
done
echo "e2e managers: passed"
