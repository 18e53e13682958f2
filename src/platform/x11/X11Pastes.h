#pragma once

#include <memory>

// Qt writes a large paste in pieces (INCR) from the event loop, as its reader
// takes them, and drops those still under way when the program ends: their
// readers would then wait for the last, empty piece for ever. This follows
// the pastes from the start, so that the end can wait for them.
class X11Pastes
{
public:
    X11Pastes();
    ~X11Pastes();
    X11Pastes(const X11Pastes &) = delete;
    X11Pastes &operator=(const X11Pastes &) = delete;

    // Runs the event loop until every paste under way has ended, or Qt has
    // given it up after one clipboard timeout in which its reader took nothing.
    void finish();

private:
    class Follower;
    std::unique_ptr<Follower> m_follower;
};
