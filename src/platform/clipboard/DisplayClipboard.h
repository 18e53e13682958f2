#pragma once

#include <memory>

class QMimeData;

// What a display system adds to Qt's clipboard where Qt alone falls short.
// Each display system has its own, in a folder of its own; the base adds
// nothing and takes Qt's word.
class DisplayClipboard
{
public:
    virtual ~DisplayClipboard() = default;

    // Marks what is about to go on Qt's clipboard as this copy of the
    // program's, told apart later from everything else there, earlier copies
    // included.
    virtual void markAsOurCopy(QMimeData &) {}
    // What Qt's clipboard is given to empty it: null, Qt's own emptying.
    virtual QMimeData *emptiness() { return nullptr; }
    // Right after Qt's clipboard was given the copy last marked, or emptied:
    // whether the display server took it. Qt takes a request for done even
    // when the display server refuses it.
    virtual bool displayTookOurCopy() { return true; }
    virtual bool displayTookTheEmptying() { return true; }

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
std::unique_ptr<DisplayClipboard> waylandClipboard();

// Under XWayland, x11 with the compositor's own clipboard kept in step where
// the compositor lets a client do that; elsewhere, or in a build without
// Wayland, x11 itself.
std::unique_ptr<DisplayClipboard> withWaylandBeside(std::unique_ptr<DisplayClipboard> x11);
