# Shared by the end-to-end tests on X11: an X server of the test's own, the
# program on it, and helpers to drive and read it. Source it; it cleans up on
# exit.

. "${e2e_dir:-$(dirname "$0")}/common.sh"
keeper_name=tessivan-keeper-x11

# start_x [OPTION...]: the X server, started with those options.
start_x() {
    new_session
    server="The X server"
    start_xvfb "$work/server.log" "$@"
    server_pid=$xvfb_pid
    DISPLAY=$xvfb_display
    export DISPLAY
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# stop_clients: the clipboard clients the test left behind, as the session ends.
stop_clients() {
    pkill -P $$ -x xclip 2>/dev/null || true
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
    if shown Tessivan; then fail "the window is still shown"; fi
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

# shown TITLE: a window of that title is shown.
shown() {
    xdotool search --onlyvisible --name "^$1\$" >/dev/null
}

# press_return_in TITLE: Return, in the window of that title; a bare X server
# has no window manager to give it the focus.
press_return_in() {
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$1\$" | head -n 1)" key Return
}

# has_fixed_frame TITLE: the window of that title asks the window manager for
# moving and closing only, under a title bar with the system menu: no
# resizing, no minimise, no maximise.
has_fixed_frame() {
    hints=$(xprop -id "$(xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)" _MOTIF_WM_HINTS)
    [ "${hints#*= }" = '0x3, 0x24, 0x1a, 0x0, 0x0' ] || fail "$1 asks for the frame $hints"
}

# copy_in FILE [TARGET]: another client owns the clipboard, holding FILE (as
# that target alone where given).
copy_in() {
    xclip -selection clipboard ${2:+-t "$2"} "$1"
}
