# Shared by the end-to-end tests on a full desktop's compositor: a headless
# Mutter (GNOME) or a virtual KWin (KDE) of the test's own, the program on it
# natively, driven through AT-SPI as a screen reader does and by real keys
# (Mutter's RemoteDesktop API, KWin's fake input: KWIN_KEYS), and read with
# wl-paste. Source it; it cleans up on exit.

. "${e2e_dir:-$(dirname "$0")}/waylandsession.sh"

# start_desktop mutter|kwin [xwayland]: the compositor, and the
# accessibility bus; with xwayland, KWin's X server for X11 programs too, in
# DISPLAY.
start_desktop() {
    desktop=$1
    new_session
    if [ "${2:-}" = xwayland ]; then
        # KWin tells its X server's name only to the programs it starts.
        set -- --xwayland "sh -c 'echo \$DISPLAY >$work/display'"
        [ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix
    else
        set --
    fi
    server="$desktop"
    # A name of this session's own: keepers are told apart by it, and the
    # scenarios run side by side.
    export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=tessivan-test-$$
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset DISPLAY
    if [ "$desktop" = mutter ]; then
        mutter --headless --wayland --no-x11 --virtual-monitor 1280x1024 \
            --wayland-display "$WAYLAND_DISPLAY" >"$work/server.log" 2>&1 &
    else
        # A copy: the installed binary carries a file capability that a
        # container cannot grant.
        cp /usr/bin/kwin_wayland "$work/kwin_wayland"
        KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 QT_QPA_PLATFORM= "$work/kwin_wayland" --virtual --width 1280 \
            --height 1024 --socket "$WAYLAND_DISPLAY" --no-lockscreen --no-global-shortcuts --no-kactivities "$@" \
            >"$work/server.log" 2>&1 &
    fi
    server_pid=$!
    wait_until 5 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "$desktop did not start"
    if [ $# -gt 0 ]; then
        wait_until 5 test -s "$work/display" || true
        DISPLAY=$(cat "$work/display" 2>/dev/null || true)
        [ -n "$DISPLAY" ] || fail "$desktop started no X server"
        export DISPLAY
    fi
    # Real keys: a helper reading key codes from a pipe, held open for
    # writing here first, so that neither side waits.
    mkfifo "$work/keys"
    exec 4<>"$work/keys"
    if [ "$desktop" = mutter ]; then
        start_helper input /usr/bin/python3 "$e2e_dir/mutter_input.py" "$work/keys" 4>&-
    else
        start_helper input "$KWIN_KEYS" "$work/keys" 4>&-
    fi
    helper_says input ready
    # The seat has a keyboard once Mutter has taken a key, which it does
    # not at once.
    wait_until 30 seat_has_keyboard || true
    atspi ready
}

# seat_has_keyboard: wl-paste finds a keyboard on the seat; where it does
# not, a key is pressed for the next look.
seat_has_keyboard() {
    timeout 3 wl-paste --list-types 2>&1 | grep -q 'no keyboard' || return 0
    real_keys 42
    return 1
}

# stop_clients: as on sway; Mutter may ignore SIGTERM for over a second.
stop_clients() {
    pkill -P $$ wl-copy 2>/dev/null || true
    for pid in $(keepers); do kill "$pid"; done
    kill "${input_pid:-}" 2>/dev/null || true
    [ "${desktop:-}" != mutter ] || kill -KILL "$server_pid" 2>/dev/null || true
}

# start_app BINARY [NAME=VALUE...]: starts it, in that environment, with
# what it tells the compositor in $work/app.log, until AT-SPI shows its window.
start_app() {
    binary=$1
    shift
    env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WAYLAND_DEBUG=client "$@" "$binary" 2>"$work/app.log" &
    app_pid=$!
    wait_until 30 shown Tessivan || fail "no window titled Tessivan"
}

# told REQUEST: the program asked the compositor for REQUEST (as WAYLAND_DEBUG
# writes it, after the object, whose number libwayland writes as @N or #N),
# e.g. 'set_title("Tessivan")'.
told() {
    grep -q " -> xdg_toplevel[^ .]*\.$1\$" "$work/app.log" || fail "the program never asked for $1"
}

# shown TITLE: a window of the program's of that title is shown.
shown() {
    atspi shown "$1"
}

# real_keys CODE...: a real key press, in evdev codes (57 Space, 28 Return,
# 42 Shift, 56 62 Alt+F4), to the window that has the focus.
real_keys() {
    echo "$*" >&4
    sleep 0.3
}

# end_keys: the helper that gives the real keys ends, and ends well.
end_keys() {
    echo end >&4
    helper_ended_well input
}

# press CAPTION: the control focused through AT-SPI and pressed by a real Space.
press() {
    atspi focus "$1" || fail "could not focus $1"
    real_keys 57
}

# press_return_in TITLE: the message box answered by a real Return.
press_return_in() {
    real_keys 28
}

# ask_to_close: the compositor's own close: Alt+F4 on Mutter, which has no
# window list to ask; KWin's scripting.
ask_to_close() {
    if [ "$desktop" = mutter ]; then
        real_keys 56 62
    else
        # KWin 6.7 names the list windowList, earlier ones clientList.
        printf '%s\n' 'var windows = workspace.windowList ? workspace.windowList() : workspace.clientList();' \
            'windows.forEach(function (c) { if (c.caption == "Tessivan") c.closeWindow(); });' \
            >"$work/close.js"
        /usr/bin/python3 - "$work/close.js" <<'PYTHON'
import sys
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
def call(path, interface, method, arguments=None):
    return bus.call_sync("org.kde.KWin", path, interface, method, arguments, None, Gio.DBusCallFlags.NONE, 5000, None)
call("/Scripting", "org.kde.kwin.Scripting", "loadScript", GLib.Variant("(ss)", (sys.argv[1], "close")))
call("/Scripting", "org.kde.kwin.Scripting", "start")
PYTHON
    fi
}

# windows: the program's windows as AT-SPI shows them, for fail's report.
windows() {
    atspi tree
}
