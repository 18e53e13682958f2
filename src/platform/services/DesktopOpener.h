#pragma once

class QUrl;

enum class Opened { Yes, No, NotAsked };

// Opens url with the desktop's xdg-open, where the program runs on a desktop
// that has it, and tells whether it failed: Qt starts it and looks no
// further, so a desktop without a browser said nothing. Waits at most about
// two seconds, the window repainting meanwhile; an opener still running then
// (a browser started in the foreground) or one that ended well has opened
// the address. NotAsked where there is no xdg-open to ask.
Opened openWithXdgOpen(const QUrl &url);
