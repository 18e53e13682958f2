#include "platform/frame/FixedFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

constexpr Qt::WindowStates Enlarged = Qt::WindowMaximized | Qt::WindowFullScreen;

// Qt 6.4 draws a maximise button on the decorations it draws itself (GNOME)
// whatever a window asks for, and a compositor may maximise a window by a key
// of its own; a fixed frame cannot grow, so the state is taken back.
class StaysAtItsSize final : public QObject
{
public:
    explicit StaysAtItsSize(QWidget *window) : QObject(window), m_window(window)
    {
        // Not from within the change itself, which Qt is still making.
        m_takeBack.setSingleShot(true);
        m_takeBack.setInterval(0);
        connect(&m_takeBack, &QTimer::timeout, this,
                [this] { m_window->setWindowState(m_window->windowState() & ~Enlarged); });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::WindowStateChange && (m_window->windowState() & Enlarged))
            m_takeBack.start();
        return false;
    }

private:
    QWidget *m_window;
    QTimer m_takeBack;
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
