#include "platform/clipboard/ClipboardText.h"
#include "platform/clipboard/DisplayClipboard.h"
#include "platform/clipboard/KeeperHandOver.h"
#include "platform/clipboard/WaylandModule.h"

#include "platform/wayland/DataControl.h"
#include "platform/wayland/ServedCopy.h"

#include <QAbstractEventDispatcher>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
#include <QtGui/qguiapplication_platform.h>
#else
#include <qpa/qplatformnativeinterface.h>
#endif

#include <wayland-client.h>

#include <array>
#include <utility>

namespace {

// Qt's own connection to the compositor.
wl_display *qtsDisplay()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    const auto *wayland = qGuiApp->nativeInterface<QNativeInterface::QWaylandApplication>();
    return wayland ? wayland->display() : nullptr;
#else
    // WORKAROUND: Qt 6.4 has no public way to it.
    return static_cast<wl_display *>(
        QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display"));
#endif
}

// The program serves its copies itself (ServedCopy.h), and asks whether the
// compositor took each: a compositor refuses a copy that carries no input
// serial it gave (a button pressed through a screen reader before any input
// reached the window) or that comes from a window without the focus, and
// keeps nothing itself once the program has gone. It asks on Qt's own
// connection, so that the answer comes in order with Qt's requests. Where it
// has the data-control protocol (wlroots, KWin), that protocol tells what
// the clipboard holds, and empties it whoever owns it. Elsewhere (Mutter)
// the compositor tells the focused client's newest data device of every
// change it makes: the program's own while it puts a copy, else Qt's, and
// Qt then says that the clipboard changed; a refused request changes
// nothing.
class WaylandClipboard final : public DisplayClipboard
{
public:
    explicit WaylandClipboard(wl_display *display)
        : m_display(display), m_dataControl(display, DataControl::Queue::OfItsOwn), m_served(display)
    {
        m_watchingQt = QObject::connect(QGuiApplication::clipboard(), &QClipboard::changed,
                                        [this](QClipboard::Mode mode) {
                                            if (mode == QClipboard::Clipboard)
                                                ++m_changes;
                                            qtChanged(mode);
                                        });
        // Qt's connection reads every queue's events and wakes the event
        // loop for them: other clients' copies are taken in as they come,
        // so that none stays queued while the program is idle.
        m_takingNotices = QObject::connect(QAbstractEventDispatcher::instance(),
                                           &QAbstractEventDispatcher::awake, [this] {
                                               m_dataControl.takeNotices();
                                               m_served.takeNotices();
                                           });
    }

    ~WaylandClipboard() override
    {
        QObject::disconnect(m_watchingQt);
        QObject::disconnect(m_takingNotices);
        // The program ends: Qt serves no more pastes from them.
        for (QMimeData *held : m_held)
            letGoOf(held);
    }

    // Qt's own emptying stays where the compositor has no data-control.
    void put(QMimeData *data) override
    {
        if (!data) {
            QGuiApplication::clipboard()->setMimeData(nullptr);
            return;
        }
        // A type of no content: the compositor lists it with the offer.
        const QString mark = QStringLiteral("%1-%2").arg(ownCopyType()).arg(++m_copies);
        data->setData(mark, QByteArray());
        const bool control = m_dataControl.available();
        const bool told = m_served.put(std::unique_ptr<QMimeData>(data), mark);
        m_taken = control ? m_dataControl.offerArrived(mark.toStdString())
                          : told || compositorChangedTheClipboard();
        if (!m_taken)
            m_served.withdraw();
    }

    // KWin takes a request to empty the clipboard from a client that does
    // not own it for done and leaves the other client's text, and data-control
    // emptying, done meanwhile, makes KWin 6.3 refuse the copy that follows.
    // A source of the program's own that offers no text replaces any
    // other as a copy does: a paste then inserts nothing.
    QMimeData *emptiness() override { return m_dataControl.available() ? new QMimeData : nullptr; }

    bool displayTookOurCopy() override { return m_taken; }

    bool displayTookTheEmptying() override
    {
        if (!m_dataControl.available())
            return compositorChangedTheClipboard();
        // Where the compositor refused the program's own emptiness (a
        // request without an input serial it takes), data-control empties
        // the clipboard whoever owns it.
        return m_taken || m_dataControl.empty();
    }

    const QMimeData *servedCopy() override { return m_served.current(); }

    // A compositor with data-control keeps nothing itself once the source's
    // client has gone; tessivan-keeper-wayland serves the text instead, as
    // that protocol lets it do without a window. Mutter keeps the text
    // itself. Pastes under way are served to their end.
    void keepAfterExit() override
    {
        const QMimeData *copy = m_served.current();
        if (copy && m_dataControl.holds(ownCopyType().toStdString()))
            handTextToKeeper(Keeper::Wayland, copy->text());
        m_served.finishPastes();
    }

private:
    // Whether the compositor told Qt of a change after Qt's last request:
    // a round trip on Qt's own queue, as Qt makes itself, dispatches what
    // the compositor said before answering it.
    bool compositorChangedTheClipboard()
    {
        const int before = m_changes;
        // cppcheck-suppress knownConditionTrueFalse ; the round trip counts, through Qt's signal
        return wl_display_roundtrip(m_display) >= 0 && m_changes != before;
    }

    // WORKAROUND: Qt before 6.5.2 never deletes the data its Wayland clipboard
    // and primary selection are given, so every copy's text would stay in
    // memory, the buttons' and the boxes' alike. Qt has let go of the
    // program's data once it holds other data in its place, or none.
    void qtChanged(QClipboard::Mode mode)
    {
        if (mode != QClipboard::Clipboard && mode != QClipboard::Selection)
            return;
        QMimeData *&held = m_held[mode == QClipboard::Selection ? 1 : 0];
        auto *now = const_cast<QMimeData *>(QGuiApplication::clipboard()->mimeData(mode));
        const bool ours = now && madeByClipboardText(*now);
        if (now != held)
            letGoOf(std::exchange(held, ours ? now : nullptr));
    }

    static void letGoOf(QMimeData *data)
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 2)
        delete data;
#else
        Q_UNUSED(data);
#endif
    }

    wl_display *m_display;
    DataControl m_dataControl;
    ServedCopy m_served;
    int m_copies = 0;
    bool m_taken = false;                 // the last copy put, by the compositor
    std::array<QMimeData *, 2> m_held {}; // the program's data in Qt's clipboard and selection
    int m_changes = 0;                    // of the clipboard, as Qt has told them
    QMetaObject::Connection m_watchingQt;
    QMetaObject::Connection m_takingNotices;
};

} // namespace

DisplayClipboard *tessivanWaylandClipboard()
{
    wl_display *display = qtsDisplay();
    return display ? new WaylandClipboard(display) : nullptr;
}
