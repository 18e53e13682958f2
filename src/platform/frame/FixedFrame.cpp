#include "platform/frame/FixedFrame.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace {

constexpr Qt::WindowStates Enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

// Qt 6.4 draws a maximise button on the decorations it draws itself (GNOME)
// whatever a window asks for, and a compositor may maximise a window by a key
// of its own; a fixed frame cannot grow, so the state is taken back.
class StaysAtItsSize final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::WindowStateChange && (window->windowState() & Enlarged)) {
            // Not from within the change itself, which Qt is still making.
            QMetaObject::invokeMethod(
                window, [window] { window->setWindowState(window->windowState() & ~Enlarged); },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void askForFixedFrame(QWidget *window)
{
    // Qt leaves minimise and maximise out of its hints, and out of the
    // decorations it draws itself, only when asked to customise them.
    window->setWindowFlags((window->windowFlags() & Qt::WindowType_Mask) | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->installEventFilter(new StaysAtItsSize(window));
    window->winId();
    askX11ForFixedFrame(window->windowHandle());
}
