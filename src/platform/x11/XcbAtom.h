#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

// What xcb returns is the caller's to free: held in this, it is freed when
// it goes. Header-only, so that the tests' X clients share it.
struct FreeXcbReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template<typename Reply> using XcbReply = std::unique_ptr<Reply, FreeXcbReply>;

// A reply, owned; null where the request failed.
template<typename Reply> XcbReply<Reply> owned(Reply *reply)
{
    return XcbReply<Reply>(reply);
}

// The atom of that name, made where no client has yet; with OnlyIfExists,
// XCB_ATOM_NONE then.
enum class AtomLookup { Make, OnlyIfExists };
inline xcb_atom_t xcbAtom(xcb_connection_t *connection, std::string_view name,
                          AtomLookup lookup = AtomLookup::Make)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, lookup == AtomLookup::OnlyIfExists, uint16_t(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}
