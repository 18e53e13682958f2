// Stands in for platform/x11/ in a build without X11.
#include "platform/clipboard/DisplayClipboard.h"

std::unique_ptr<DisplayClipboard> x11Clipboard()
{
    return nullptr;
}
