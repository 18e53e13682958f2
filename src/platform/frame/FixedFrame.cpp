#include "platform/frame/FixedFrame.h"

#include <QWidget>

void askForFixedFrame(QWidget *window)
{
    // Qt leaves minimise and maximise out of its hints, and out of the
    // decorations it draws itself, only when asked to customise them.
    window->setWindowFlags((window->windowFlags() & Qt::WindowType_Mask) | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->winId();
    askX11ForFixedFrame(window->windowHandle());
}
