// Pastes the clipboard's UTF8_STRING as a slow reader does, taking each piece
// of a paste in pieces (INCR) MS milliseconds after it comes, and writes the
// text to standard output. Ends with status 0 once the owner has sent the
// empty piece that ends such a paste, or the text whole in one; 1 where the
// owner refuses. A paste never ended holds it: the caller bounds the wait.
// Usage: slow_paste MS
#include "xcb_peer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

using namespace peer;

namespace {

xcb_generic_event_t *next(xcb_atom_t property, int type)
{
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        const int got = event->response_type & ~0x80;
        if (got == XCB_SELECTION_NOTIFY && type == got)
            return event;
        if (got == XCB_PROPERTY_NOTIFY && type == got) {
            const auto *notify = reinterpret_cast<xcb_property_notify_event_t *>(event);
            if (notify->atom == property && notify->state == XCB_PROPERTY_NEW_VALUE)
                return event;
        }
        std::free(event);
    }
    return nullptr;
}

// Reads the property whole, and deletes it.
XcbReply<xcb_get_property_reply_t> take(xcb_window_t self, xcb_atom_t property)
{
    return owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 1, self, property, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4),
        nullptr));
}

} // namespace

int main(int argc, char **argv)
{
    xcb_window_t self;
    if (argc != 2 || !connect(self))
        return 2;
    const std::chrono::milliseconds delay(std::atoi(argv[1]));
    const xcb_atom_t property = atom("_SLOW_PASTE"), incr = atom("INCR");
    const uint32_t watched = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, self, XCB_CW_EVENT_MASK, &watched);
    xcb_convert_selection(connection, self, atom("CLIPBOARD"), atom("UTF8_STRING"), property,
                          XCB_CURRENT_TIME);
    xcb_flush(connection);

    const auto answer
        = owned(reinterpret_cast<xcb_selection_notify_event_t *>(next(property, XCB_SELECTION_NOTIFY)));
    if (!answer || answer->property == XCB_ATOM_NONE)
        return 1;
    auto piece = take(self, property);
    if (!piece)
        return 1;
    if (piece->type != incr) {
        std::fwrite(xcb_get_property_value(piece.get()), 1, xcb_get_property_value_length(piece.get()),
                    stdout);
        return 0;
    }
    // Taking the INCR property asks for the first piece.
    xcb_flush(connection);
    while (owned(next(property, XCB_PROPERTY_NOTIFY))) {
        std::this_thread::sleep_for(delay);
        piece = take(self, property);
        if (!piece)
            return 1;
        const int length = xcb_get_property_value_length(piece.get());
        if (length == 0)
            return 0;
        std::fwrite(xcb_get_property_value(piece.get()), 1, length, stdout);
        xcb_flush(connection);
    }
    return 1;
}
