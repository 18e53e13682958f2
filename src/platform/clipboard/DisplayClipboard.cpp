#include "platform/clipboard/DisplayClipboard.h"

std::unique_ptr<DisplayClipboard> displayClipboard()
{
    if (auto x11 = x11Clipboard())
        return withWaylandBeside(std::move(x11));
    if (auto wayland = waylandClipboard())
        return wayland;
    return std::make_unique<DisplayClipboard>();
}
