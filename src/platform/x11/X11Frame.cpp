#include "platform/frame/FixedFrame.h"

#include "platform/x11/XcbAtom.h"

#include <QGuiApplication>
#include <QWindow>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>

// Qt's Motif hints always allow resizing, which a window manager then offers
// (and a maximise with it) although the size hints fix the size: the hints
// are written again with moving and closing only.
void askX11ForFixedFrame(QWindow *window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // The offscreen platform answers too, without a connection.
    if (QGuiApplication::platformName() != u"xcb" || !x11 || !x11->connection() || !window)
        return;
    xcb_connection_t *connection = x11->connection();
    const xcb_atom_t atom = xcbAtom(connection, "_MOTIF_WM_HINTS");
    if (atom == XCB_ATOM_NONE)
        return;
    enum : uint32_t { Functions = 1, Decorations = 2 };
    enum : uint32_t { Move = 4, Close = 32 };
    enum : uint32_t { Border = 2, Title = 8, Menu = 16 };
    const std::array<uint32_t, 5> hints
        = {Functions | Decorations, Move | Close, Border | Title | Menu, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), atom, atom, 32,
                        hints.size(), hints.data());
    xcb_flush(connection);
}
