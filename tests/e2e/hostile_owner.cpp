// A clipboard owner that misbehaves, as another program can: "refuses"
// answers every request with nothing, "lists-nothing" offers no type at all,
// and "stalls" offers text but never sends it. It prints "ready" once it owns
// the clipboard, and ends with status 0 when another client takes it over or
// the X server goes.
// Usage: hostile_owner refuses|lists-nothing|stalls
#include "xcb_peer.h"

#include <cstdio>
#include <string_view>

using namespace peer;

int main(int argc, char **argv)
{
    const std::string_view mode = argc == 2 ? argv[1] : "";
    if (mode != "refuses" && mode != "lists-nothing" && mode != "stalls") {
        std::fprintf(stderr, "usage: hostile_owner refuses|lists-nothing|stalls\n");
        return 2;
    }
    xcb_window_t self;
    if (!connect(self))
        return 2;
    const xcb_atom_t clipboard = atom("CLIPBOARD"), targets = atom("TARGETS");
    const xcb_atom_t offered[] = {targets, atom("UTF8_STRING"), atom("text/plain;charset=utf-8")};
    if (!own(self, clipboard))
        return 1;
    std::puts("ready");
    std::fflush(stdout);

    while (const auto event = owned(xcb_wait_for_event(connection))) {
        const int type = event->response_type & ~0x80;
        if (type == XCB_SELECTION_CLEAR)
            return 0;
        if (type == XCB_SELECTION_REQUEST) {
            const auto *request = reinterpret_cast<xcb_selection_request_event_t *>(event.get());
            xcb_atom_t answer = XCB_ATOM_NONE;
            if (request->target == targets && mode != "refuses") {
                const uint32_t count = mode == "stalls" ? 3 : 0;
                xcb_change_property(connection, XCB_PROP_MODE_REPLACE, request->requestor, request->property,
                                    XCB_ATOM_ATOM, 32, count, offered);
                answer = request->property;
            }
            if (request->target == targets || mode != "stalls")
                notify(request->requestor, request->selection, request->target, answer, request->time);
        }
    }
    return 0;
}
