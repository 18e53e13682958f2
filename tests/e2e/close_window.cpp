// Asks a window to close as a window manager does, with WM_DELETE_WINDOW:
// a bare X server has no window manager to do it.
// Usage: close_window WINDOW_ID
#include "platform/x11/XcbAtom.h"

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_window WINDOW_ID\n");
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "close_window: no X server\n");
        return 2;
    }
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0));
    event.type = xcbAtom(connection, "WM_PROTOCOLS");
    event.data.data32[0] = xcbAtom(connection, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    const bool sent = !owned(
        xcb_request_check(connection,
                          xcb_send_event_checked(connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                                                 reinterpret_cast<const char *>(&event))));
    xcb_disconnect(connection);
    return sent ? 0 : 1;
}
