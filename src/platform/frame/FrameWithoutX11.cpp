// Stands in for platform/x11/ in a build without X11.
#include "platform/frame/FixedFrame.h"

void askX11ForFixedFrame(QWindow *) {}
