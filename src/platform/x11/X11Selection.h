#pragma once

// Who holds the X11 clipboard, asked of the X server itself: Qt remembers
// owning it even after another client has emptied it. Both are false off X11.

// The clipboard's owner is a window of this process's own display connection.
bool clipboardOwnedHere();
// A clipboard manager runs, which Qt hands the clipboard to at exit.
bool clipboardManagerRuns();
