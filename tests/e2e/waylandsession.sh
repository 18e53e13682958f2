# Shared by the end-to-end tests on Wayland: a headless sway of the test's
# own, with no GPU and no input devices, the program on it natively, and
# helpers to drive it (wl_click, wtype) and read it (swaymsg, wl-paste).
# Source it; it cleans up on exit. Needs WL_CLICK, the click helper.

. "${e2e_dir:-$(dirname "$0")}/common.sh"
keeper_name=tessivan-keeper-wayland

start_wayland() {
    new_session
    # sway refuses to run as root: as root, it runs as nobody, in a runtime
    # folder of nobody's that the tests reach by its absolute path.
    compositor="$work/compositor"
    mkdir -m 700 "$compositor"
    chmod 711 "$work"
    as_user=
    if [ "$(id -u)" -eq 0 ]; then
        chown nobody:nogroup "$compositor"
        as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"
    fi
    printf 'output HEADLESS-1 resolution 800x600\n' >"$work/sway.conf"
    chmod 644 "$work/sway.conf"
    server="The compositor"
    # shellcheck disable=SC2086 # $as_user is a command with its arguments
    env -i PATH="$PATH" XDG_RUNTIME_DIR="$compositor" WLR_BACKENDS=headless WLR_RENDERER=pixman \
        WLR_LIBINPUT_NO_DEVICES=1 $as_user sway -c "$work/sway.conf" >"$work/server.log" 2>&1 &
    server_pid=$!
    wait_until 5 sway_sockets_made || fail "sway did not start"
    export WAYLAND_DISPLAY="$socket" SWAYSOCK
    export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=wayland
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset DISPLAY
    # A keyboard and a pointer for the whole session: each wtype and wl_click
    # brings a device of its own and takes it away again, and input that
    # comes with a new device can arrive before a client has bound it.
    wtype -s 3600000 &
    "$WL_CLICK" hold &
    sleep 0.2
}

# sway_sockets_made: sway has made its Wayland socket ($socket) and its IPC
# socket ($SWAYSOCK) in $compositor.
sway_sockets_made() {
    socket=$(find "$compositor" -name 'wayland-*' ! -name '*.lock' 2>/dev/null | head -n 1)
    SWAYSOCK=$(find "$compositor" -name 'sway-ipc.*' 2>/dev/null | head -n 1)
    [ -n "$socket" ] && [ -n "$SWAYSOCK" ]
}

# stop_clients: the clients the test left behind, as the session ends.
stop_clients() {
    pkill -P $$ wl-copy 2>/dev/null || true
    pkill -P $$ wtype 2>/dev/null || true
    pkill -P $$ -f "${WL_CLICK:-wl_click} hold" 2>/dev/null || true
    for pid in $(keepers); do kill "$pid"; done
}

# windows: each window the compositor shows, a line each of tab-separated
# fields: title, app id, x, y, width, height (of its content, in the
# layout), whether floating.
windows() {
    swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node, floating):
    rect, inner = node["rect"], node.get("window_rect") or {}
    if node.get("pid"):
        print(node.get("name"), node.get("app_id"), rect["x"] + inner.get("x", 0),
              rect["y"] + inner.get("y", 0), inner.get("width"), inner.get("height"), floating, sep="\t")
    for child in node.get("nodes", []):
        walk(child, floating)
    for child in node.get("floating_nodes", []):
        walk(child, True)
walk(json.load(sys.stdin), False)'
}

# window_titled TITLE: for the window of that title: app id, x, y, width,
# height, whether floating.
window_titled() {
    windows | awk -F '\t' -v title="$1" '$1 == title { print $2, $3, $4, $5, $6, $7 }'
}

# start_app BINARY [NAME=VALUE...]: starts it, in that environment, and sets
# $origin to the layout position of its window's content.
start_app() {
    binary=$1
    shift
    env "$@" "$binary" 2>"$work/app.log" &
    app_pid=$!
    origin=
    steady=0
    wait_until 20 window_settled || fail "no window titled Tessivan, floating at 321 x 297 and staying: $(windows)"
}

# window_settled: the program's window, looked at now and each time before,
# has floated at its own size in the same place ($origin) four times running:
# a tiling compositor shows it tiled first, then floats it, then decorates it.
window_settled() {
    placed=$(window_titled Tessivan | awk '$4 == 321 && $5 == 297 && $6 == "True" { print $2, $3 }')
    if [ -n "$placed" ] && [ "$placed" = "$origin" ]; then steady=$((steady + 1)); else steady=0; fi
    origin=$placed
    [ "$steady" -ge 3 ]
}

# click X Y [CLICKS]: primary-button clicks at window coordinates.
click() {
    set -- $((${origin% *} + $1)) $((${origin#* } + $2)) "${3:-1}"
    "$WL_CLICK" "$1" "$2" 800 600 "$3" || fail "could not click"
    sleep 0.2
}

# keys KEY...: key presses, in xdotool's names (ctrl+v, Return, shift+Left).
keys() {
    for combo in "$@"; do
        set -- -k "${combo##*+}"
        modifiers=${combo%"${combo##*+}"}
        for modifier in $(echo "$modifiers" | tr '+' ' '); do
            set -- -M "$modifier" "$@" -m "$modifier"
        done
        wtype "$@" || fail "wtype could not type $combo"
    done
    sleep 0.1
}

# type_text TEXT: typed in, key by key.
type_text() {
    wtype -d 5 "$1"
    sleep 0.1
}

# paste [TYPE]: the clipboard as a real client reads it; nothing when empty.
paste() {
    timeout 3 wl-paste --no-newline ${1:+--type "$1"} 2>/dev/null || true
}

# copy_in FILE [TYPE]: another client owns the clipboard, holding FILE (as
# that type alone where given).
copy_in() {
    wl-copy ${2:+--type "$2"} <"$1"
}

# shown TITLE: a window of that title is shown.
shown() {
    [ -n "$(window_titled "$1")" ]
}

# press_return_in TITLE: Return, in the window of that title, which has the
# focus as the compositor gives it.
press_return_in() {
    keys Return
}

# close_app: asks the window to close, as the compositor's close button does;
# the window must go at once and the program end by itself.
close_app() {
    ask_to_close || fail "could not ask the window to close"
    await_end
}

# ask_to_close: the compositor's close request to the program's window.
ask_to_close() {
    swaymsg -q "[app_id=\"^$TESSIVAN_APP_ID\$\" title=\"^Tessivan\$\"] kill"
}

# keepers: the live tessivan-keeper-wayland processes on this compositor.
keepers() {
    keeper_processes "$keeper_name" "WAYLAND_DISPLAY=$WAYLAND_DISPLAY"
}

# stalled_paste: another client pastes and then reads nothing, its pipe
# full: wl-paste writes into a FIFO that the test holds open and never reads.
stalled_paste() {
    [ -p "$work/unread" ] || mkfifo "$work/unread"
    exec 5<>"$work/unread"
    wl-paste --no-newline >"$work/unread" 2>/dev/null &
    stalled_pid=$!
    sleep 0.3
}

# end_stalled_paste: that client goes, and the test's end of its pipe.
end_stalled_paste() {
    kill "$stalled_pid" 2>/dev/null || true
    exec 5>&-
}

# slow_paste FILE: another client pastes into FILE at 320 KB/s, in the
# background ($slow_pid).
slow_paste() {
    wl-paste --no-newline | /usr/bin/python3 -c '
import sys, time
with open(sys.argv[1], "wb") as out:
    while piece := sys.stdin.buffer.read(32768):
        out.write(piece)
        time.sleep(0.1)' "$1" &
    slow_pid=$!
}

# close_during_stalled_paste FILE: with a paste under way that reads
# nothing, the window goes at once when asked, the clipboard serves FILE
# whole, and the program ends by itself once it gives that paste up, and
# ends well.
close_during_stalled_paste() {
    stalled_paste
    ask_to_close || fail "could not ask the window to close"
    wait_until 2 window_gone || fail "the window did not go at once"
    clipboard_holds "$1"
    wait_until 10 ended "$app_pid" || fail "the program did not end"
    app_ended_well
    end_stalled_paste
}
