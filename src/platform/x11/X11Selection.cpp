#include "platform/x11/X11Selection.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

xcb_connection_t *displayConnection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template<typename Reply> std::unique_ptr<Reply, decltype(&std::free)> owned(Reply *reply)
{
    return {reply, &std::free};
}

xcb_window_t selectionOwner(xcb_connection_t *connection, const char *selection)
{
    const auto atom = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, std::strlen(selection), selection), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return XCB_WINDOW_NONE;
    const auto owner = owned(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    return owner ? owner->owner : xcb_window_t(XCB_WINDOW_NONE);
}

} // namespace

bool clipboardOwnedHere()
{
    xcb_connection_t *connection = displayConnection();
    if (!connection)
        return false;
    const xcb_window_t owner = selectionOwner(connection, "CLIPBOARD");
    // Every resource a connection creates carries the connection's id base.
    const xcb_setup_t *setup = xcb_get_setup(connection);
    return owner != XCB_WINDOW_NONE && (owner & ~setup->resource_id_mask) == setup->resource_id_base;
}

bool clipboardManagerRuns()
{
    xcb_connection_t *connection = displayConnection();
    return connection && selectionOwner(connection, "CLIPBOARD_MANAGER") != XCB_WINDOW_NONE;
}
