#pragma once

#include <memory>

class QMimeData;

// What a display system adds to Qt's clipboard where Qt alone falls short.
// Each display system has its own, in a folder of its own; the base adds
// nothing and takes Qt's word.
class DisplayClipboard
{
public:
    // The one the program's copies and pastes go through until it goes.
    DisplayClipboard();
    virtual ~DisplayClipboard();
    DisplayClipboard(const DisplayClipboard &) = delete;
    DisplayClipboard &operator=(const DisplayClipboard &) = delete;

    // Puts a copy of the program's on the clipboard, told apart later from
    // everything else there, earlier copies included; takes ownership. Null,
    // or emptiness(), empties the clipboard. Qt's clipboard by default.
    virtual void put(QMimeData *data);
    // What put() is given to empty the clipboard: null, Qt's own emptying.
    virtual QMimeData *emptiness() { return nullptr; }
    // Right after put(): whether the display server took the copy, or the
    // emptying. Qt takes a request for done even when the display server
    // refuses it.
    virtual bool displayTookOurCopy() { return true; }
    virtual bool displayTookTheEmptying() { return true; }

    // The program's copy while the clipboard holds it and the program serves
    // it itself rather than through Qt; null otherwise. Qt's clipboard may
    // not know of it, and would read it through the display server from the
    // program itself.
    virtual const QMimeData *servedCopy() { return nullptr; }

    // Called as the program ends: keeps the text the program copied on the
    // clipboard where the display system would let it go with the program.
    virtual void keepAfterExit() {}
};

// The program's clipboard, for its own copies and pastes: the display
// clipboard made last while it lives, else Qt's. putOnClipboard() is true
// where the display server took the copy.
bool putOnClipboard(QMimeData *data);
const QMimeData *clipboardData();

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
