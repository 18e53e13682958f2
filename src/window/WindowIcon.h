#pragma once

#include <QIcon>

// The window's icon: the renderings of data/tessivan.svg made at build time,
// each read only while it is asked for. A QIcon of the renderings would keep
// all of them in memory for the program's life, where the window system takes
// its own copy once.
QIcon WindowIcon();
