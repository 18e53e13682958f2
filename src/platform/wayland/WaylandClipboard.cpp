#include "platform/clipboard/ClipboardText.h"
#include "platform/clipboard/DisplayClipboard.h"
#include "platform/clipboard/KeeperHandOver.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QMimeData>
#include <QStringList>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <array>
#include <cstring>
#include <utility>

namespace {

// Qt takes a selection request for done, but a compositor refuses one that
// carries no input serial it gave (a button pressed through a screen reader
// before any input reached the window) or that comes from a window without
// the focus, and keeps nothing itself once the program has gone. This asks
// the compositor on Qt's own connection, so that the answer comes in order
// with Qt's requests. Where it has the data-control protocol (wlroots, KWin),
// that protocol tells what the clipboard holds, and empties it whoever owns
// it; its events go to a queue of their own, which only this class
// dispatches. Elsewhere (Mutter) the compositor tells the focused client's
// data device, Qt's, of every change it makes, and Qt then says that the
// clipboard changed; a refused request changes nothing.
class WaylandClipboard final : public DisplayClipboard
{
public:
    explicit WaylandClipboard(wl_display *display);

    ~WaylandClipboard() override
    {
        QObject::disconnect(m_watchingQt);
        // The program ends: Qt serves no more pastes from them.
        for (QMimeData *held : m_held)
            letGoOf(held);
        for (auto offer = m_offers.keyBegin(); offer != m_offers.keyEnd(); ++offer)
            zwlr_data_control_offer_v1_destroy(*offer);
        if (m_device)
            zwlr_data_control_device_v1_destroy(m_device);
        if (m_manager)
            zwlr_data_control_manager_v1_destroy(m_manager);
        if (m_seat)
            wl_seat_destroy(m_seat);
        if (m_registry)
            wl_registry_destroy(m_registry);
        wl_display_flush(m_display);
        wl_event_queue_destroy(m_queue);
    }

    void markAsOurCopy(QMimeData &data) override
    {
        // A type of no content: the compositor lists it with the offer.
        m_markType = QStringLiteral("%1-%2").arg(ownCopyType()).arg(++m_copies);
        data.setData(m_markType, QByteArray());
    }

    bool displayTookOurCopy() override
    {
        if (!device())
            return compositorChangedTheClipboard();
        m_sawOurCopy = false;
        return catchUp() && m_sawOurCopy;
    }

    bool displayTookTheEmptying() override
    {
        if (!device())
            return compositorChangedTheClipboard();
        m_sawNothing = false;
        if (!catchUp())
            return false;
        // KWin leaves another client's selection in place when a client that
        // does not own it asks to empty it, and a compositor refuses a request
        // without an input serial of its own. Data-control empties it
        // whoever owns it.
        if (!m_sawNothing && m_selection) {
            zwlr_data_control_device_v1_set_selection(m_device, nullptr);
            if (!catchUp())
                return false;
        }
        // Seen empty even if a clipboard manager has filled it again since.
        return m_sawNothing || !m_selection;
    }

    // A compositor with data-control keeps nothing itself once the source's
    // client has gone; tessivan-keeper-wayland serves the text instead, as
    // that protocol lets it do without a window. Any copy of the program's
    // counts: the buttons' and the boxes' own. Mutter keeps the text itself.
    void keepAfterExit() override
    {
        if (!device() || !catchUp() || !selectionHas(ownCopyType()))
            return;
        handTextToKeeper(QStringLiteral("tessivan-keeper-wayland"), QGuiApplication::clipboard()->text());
    }

    // The compositor's events, as the listeners below pass them on.
    void global(uint32_t name, const char *interface, uint32_t)
    {
        if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
            m_seat = static_cast<wl_seat *>(wl_registry_bind(m_registry, name, &wl_seat_interface, 1));
        } else if (!m_manager && std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
            m_manager = static_cast<zwlr_data_control_manager_v1 *>(
                wl_registry_bind(m_registry, name, &zwlr_data_control_manager_v1_interface, 1));
        }
    }

    // A new offer (type null), or one of its types.
    void offered(zwlr_data_control_offer_v1 *offer, const char *type)
    {
        if (type)
            m_offers[offer].append(QString::fromUtf8(type));
        else
            m_offers.insert(offer, {});
    }

    void selection(zwlr_data_control_offer_v1 *offer)
    {
        if (m_selection && m_selection != offer) {
            m_offers.remove(m_selection);
            zwlr_data_control_offer_v1_destroy(m_selection);
        }
        m_selection = offer;
        m_sawNothing = m_sawNothing || !offer;
        m_sawOurCopy = m_sawOurCopy || (!m_markType.isEmpty() && selectionHas(m_markType));
    }

    // The compositor has withdrawn the device: from now on Qt's word stands.
    void finished()
    {
        zwlr_data_control_device_v1_destroy(m_device);
        m_device = nullptr;
    }

private:
    // The data-control device, set up when first needed rather than at
    // start-up; null where the compositor has none.
    zwlr_data_control_device_v1 *device();

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
        if (now != held)
            letGoOf(std::exchange(held, now && madeByClipboardText(*now) ? now : nullptr));
    }

    static void letGoOf(QMimeData *data)
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 2)
        delete data;
#else
        Q_UNUSED(data);
#endif
    }

    // Sends all requests so far, Qt's too, and takes the compositor's answers to them.
    bool catchUp()
    {
        return wl_display_roundtrip_queue(m_display, m_queue) >= 0;
    }

    bool selectionHas(const QString &type) const
    {
        return m_selection && m_offers.value(m_selection).contains(type);
    }

    wl_display *m_display;
    wl_event_queue *m_queue;
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    zwlr_data_control_manager_v1 *m_manager = nullptr;
    zwlr_data_control_device_v1 *m_device = nullptr;

    QHash<zwlr_data_control_offer_v1 *, QStringList> m_offers; // each offer's types
    zwlr_data_control_offer_v1 *m_selection = nullptr;         // null: the clipboard is empty
    QString m_markType; // the type of no content that marks our last copy
    int m_copies = 0;
    std::array<QMimeData *, 2> m_held {}; // the program's data in Qt's clipboard and selection
    bool m_sawOurCopy = false;            // since the last question
    bool m_sawNothing = false;
    int m_changes = 0; // of the clipboard, as Qt has told them
    QMetaObject::Connection m_watchingQt;
};

constexpr wl_registry_listener RegistryListener = {
    [](void *self, wl_registry *, uint32_t name, const char *interface, uint32_t version) {
        static_cast<WaylandClipboard *>(self)->global(name, interface, version);
    },
    [](void *, wl_registry *, uint32_t) {},
};
constexpr zwlr_data_control_offer_v1_listener OfferListener = {
    [](void *self, zwlr_data_control_offer_v1 *offer, const char *type) {
        static_cast<WaylandClipboard *>(self)->offered(offer, type);
    },
};
constexpr zwlr_data_control_device_v1_listener DeviceListener = {
    [](void *self, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        static_cast<WaylandClipboard *>(self)->offered(offer, nullptr);
        zwlr_data_control_offer_v1_add_listener(offer, &OfferListener, self);
    },
    [](void *self, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        static_cast<WaylandClipboard *>(self)->selection(offer);
    },
    [](void *self, zwlr_data_control_device_v1 *) { static_cast<WaylandClipboard *>(self)->finished(); },
};

WaylandClipboard::WaylandClipboard(wl_display *display)
    : m_display(display), m_queue(wl_display_create_queue(display))
{
    m_watchingQt
        = QObject::connect(QGuiApplication::clipboard(), &QClipboard::changed, [this](QClipboard::Mode mode) {
              if (mode == QClipboard::Clipboard)
                  ++m_changes;
              qtChanged(mode);
          });
}

zwlr_data_control_device_v1 *WaylandClipboard::device()
{
    if (m_registry)
        return m_device;
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(m_display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), m_queue);
    m_registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(m_registry, &RegistryListener, this);
    catchUp();
    if (m_manager && m_seat) {
        m_device = zwlr_data_control_manager_v1_get_data_device(m_manager, m_seat);
        zwlr_data_control_device_v1_add_listener(m_device, &DeviceListener, this);
        catchUp(); // the selection as it stands
    }
    return m_device;
}

} // namespace

std::unique_ptr<DisplayClipboard> waylandClipboard()
{
    if (!QGuiApplication::platformName().startsWith(u"wayland"))
        return nullptr;
    auto *display = static_cast<wl_display *>(
        QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display"));
    if (!display)
        return nullptr;
    return std::make_unique<WaylandClipboard>(display);
}
