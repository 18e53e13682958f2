// Asks the clipboard's owner for its UTF8_STRING COUNT times at once, from one
// window into as many properties, and never reads any: each paste stalls
// where a large text goes in pieces. Ends after SECONDS.
// Usage: stalled_requests COUNT SECONDS
#include "xcb_peer.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace peer;

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    xcb_window_t self;
    if (!connect(self))
        return 2;
    const xcb_atom_t clipboard = atom("CLIPBOARD"), utf8 = atom("UTF8_STRING");
    for (int i = 0; i < std::atoi(argv[1]); ++i) {
        const std::string property = "_STALLED_" + std::to_string(i);
        xcb_convert_selection(connection, self, clipboard, utf8, atom(property.c_str()), XCB_CURRENT_TIME);
    }
    xcb_flush(connection);
    sleep(unsigned(std::atoi(argv[2])));
    return 0;
}
