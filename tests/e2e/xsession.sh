# Shared by the end-to-end tests: an X server of the test's own, the program
# on it, and helpers to drive and read it. Source it; it cleans up on exit.

fail() {
    echo "FAIL: $*" >&2
    if [ -s "${work:-}/app.log" ]; then
        echo "The program's messages:" >&2
        cat "$work/app.log" >&2
    fi
    if [ -n "${xvfb_pid:-}" ] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
        echo "The X server has ended:" >&2
        cat "$work/xvfb.log" >&2
    fi
    exit 1
}

start_x() {
    work=$(mktemp -d)
    trap stop_x EXIT
    trap 'exit 1' INT TERM
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

stop_x() {
    status=$?
    [ -z "${app_pid:-}" ] || kill "$app_pid" 2>/dev/null || true
    pkill -P $$ xclip 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
    exit "$status"
}

# start_app BINARY [NAME=VALUE...]: starts it, in that environment and under
# the command in $launcher if set, and sets $window to its main window.
start_app() {
    binary=$1
    shift
    # shellcheck disable=SC2086 # $launcher is a command with its arguments
    env "$@" ${launcher:-} "$binary" 2>"$work/app.log" &
    app_pid=$!
    window=$(xdotool search --sync --onlyvisible --name '^Tessivan$' | head -n 1)
    [ -n "$window" ] || fail "no window titled Tessivan"
}

# click X Y: a primary-button click at window coordinates.
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
    sleep 0.2
}

# paste [TARGET]: the clipboard as a real client reads it. xclip waits for
# ever on an owner that ended while asked, as one can during a hand-over; the
# attempt is given up after a few seconds instead.
paste() {
    timeout 3 xclip -o -selection clipboard ${1:+-t "$1"}
}

# clipboard_is TEXT: the clipboard, as a real client reads it, is exactly TEXT.
# Waits up to 5 s, for a program that is slow to take or give up the clipboard.
clipboard_is() {
    printf '%s' "$1" >"$work/expected"
    for _ in $(seq 25); do
        paste >"$work/actual" 2>/dev/null || true
        cmp -s "$work/expected" "$work/actual" && return 0
        sleep 0.2
    done
    fail "clipboard holds '$(cat "$work/actual")', expected '$1'"
}

# clipboard_holds FILE: as clipboard_is, for a text in a file.
clipboard_holds() {
    for _ in $(seq 25); do
        paste >"$work/actual" 2>/dev/null || true
        cmp -s "$1" "$work/actual" && return 0
        sleep 0.2
    done
    fail "clipboard holds $(wc -c <"$work/actual") bytes, not the $(wc -c <"$1") expected"
}

# close_app: closes the window as a window manager would; the window must go
# at once and the program end by itself.
close_app() {
    "$CLOSE_WINDOW" "$window" || fail "could not ask the window to close"
    sleep 0.3
    if xdotool search --onlyvisible --name '^Tessivan$' >/dev/null; then fail "the window is still shown"; fi
    for _ in $(seq 50); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$app_pid" 2>/dev/null && fail "the program did not end"
    wait "$app_pid" || fail "the program ended with status $?"
    app_pid=
}

# keepers: the live tessivan-keeper processes on this X server, one per line.
keepers() {
    for pid in $(pgrep -x tessivan-keeper); do
        case "$(ps -o stat= -p "$pid")" in Z* | '') continue ;; esac
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && echo "$pid"
    done
    return 0
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
    xclip -selection clipboard "$1"
    click $TEXT1_AT
    xdotool key ctrl+v
    sleep 0.5
    click $CONVERT_AT
    click $COPY_AT
}

# Centres of the controls, in window coordinates.
TEXT1_AT="150 95"
TEXT2_AT="150 207"
CONVERT_AT="264 276"
COPY_AT="160 276"
CLEAR_AT="56 276"
