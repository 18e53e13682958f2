#pragma once

#include <chrono>

// Who holds the X11 clipboard, asked of the X server itself: Qt remembers
// owning it even after another client has emptied it. Both are false off X11.

// The clipboard's owner is a window of this process's own display connection.
bool clipboardOwnedHere();
// The connection to the X server has broken: the server has gone. False
// where there is no connection (yet, or any more).
bool displayGone();
// A clipboard manager runs, which Qt hands the clipboard to at exit.
bool clipboardManagerRuns();

// Asks the clipboard manager to save the clipboard this process owns, as Qt
// does at exit, and serves its requests for the text meanwhile. True once
// the manager says it has saved it; false when it refuses or has not
// answered within patience, as a hung one never does.
bool clipboardManagerSaved(std::chrono::milliseconds patience);
