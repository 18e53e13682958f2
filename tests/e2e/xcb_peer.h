// What the stand-in X11 clipboard peers share: their connection, atoms by
// name and the answer to a selection request.
#pragma once

#include "platform/x11/XcbAtom.h"

#include <xcb/xcb.h>

namespace peer {

inline xcb_connection_t *connection;

inline xcb_atom_t atom(const char *name)
{
    return xcbAtom(connection, name);
}

// property XCB_ATOM_NONE: the request is refused.
inline void notify(xcb_window_t requestor, xcb_atom_t selection, xcb_atom_t target, xcb_atom_t property,
                   xcb_timestamp_t time)
{
    xcb_selection_notify_event_t event {};
    event.response_type = XCB_SELECTION_NOTIFY;
    event.requestor = requestor;
    event.selection = selection;
    event.target = target;
    event.property = property;
    event.time = time;
    xcb_send_event(connection, 0, requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&event));
    xcb_flush(connection);
}

// A window of its own to own selections with; false where the X server
// cannot be reached.
inline bool connect(xcb_window_t &window)
{
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return false;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    return true;
}

// Takes the selection for window; false where another client holds it still.
inline bool own(xcb_window_t window, xcb_atom_t selection)
{
    xcb_set_selection_owner(connection, window, selection, XCB_CURRENT_TIME);
    const auto owner = owned(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
    return owner && owner->owner == window;
}

} // namespace peer
