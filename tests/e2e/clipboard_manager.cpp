// A stand-in clipboard manager, as desktops run one: it owns
// CLIPBOARD_MANAGER, and when a program asks it to SAVE_TARGETS it fetches
// the clipboard's UTF8_STRING, says so, and serves that text once the
// program's window is gone. "hangs" owns the selection and answers nothing.
// It prints "ready" once it owns the selection, and runs until ended or the
// X server goes.
// Usage: clipboard_manager works|hangs
#include "xcb_peer.h"

#include <cstdio>
#include <cstring>
#include <poll.h>
#include <string>

using namespace peer;

int main(int argc, char **argv)
{
    const bool works = argc == 2 && std::strcmp(argv[1], "works") == 0;
    if (!works && !(argc == 2 && std::strcmp(argv[1], "hangs") == 0)) {
        std::fprintf(stderr, "usage: clipboard_manager works|hangs\n");
        return 2;
    }
    xcb_window_t self;
    if (!connect(self))
        return 2;
    const xcb_atom_t manager = atom("CLIPBOARD_MANAGER"), clipboard = atom("CLIPBOARD"),
                     saveTargets = atom("SAVE_TARGETS"), targets = atom("TARGETS"),
                     utf8 = atom("UTF8_STRING"), fetched = atom("_STAND_IN_FETCHED");
    if (!own(self, manager))
        return 1;
    std::puts("ready");
    std::fflush(stdout);
    if (!works) {
        // Reads nothing, until the X server goes.
        pollfd server {xcb_get_file_descriptor(connection), 0, 0};
        while (poll(&server, 1, -1) == 0 || !(server.revents & (POLLHUP | POLLERR))) {}
        return 0;
    }

    xcb_selection_request_event_t saving {};
    std::string text;
    while (const auto event = owned(xcb_wait_for_event(connection))) {
        switch (event->response_type & ~0x80) {
        case XCB_SELECTION_REQUEST: {
            const auto *request = reinterpret_cast<xcb_selection_request_event_t *>(event.get());
            if (request->selection == manager && request->target == saveTargets) {
                saving = *request;
                const uint32_t structure = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
                xcb_change_window_attributes(connection, request->requestor, XCB_CW_EVENT_MASK, &structure);
                xcb_convert_selection(connection, self, clipboard, utf8, fetched, XCB_CURRENT_TIME);
                xcb_flush(connection);
                break;
            }
            xcb_atom_t answer = XCB_ATOM_NONE;
            if (request->selection == clipboard && request->target == targets) {
                const xcb_atom_t offered[] = {targets, utf8};
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request->requestor, request->property,
                                    XCB_ATOM_ATOM, 32, 2, offered);
                answer = request->property;
            } else if (request->selection == clipboard && request->target == utf8) {
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request->requestor, request->property,
                                    utf8, 8, text.size(), text.data());
                answer = request->property;
            }
            notify(request->requestor, request->selection, request->target, answer, request->time);
            break;
        }
        case XCB_SELECTION_NOTIFY: {
            // The clipboard's text, fetched for the program that asked.
            const auto reply = owned(xcb_get_property_reply(
                connection, xcb_get_property(connection, 1, self, fetched, XCB_ATOM_ANY, 0, 1 << 22),
                nullptr));
            const bool got = reply && reply->type == utf8;
            if (got)
                text.assign(static_cast<const char *>(xcb_get_property_value(reply.get())),
                            xcb_get_property_value_length(reply.get()));
            notify(saving.requestor, manager, saveTargets, got ? saving.property : xcb_atom_t(XCB_ATOM_NONE),
                   saving.time);
            break;
        }
        case XCB_DESTROY_NOTIFY:
            // The program has gone: its text is served from here on.
            if (reinterpret_cast<xcb_destroy_notify_event_t *>(event.get())->window == saving.requestor) {
                xcb_set_selection_owner(connection, self, clipboard, XCB_CURRENT_TIME);
                xcb_flush(connection);
            }
            break;
        default:
            break;
        }
    }
    return 0;
}
