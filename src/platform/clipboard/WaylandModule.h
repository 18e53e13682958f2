#pragma once

class DisplayClipboard;

// The Wayland parts of the program's clipboard are a module of their own,
// which the program opens only on Wayland or XWayland: an X11 session never
// loads libwayland-client. These are its entries, each taking or giving
// ownership.
extern "C" {
// On Qt's own connection to the compositor; null without one.
DisplayClipboard *tessivanWaylandClipboard();
// x11, with the compositor's own clipboard kept in step where it lets a
// client do that.
DisplayClipboard *tessivanWaylandBesideX11(DisplayClipboard *x11);
}
