# Shared by the end-to-end tests on either display system; sourced by
# xsession.sh and waylandsession.sh, which give each its own server and
# the primitives start_app, click, keys, type_text, paste, copy_in, shown,
# press_return_in, close_app, ask_to_close and keepers.
e2e_dir=${e2e_dir:-$(dirname "$0")}

# The display server's name and process, for fail's report.
server=
server_pid=

# new_session: a folder of the test's own in $work, and on exit the session's
# end: the program, the clients the test left (stop_clients), the server.
new_session() {
    work=$(mktemp -d)
    trap end_session EXIT
    trap 'exit 1' INT TERM
}

end_session() {
    status=$?
    [ -z "${app_pid:-}" ] || kill "$app_pid" 2>/dev/null || true
    # A paste left stalled or slow by a failure would hold the wait below.
    for pid in ${stalled_pid:-} ${slow_pid:-}; do kill "$pid" 2>/dev/null || true; done
    stop_clients
    kill "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
    exit "$status"
}

fail() {
    echo "FAIL: $*" >&2
    if [ -s "${work:-}/app.log" ]; then
        echo "The program's messages:" >&2
        cat "$work/app.log" >&2
    fi
    if [ -n "$server_pid" ] && ! kill -0 "$server_pid" 2>/dev/null; then
        echo "$server has ended:" >&2
        cat "$work/server.log" >&2
    elif command -v windows >/dev/null; then
        echo "Windows shown:" >&2
        windows >&2
    fi
    exit 1
}

# wait_until SECONDS COMMAND [ARGUMENT...]: runs COMMAND every tenth of a
# second until it succeeds, for SECONDS at the most by the clock; fails where
# it never did.
wait_until() {
    wait_end=$(($(date +%s%N) / 1000000 + $1 * 1000))
    shift
    until "$@"; do
        [ "$(($(date +%s%N) / 1000000))" -lt "$wait_end" ] || return 1
        sleep 0.1
    done
}

# ended PID: that process has ended.
ended() {
    ! kill -0 "$1" 2>/dev/null
}

window_gone() {
    ! shown Tessivan
}

# copy_text TEXT [TYPE]: another client copies TEXT, as copy_in does a file.
copy_text() {
    printf '%s' "$1" >"$work/copied"
    copy_in "$work/copied" "${2:-}"
}

# clipboard_is TEXT: the clipboard, as a real client reads it, is exactly TEXT.
# Waits up to 10 s, for a program that is slow to take or give up the clipboard.
clipboard_is() {
    printf '%s' "$1" >"$work/expected"
    clipboard_holds "$work/expected"
}

# clipboard_holds FILE: as clipboard_is, for a text in a file. Read by the
# command in $read_clipboard where set, else by paste.
clipboard_holds() {
    wait_until 10 clipboard_now_holds "$1" ||
        fail "clipboard holds '$(head -c 200 "$work/actual")' ($(wc -c <"$work/actual") bytes), not the $(wc -c <"$1") bytes expected"
}

clipboard_now_holds() {
    ${read_clipboard:-paste} >"$work/actual" 2>/dev/null || true
    cmp -s "$1" "$work/actual"
}

# megabyte_lines UNIT: UNIT ten times over in each of 8,200 lines, over 1 MiB
# for a unit of 13 bytes. A unit of an even number of positions (a line break
# counts as two) converts alike in every line.
megabyte_lines() {
    awk -v unit="$1" 'BEGIN { line = ""; for (i = 0; i < 10; i++) line = line unit
                              for (i = 0; i < 8200; i++) print line }'
}

# copy_converted FILE: pastes FILE into the upper box through the clipboard,
# converts it and copies the output.
copy_converted() {
    copy_in "$1"
    click $TEXT1_AT
    keys ctrl+v
    sleep 0.5
    click $CONVERT_AT
    click $COPY_AT
}

# megabyte_texts: $work/big, over 1 MiB of text, and $work/big-converted,
# its conversion.
megabyte_texts() {
    megabyte_lines 'жжaéё яq' >"$work/big"
    megabyte_lines 'ЖжAéЁ Яq' >"$work/big-converted"
    [ "$(wc -c <"$work/big-converted")" -gt 1048576 ] || fail "the text is too short"
}

# copy_megabyte BINARY: the program, started, converts $work/big and copies
# the output, which the clipboard then holds.
copy_megabyte() {
    start_app "$1"
    copy_converted "$work/big"
    clipboard_holds "$work/big-converted"
}

# megabyte_kept [TYPE...]: once the program has ended, a keeper runs (its
# process in $keeper) and serves $work/big-converted byte for byte in each TYPE.
megabyte_kept() {
    keeper=$(keepers)
    [ -n "$keeper" ] || fail "no keeper after the program ended"
    for type in "$@"; do
        paste "$type" >"$work/after" || fail "no $type after the program ended"
        cmp -s "$work/big-converted" "$work/after" || fail "the kept $type differs"
    done
}

# await_end: the program, asked to close, ends by itself within 5 s and well.
await_end() {
    wait_until 5 ended "$app_pid" || fail "the program did not end"
    app_ended_well
}

# app_ended_well: the program, ended, did so with status 0 and left no
# Wayland objects behind (libwayland 1.23 and later report a proxy that
# outlived its queue).
app_ended_well() {
    wait "$app_pid" || fail "the program ended with status $?"
    ! grep -q 'still attached' "$work/app.log" 2>/dev/null || fail "the program left Wayland objects behind"
    app_pid=
}

# keeper_processes NAME VARIABLE=VALUE: the live processes of that keeper
# whose environment names this display server, one per line.
keeper_processes() {
    for pid in $(pgrep -f "/$1\$"); do
        case "$(ps -o stat= -p "$pid")" in Z* | '') continue ;; esac
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "$2" && echo "$pid"
    done
    return 0
}

# another_client_copies: another client's copy replaces the kept text, and
# the keeper goes.
another_client_copies() {
    printf 'from another client' >"$work/other"
    copy_in "$work/other"
    clipboard_is 'from another client'
    sleep 0.3
    [ -z "$(keepers)" ] || fail "the keeper still runs after another client copied"
}

# nothing_kept_after_clear BINARY: a copy that Clear empties leaves no keeper
# once the program has ended, and the clipboard empty.
nothing_kept_after_clear() {
    start_app "$1"
    copy_typed 'third'
    clipboard_is 'ThIrD'
    click $CLEAR_AT
    clipboard_is ''
    close_app
    [ -z "$(keepers)" ] || fail "a keeper started after Clear"
    clipboard_is ''
}

# rss PID: the process's resident memory in KiB, for the benchmarks.
rss() {
    sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$1/status"
}

# close_ms: milliseconds from asking the window to close until the program
# ended, for the benchmarks.
close_ms() {
    start=$(date +%s%N)
    ask_to_close
    while kill -0 "$app_pid" 2>/dev/null; do sleep 0.001; done
    end=$(date +%s%N)
    app_ended_well
    echo $(((end - start) / 1000000))
}

# median: the median of the numbers on standard input, one a line.
median() {
    sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

# copy_typed TEXT: types TEXT into the upper box, converts it and copies the output.
copy_typed() {
    click $TEXT1_AT
    type_text "$1"
    click $CONVERT_AT
    click $COPY_AT
}

# Centres of the controls, in window coordinates.
TEXT1_AT="150 95"
TEXT2_AT="150 207"
CONVERT_AT="264 276"
COPY_AT="160 276"
CLEAR_AT="56 276"
SITE_AT="70 16"
MAIL_AT="230 16"

# start_helper NAME COMMAND [ARGUMENT...]: a helper process of the test's
# (a keeper, a stand-in owner), its pid in $NAME_pid and its standard output
# and error in $work/NAME.out and $work/NAME.err.
start_helper() {
    name=$1
    shift
    "$@" >"$work/$name.out" 2>"$work/$name.err" &
    eval "${name}_pid=$!"
}

# helper_says NAME WORD: the helper says WORD on its standard output within 5 s.
helper_says() {
    wait_until 5 grep -q "$2" "$work/$1.out" ||
        fail "$1 did not say $2: $(cat "$work/$1.err")"
}

# helper_ended_well NAME: the helper has ended, or ends within 10 s, with
# status 0 and nothing on its standard error, as a sanitizer report would be.
helper_ended_well() {
    pid=$(eval echo "\$${1}_pid")
    wait_until 10 ended "$pid" || fail "$1 did not end"
    status=0
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "$1 ended with status $status: $(cat "$work/$1.err")"
    [ ! -s "$work/$1.err" ] || fail "$1 printed: $(cat "$work/$1.err")"
}

# find_keeper PROGRAM: sets $keeper_binary to this display system's keeper
# ($keeper_name) where the build or the installed tree puts it beside PROGRAM.
find_keeper() {
    keeper_binary=$(dirname "$1")/$keeper_name
    [ -x "$keeper_binary" ] || keeper_binary=$(dirname "$1")/../libexec/tessivan/$keeper_name
    [ -x "$keeper_binary" ] || fail "no $keeper_name beside $1"
}

# start_keeper FILE [DESCRIPTORS]: the program's keeper, started by hand as
# the program starts it (with at most that many open files), holding the text
# in FILE once it has said so; its process in $keeper_pid.
start_keeper() {
    { wc -c <"$1"; cat "$1"; } >"$work/handover"
    start_helper keeper sh -c '[ -z "$2" ] || ulimit -n "$2"; exec "$0" <"$1"' \
        "$keeper_binary" "$work/handover" "${2:-}"
    helper_says keeper kept
}

# start_xvfb LOG [OPTION...]: an X server of the test's own, taking clients;
# its display in $xvfb_display, its process in $xvfb_pid, its messages in LOG.
start_xvfb() {
    log=$1
    shift
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset "$@" 3>"$work/display" 2>"$log" &
    xvfb_pid=$!
    wait_until 5 test -s "$work/display" || fail "Xvfb did not start: $(cat "$log")"
    xvfb_display=:$(cat "$work/display")
    # Takes clients once it answers, which is not always as soon as it has
    # given its number. -noreset: by default Xvfb resets whenever its last
    # client goes, and refuses a client that comes meanwhile.
    wait_until 10 x_server_answers || fail "the X server on $xvfb_display does not answer"
}

x_server_answers() {
    DISPLAY=$xvfb_display xdpyinfo >/dev/null 2>&1
}

# record_urls: opening a web address records it in $work/opened, through a
# URL handler registered with XDG as a desktop would have it.
record_urls() {
    export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
    mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened"\n' "$work" >"$work/record-url"
    chmod +x "$work/record-url"
    printf '[Desktop Entry]\nType=Application\nName=Record URL\nExec=%s/record-url %%u\nMimeType=x-scheme-handler/http;\n' \
        "$work" >"$XDG_DATA_HOME/applications/record-url.desktop"
    printf '[Default Applications]\nx-scheme-handler/http=record-url.desktop\n' >"$XDG_CONFIG_HOME/mimeapps.list"
    : >"$work/opened"
}

# opened_are LINES: the addresses opened so far are LINES, within 5 s.
opened_are() {
    wait_until 5 opened_now_are "$1" ||
        fail "opened '$(cat "$work/opened")', expected '$1'"
}

opened_now_are() {
    [ "$(cat "$work/opened")" = "$1" ]
}

# message_box: the message box titled with the vendor's name shows, and goes
# when answered with Return.
message_box() {
    wait_until 5 shown "$TESSIVAN_VENDOR" || fail "no message box titled $TESSIVAN_VENDOR"
    press_return_in "$TESSIVAN_VENDOR"
    sleep 0.3
    if shown "$TESSIVAN_VENDOR"; then fail "the message box stayed"; fi
}

# atspi ready|press CAPTION|tree: what a screen reader does (atspi.py).
atspi() {
    /usr/bin/python3 "$e2e_dir/atspi.py" "$@"
}

# alive: the program still runs.
alive() {
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended"
}
