// tessivan-keeper-x11: serves a text on the X11 clipboard after Tessivan has
// ended, where no clipboard manager would take it over. Tessivan starts it at
// exit and hands it the text (HandOverFormat.h). It ends by itself when
// another client takes the clipboard or empties it, or when the X server
// goes. No toolkit: xcb alone. It holds the text once, in UTF-8, and derives
// the Latin-1 of STRING as each paste asks for it.
#include "platform/clipboard/HandOverFormat.h"
#include "platform/clipboard/KeeperTransfers.h"
#include "platform/x11/XcbAtom.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <list>
#include <poll.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace keeper;

enum Name {
    Clipboard,
    Targets,
    Timestamp,
    Multiple,
    Utf8String,
    TextPlainUtf8,
    TextPlain,
    Text,
    Incr,
    AtomPair,
    OwnProperty,
    NameCount
};
constexpr std::array<std::string_view, NameCount> Names
    = {"CLIPBOARD",  "TARGETS", "TIMESTAMP", "MULTIPLE",  "UTF8_STRING",     "text/plain;charset=utf-8",
       "text/plain", "TEXT",    "INCR",      "ATOM_PAIR", "_TESSIVAN_KEEPER"};

// Larger texts go in pieces (INCR): within any server's request size, and
// small enough that pastes that never read hold little of the X server's
// memory either.
constexpr uint32_t LargestPiece = 256 * 1024;

enum class Encoding { Utf8, Latin1 };

// An INCR paste under way: the next piece goes once the reader has deleted
// the last one.
struct Transfer
{
    xcb_window_t requestor;
    xcb_atom_t property;
    xcb_atom_t type;
    Encoding encoding;
    size_t offset = 0; // into the UTF-8 text
    Clock::time_point lastProgress = Clock::now();
};

// Decodes one character of UTF-8 at offset, moving past it; a byte that
// starts no character is one of its own, which Latin-1 cannot hold.
char32_t nextCharacter(std::string_view utf8, size_t &offset)
{
    const auto lead = static_cast<unsigned char>(utf8[offset++]);
    const int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (lead >= 0x80 && more == 0)
        return 0xFFFD;
    char32_t c = more == 0 ? lead : lead & (0x3F >> more);
    for (int i = 0; i < more && offset < utf8.size(); ++i)
        c = (c << 6) | (static_cast<unsigned char>(utf8[offset++]) & 0x3F);
    return c;
}

// Latin-1, as the ICCCM defines STRING, for up to limit bytes of output from
// offset on, moving offset past what it took; what Latin-1 cannot hold is a
// question mark.
std::string latin1(std::string_view utf8, size_t &offset, size_t limit)
{
    std::string out;
    out.reserve(std::min(limit, utf8.size() - offset));
    while (offset < utf8.size() && out.size() < limit) {
        const char32_t c = nextCharacter(utf8, offset);
        out.push_back(c < 0x100 ? char(c) : '?');
    }
    return out;
}

// The length of the text in Latin-1: one byte a character, where UTF-8 has
// one byte that is no continuation.
size_t latin1Length(std::string_view utf8)
{
    return size_t(std::count_if(utf8.begin(), utf8.end(),
                                [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

class Keeper
{
public:
    Keeper(xcb_connection_t *connection, std::string text)
        : m_connection(connection), m_text(std::move(text)), m_atoms(xcbAtoms(connection, Names))
    {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        m_window = xcb_generate_id(connection);
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    }

    // Takes the clipboard with a time of the server's, as the ICCCM asks.
    bool own()
    {
        xcb_change_property(m_connection, XCB_PROP_MODE_APPEND, m_window, m_atoms[OwnProperty],
                            XCB_ATOM_STRING, 8, 0, nullptr);
        xcb_flush(m_connection);
        while (const auto event = owned(xcb_wait_for_event(m_connection))) {
            if ((event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY) {
                m_since = reinterpret_cast<const xcb_property_notify_event_t *>(event.get())->time;
                break;
            }
        }
        xcb_set_selection_owner(m_connection, m_window, m_atoms[Clipboard], m_since);
        const auto owner = owned(xcb_get_selection_owner_reply(
            m_connection, xcb_get_selection_owner(m_connection, m_atoms[Clipboard]), nullptr));
        m_owner = owner && owner->owner == m_window;
        return m_owner;
    }

    // Serves pastes until another client has taken the clipboard and every
    // paste under way is done or stalled, or the X server goes.
    int serve()
    {
        for (;;) {
            while (const auto event = owned(xcb_poll_for_event(m_connection)))
                handle(*event);
            if (xcb_connection_has_error(m_connection))
                return 0;
            const auto limit = m_owner ? StallLimit : StallLimitOnceReplaced;
            m_transfers.remove_if([&](const Transfer &t) { return Clock::now() - t.lastProgress >= limit; });
            if (!m_owner && m_transfers.empty())
                return 0;
            xcb_flush(m_connection);
            pollfd server {xcb_get_file_descriptor(m_connection), POLLIN, 0};
            ::poll(&server, 1, msUntilAStall(m_transfers, limit));
        }
    }

private:
    void handle(const xcb_generic_event_t &event)
    {
        switch (event.response_type & ~0x80) {
        case 0: // an error: a requestor's window gone mid-transfer, for one
            forget(reinterpret_cast<const xcb_generic_error_t &>(event).resource_id);
            break;
        case XCB_SELECTION_REQUEST:
            answer(reinterpret_cast<const xcb_selection_request_event_t &>(event));
            break;
        case XCB_SELECTION_CLEAR:
            m_owner = false;
            break;
        case XCB_PROPERTY_NOTIFY:
            pieceTaken(reinterpret_cast<const xcb_property_notify_event_t &>(event));
            break;
        case XCB_DESTROY_NOTIFY:
            forget(reinterpret_cast<const xcb_destroy_notify_event_t &>(event).window);
            break;
        default:
            break;
        }
    }

    void answer(const xcb_selection_request_event_t &request)
    {
        // Obsolete clients name no property: the target stands for it.
        const xcb_atom_t property = request.property != XCB_ATOM_NONE ? request.property : request.target;
        // A request from before the keeper took the clipboard is not for it.
        const bool current = request.time == XCB_CURRENT_TIME || int32_t(request.time - m_since) >= 0;
        bool done = false;
        if (m_owner && current && request.selection == m_atoms[Clipboard]) {
            done = request.target == m_atoms[Multiple] ? convertEach(request.requestor, property)
                                                       : convert(request.requestor, request.target, property);
        }
        xcb_selection_notify_event_t notify {};
        notify.response_type = XCB_SELECTION_NOTIFY;
        notify.time = request.time;
        notify.requestor = request.requestor;
        notify.selection = request.selection;
        notify.target = request.target;
        notify.property = done ? property : xcb_atom_t(XCB_ATOM_NONE);
        xcb_send_event(m_connection, 0, request.requestor, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&notify));
    }

    // MULTIPLE: the property lists pairs of target and property; a pair
    // that cannot be converted has its property replaced by None.
    bool convertEach(xcb_window_t requestor, xcb_atom_t property)
    {
        const auto reply = owned(xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, requestor, property, m_atoms[AtomPair], 0, 1 << 16), nullptr));
        if (!reply || reply->format != 32)
            return false;
        const auto *values = static_cast<const xcb_atom_t *>(xcb_get_property_value(reply.get()));
        std::vector<xcb_atom_t> pairs(values, values + xcb_get_property_value_length(reply.get()) / 4);
        for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
            if (pairs[i + 1] == XCB_ATOM_NONE || !convert(requestor, pairs[i], pairs[i + 1]))
                pairs[i + 1] = XCB_ATOM_NONE;
        }
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property, m_atoms[AtomPair], 32,
                            uint32_t(pairs.size()), pairs.data());
        return true;
    }

    bool convert(xcb_window_t requestor, xcb_atom_t target, xcb_atom_t property)
    {
        if (target == m_atoms[Targets]) {
            const std::array<xcb_atom_t, 8> targets
                = {m_atoms[Targets],       m_atoms[Timestamp], m_atoms[Multiple], m_atoms[Utf8String],
                   m_atoms[TextPlainUtf8], m_atoms[TextPlain], XCB_ATOM_STRING,   m_atoms[Text]};
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_ATOM, 32,
                                targets.size(), targets.data());
            return true;
        }
        if (target == m_atoms[Timestamp]) {
            xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property, XCB_ATOM_INTEGER,
                                32, 1, &m_since);
            return true;
        }
        Transfer transfer {requestor, property, target, Encoding::Utf8};
        if (target == XCB_ATOM_STRING)
            transfer.encoding = Encoding::Latin1;
        else if (target == m_atoms[Text] || target == m_atoms[Utf8String])
            transfer.type = m_atoms[Utf8String]; // TEXT: whichever encoding the owner prefers
        else if (target != m_atoms[TextPlainUtf8] && target != m_atoms[TextPlain])
            return false;

        const size_t length = transfer.encoding == Encoding::Utf8 ? m_text.size() : latin1Length(m_text);
        if (length <= pieceSize()) {
            sendPiece(transfer);
            return true;
        }
        // In pieces: each goes once the reader has deleted the one before,
        // which the keeper hears of on the reader's window.
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, requestor, XCB_CW_EVENT_MASK, &events);
        const auto lowerBound = uint32_t(std::min<size_t>(length, UINT32_MAX));
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, requestor, property, m_atoms[Incr], 32, 1,
                            &lowerBound);
        if (m_transfers.size() >= MostTransfers)
            m_transfers.erase(stalledLongest(m_transfers));
        m_transfers.push_back(transfer);
        return true;
    }

    uint32_t pieceSize() const
    {
        const uint32_t request = xcb_get_maximum_request_length(m_connection) * 4;
        return std::min(LargestPiece, request - 64);
    }

    // Writes the next piece (all of the text where it fits in one); true
    // while more is to come.
    bool sendPiece(Transfer &transfer)
    {
        const size_t limit = pieceSize();
        std::string converted;
        std::string_view piece;
        if (transfer.encoding == Encoding::Utf8) {
            piece = std::string_view(m_text).substr(transfer.offset, limit);
            transfer.offset += piece.size();
        } else {
            converted = latin1(m_text, transfer.offset, limit);
            piece = converted;
        }
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, transfer.requestor, transfer.property,
                            transfer.type, 8, uint32_t(piece.size()), piece.data());
        transfer.lastProgress = Clock::now();
        return !piece.empty();
    }

    // The reader deleted a piece: the next one, or the empty one that ends
    // the transfer.
    void pieceTaken(const xcb_property_notify_event_t &event)
    {
        if (event.state != XCB_PROPERTY_DELETE)
            return;
        const auto transfer = std::find_if(m_transfers.begin(), m_transfers.end(), [&](const Transfer &t) {
            return t.requestor == event.window && t.property == event.atom;
        });
        if (transfer != m_transfers.end() && !sendPiece(*transfer))
            m_transfers.erase(transfer);
    }

    void forget(xcb_window_t requestor)
    {
        m_transfers.remove_if([&](const Transfer &t) { return t.requestor == requestor; });
    }

    xcb_connection_t *m_connection;
    const std::string m_text;
    const std::array<xcb_atom_t, NameCount> m_atoms;
    xcb_window_t m_window = XCB_WINDOW_NONE;
    xcb_timestamp_t m_since = XCB_CURRENT_TIME;
    bool m_owner = false;
    std::list<Transfer> m_transfers;
};

} // namespace

int main()
{
    // Read before connecting to the display, which takes longer.
    std::optional<std::string> text = readHandOver(stdin);
    if (!text)
        return 1;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return 1;
    }
    int status = 1;
    {
        Keeper keeper(connection, std::move(*text));
        if (keeper.own()) {
            std::fputs("kept\n", stdout);
            std::fclose(stdout);
            status = keeper.serve();
        }
    }
    xcb_disconnect(connection);
    return status;
}
