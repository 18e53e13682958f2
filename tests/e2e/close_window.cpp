// Asks a window to close as a window manager does, with WM_DELETE_WINDOW:
// a bare X server has no window manager to do it.
// Usage: close_window WINDOW_ID
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply
        = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return value;
}

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
    event.type = atom(connection, "WM_PROTOCOLS");
    event.data.data32[0] = atom(connection, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_generic_error_t *error
        = xcb_request_check(connection,
                            xcb_send_event_checked(connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT,
                                                   reinterpret_cast<const char *>(&event)));
    const bool sent = error == nullptr;
    std::free(error);
    xcb_disconnect(connection);
    return sent ? 0 : 1;
}
