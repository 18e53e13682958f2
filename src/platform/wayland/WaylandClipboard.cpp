#include "platform/clipboard/ClipboardText.h"
#include "platform/clipboard/DisplayClipboard.h"
#include "platform/clipboard/KeeperHandOver.h"

#include "platform/wayland/DataControl.h"

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

// Qt takes a selection request for done, but a compositor refuses one that
// carries no input serial it gave (a button pressed through a screen reader
// before any input reached the window) or that comes from a window without
// the focus, and keeps nothing itself once the program has gone. This asks
// the compositor on Qt's own connection, so that the answer comes in order
// with Qt's requests. Where it has the data-control protocol (wlroots, KWin),
// that protocol tells what the clipboard holds, and empties it whoever owns
// it. Elsewhere (Mutter) the compositor tells the focused client's data
// device, Qt's, of every change it makes, and Qt then says that the
// clipboard changed; a refused request changes nothing.
class WaylandClipboard final : public DisplayClipboard
{
public:
    explicit WaylandClipboard(wl_display *display)
        : m_display(display), m_dataControl(display, DataControl::Queue::OfItsOwn)
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
        m_takingNotices
            = QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                               [this] { m_dataControl.takeNotices(); });
    }

    ~WaylandClipboard() override
    {
        QObject::disconnect(m_watchingQt);
        QObject::disconnect(m_takingNotices);
        // The program ends: Qt serves no more pastes from them.
        for (QMimeData *held : m_held)
            letGoOf(held);
    }

    void markAsOurCopy(QMimeData &data) override
    {
        // A type of no content: the compositor lists it with the offer.
        m_markType = QStringLiteral("%1-%2").arg(ownCopyType()).arg(++m_copies);
        data.setData(m_markType, QByteArray());
    }

    // KWin takes a request to empty the clipboard from a client that does
    // not own it for done and leaves the other client's text, and data-control
    // emptying, done meanwhile, makes KWin 6.3 refuse the copy that follows.
    // A source of the program's own that offers no text replaces any
    // other as a copy does: a paste then inserts nothing.
    QMimeData *emptiness() override
    {
        if (!m_dataControl.available())
            return nullptr;
        auto *data = new QMimeData;
        markAsOurCopy(*data);
        m_emptiness = data;
        return data;
    }

    bool displayTookOurCopy() override
    {
        if (!m_dataControl.available())
            return compositorChangedTheClipboard();
        return m_dataControl.offerArrived(m_markType.toStdString());
    }

    bool displayTookTheEmptying() override
    {
        if (!m_dataControl.available())
            return compositorChangedTheClipboard();
        // Where the compositor refused the program's own emptiness (a
        // request without an input serial it takes), data-control empties
        // the clipboard whoever owns it.
        return displayTookOurCopy() || m_dataControl.empty();
    }

    // A compositor with data-control keeps nothing itself once the source's
    // client has gone; tessivan-keeper-wayland serves the text instead, as
    // that protocol lets it do without a window. Any copy of the program's
    // counts: the buttons' and the boxes' own. Mutter keeps the text itself.
    void keepAfterExit() override
    {
        if (m_dataControl.holds(ownCopyType().toStdString()))
            handTextToKeeper(Keeper::Wayland, QGuiApplication::clipboard()->text());
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
        const bool ours = now && (madeByClipboardText(*now) || now == m_emptiness);
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
    QString m_markType; // the type of no content that marks our last copy
    int m_copies = 0;
    const QMimeData *m_emptiness = nullptr; // the last given to empty the clipboard
    std::array<QMimeData *, 2> m_held {};   // the program's data in Qt's clipboard and selection
    int m_changes = 0;                      // of the clipboard, as Qt has told them
    QMetaObject::Connection m_watchingQt;
    QMetaObject::Connection m_takingNotices;
};

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

} // namespace

std::unique_ptr<DisplayClipboard> waylandClipboard()
{
    if (!QGuiApplication::platformName().startsWith(u"wayland"))
        return nullptr;
    wl_display *display = qtsDisplay();
    if (!display)
        return nullptr;
    return std::make_unique<WaylandClipboard>(display);
}
