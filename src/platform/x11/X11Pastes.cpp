#include "platform/x11/X11Pastes.h"

#include "platform/clipboard/KeeperTransfers.h"
#include "platform/x11/XcbAtom.h"

#include <QAbstractNativeEventFilter>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <xcb/xcb.h>

#include <algorithm>
#include <vector>

class X11Pastes::Follower final : public QAbstractNativeEventFilter
{
public:
    explicit Follower(xcb_connection_t *connection) : m_connection(connection)
    {
        qApp->installNativeEventFilter(this);
    }
    ~Follower() override { qApp->removeNativeEventFilter(this); }
    Follower(const Follower &) = delete;
    Follower &operator=(const Follower &) = delete;

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        switch (event->response_type & ~0x80) {
        case XCB_SELECTION_REQUEST:
            requested(static_cast<const xcb_selection_request_event_t *>(message)->requestor);
            break;
        case XCB_PROPERTY_NOTIFY: {
            // A reader takes a piece by deleting it.
            const auto *notify = static_cast<const xcb_property_notify_event_t *>(message);
            if (notify->state == XCB_PROPERTY_DELETE)
                if (auto reader = find(notify->window); reader != m_readers.end())
                    reader->lastProgress = keeper::Clock::now();
            break;
        }
        default:
            break;
        }
        return false;
    }

    void finish()
    {
        dropEnded();
        if (m_readers.empty())
            return;
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
            dropEnded();
            if (m_readers.empty())
                loop.quit();
        });
        poll.start(std::chrono::milliseconds(50));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

private:
    struct Reader
    {
        xcb_window_t window;
        keeper::Clock::time_point lastProgress;
    };

    std::vector<Reader>::iterator find(xcb_window_t window)
    {
        return std::find_if(m_readers.begin(), m_readers.end(),
                            [window](const Reader &reader) { return reader.window == window; });
    }

    // Any request may become a paste in pieces; which did is asked at the end.
    void requested(xcb_window_t window)
    {
        if (auto reader = find(window); reader != m_readers.end()) {
            reader->lastProgress = keeper::Clock::now();
            return;
        }
        if (m_readers.size() == keeper::MostTransfers)
            m_readers.erase(keeper::stalledLongest(m_readers));
        m_readers.push_back({window, keeper::Clock::now()});
    }

    void dropEnded()
    {
        std::erase_if(m_readers, [this](const Reader &reader) { return !underWay(reader); });
    }

    // Qt watches the reader's window for the whole of a paste in pieces, and
    // stops once it has written the last, empty piece. A window gone, or the
    // X server, ends the paste too. A stalled paste is Qt's to give up, on a
    // coarse timer that may fire 5% late: it is followed a tenth longer,
    // so that none is left to Qt as the program ends.
    bool underWay(const Reader &reader) const
    {
        constexpr auto QtGivesUp = keeper::StallLimit + keeper::StallLimit / 10;
        if (keeper::Clock::now() - reader.lastProgress >= QtGivesUp)
            return false;
        const auto attributes = owned(xcb_get_window_attributes_reply(
            m_connection, xcb_get_window_attributes(m_connection, reader.window), nullptr));
        return attributes && (attributes->your_event_mask & XCB_EVENT_MASK_PROPERTY_CHANGE);
    }

    xcb_connection_t *const m_connection;
    std::vector<Reader> m_readers;
};

X11Pastes::X11Pastes()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11)
        m_follower = std::make_unique<Follower>(x11->connection());
}

X11Pastes::~X11Pastes() = default;

void X11Pastes::finish()
{
    if (m_follower)
        m_follower->finish();
}
