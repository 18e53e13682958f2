# Shared by the end-to-end tests on X11: an X server of the test's own, the
# program on it, and helpers to drive and read it. Source it; it cleans up on
# exit.

. "${e2e_dir:-$(dirname "$0")}/common.sh"
keeper_name=tessivan-keeper-x11

start_x() {
    work=$(mktemp -d)
    trap stop_x EXIT
    trap 'exit 1' INT TERM
    server="The X server"
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/server.log" &
    server_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/server.log")"
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    # Takes clients once it answers, which is not always as soon as it has
    # given its number. -noreset: by default Xvfb resets whenever its last
    # client goes, and refuses a client that comes meanwhile.
    for _ in $(seq 200); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.05
    done
    xdpyinfo >/dev/null 2>&1 || fail "the X server on $DISPLAY does not answer"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

stop_x() {
    status=$?
    [ -z "${app_pid:-}" ] || kill "$app_pid" 2>/dev/null || true
    pkill -P $$ xclip 2>/dev/null || true
    kill "$server_pid" 2>/dev/null || true
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

# close_app: closes the window as a window manager would; the window must go
# at once and the program end by itself.
close_app() {
    ask_to_close || fail "could not ask the window to close"
    sleep 0.3
    if xdotool search --onlyvisible --name '^Tessivan$' >/dev/null; then fail "the window is still shown"; fi
    await_end
}

# ask_to_close: asks the window to close as a window manager does
# (WM_DELETE_WINDOW); a bare X server has none to do it.
ask_to_close() {
    "$CLOSE_WINDOW" "$window"
}

# keepers: the live tessivan-keeper-x11 processes on this X server, one per line.
keepers() {
    keeper_processes "$keeper_name" "DISPLAY=$DISPLAY"
}

# start_manager works|hangs: a stand-in clipboard manager of that kind
# ($CLIPBOARD_MANAGER), its process in $manager_pid. It ends with the X server.
start_manager() {
    start_helper manager "$CLIPBOARD_MANAGER" "$1"
    helper_says manager ready
}

# keys KEY...: key presses, in xdotool's names (ctrl+v, Return, shift+Left).
keys() {
    xdotool key "$@"
}

# type_text TEXT: typed in, key by key.
type_text() {
    xdotool type --delay 5 "$1"
}

# copy_in FILE: another client owns the clipboard, holding FILE.
copy_in() {
    xclip -selection clipboard "$1"
}
