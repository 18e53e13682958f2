# Real keyboard input on a headless Mutter, through its RemoteDesktop D-Bus
# API, in a session of its own: reads lines of evdev key codes from a named
# pipe, "56 62" for Alt+F4, and presses each line's keys in order and
# releases them in reverse. Prints "ready" once the session has started, and
# ends at a line "end". The virtual keyboard appears with its first event.
# Usage: mutter_input.py FIFO
import sys

from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(path, interface, method, arguments=None):
    return bus.call_sync("org.gnome.Mutter.RemoteDesktop", path, interface, method, arguments, None,
                         Gio.DBusCallFlags.NONE, 5000, None)


session = call("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop", "CreateSession").unpack()[0]
SESSION = "org.gnome.Mutter.RemoteDesktop.Session"
call(session, SESSION, "Start")


def keys(codes):
    for code, pressed in [(code, True) for code in codes] + [(code, False) for code in reversed(codes)]:
        call(session, SESSION, "NotifyKeyboardKeycode", GLib.Variant("(ub)", (code, pressed)))


print("ready", flush=True)
with open(sys.argv[1]) as lines:
    for line in lines:
        if line.strip() == "end":
            break
        keys([int(code) for code in line.split()])
call(session, SESSION, "Stop")
