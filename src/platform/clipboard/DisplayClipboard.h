#pragma once

#include <memory>

// What a display system adds to Qt's clipboard where Qt alone falls short.
// Each display system has its own, in a folder of its own; the base adds
// nothing.
class DisplayClipboard
{
public:
    virtual ~DisplayClipboard() = default;

    // Called as the program ends: keeps the text the program copied on the
    // clipboard where the display system would let it go with the program.
    virtual void keepAfterExit() {}
};

// The one for the display system the program runs on.
std::unique_ptr<DisplayClipboard> displayClipboard();

// Each display system's, or null when the program runs on another. The
// build links the display system's own folder, or a stand-in that always
// gives null where it leaves that display system out.
std::unique_ptr<DisplayClipboard> x11Clipboard();
