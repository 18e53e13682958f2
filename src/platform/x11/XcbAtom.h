#pragma once

#include <xcb/xcb.h>

#include <array>
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

// The atoms of those names, made where no client has yet, in one round trip.
template<std::size_t N>
std::array<xcb_atom_t, N> xcbAtoms(xcb_connection_t *connection, const std::array<std::string_view, N> &names)
{
    std::array<xcb_intern_atom_cookie_t, N> asked {};
    for (std::size_t i = 0; i < N; ++i)
        asked[i] = xcb_intern_atom(connection, 0, uint16_t(names[i].size()), names[i].data());
    std::array<xcb_atom_t, N> atoms {};
    for (std::size_t i = 0; i < N; ++i) {
        const auto reply = owned(xcb_intern_atom_reply(connection, asked[i], nullptr));
        atoms[i] = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    return atoms;
}
