#include "platform/wayland/DataControl.h"

#include "platform/clipboard/KeeperHandOver.h"
#include "platform/wayland/DataControlGlobals.h"

#include <wayland-client.h>

namespace {

constexpr zwlr_data_control_offer_v1_listener OfferListener = {
    [](void *self, zwlr_data_control_offer_v1 *offer, const char *type) {
        static_cast<DataControl *>(self)->offered(offer, type);
    },
};
constexpr zwlr_data_control_device_v1_listener DeviceListener = {
    [](void *self, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        static_cast<DataControl *>(self)->offered(offer, nullptr);
        zwlr_data_control_offer_v1_add_listener(offer, &OfferListener, self);
    },
    [](void *self, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        static_cast<DataControl *>(self)->selection(offer);
    },
    [](void *self, zwlr_data_control_device_v1 *) { static_cast<DataControl *>(self)->finished(); },
    [](void *self, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        static_cast<DataControl *>(self)->primarySelection(offer);
    },
};

} // namespace

DataControl::DataControl(wl_display *display) : m_display(display), m_queue(wl_display_create_queue(display))
{}

DataControl::~DataControl()
{
    // Offers the compositor announced since the last dispatch are proxies
    // on the queue already: they are taken in, so that none outlives it.
    wl_display_dispatch_queue_pending(m_display, m_queue);
    if (m_device)
        zwlr_data_control_device_v1_destroy(m_device);
    for (auto offer = m_offers.keyBegin(); offer != m_offers.keyEnd(); ++offer)
        zwlr_data_control_offer_v1_destroy(*offer);
    m_globals.reset();
    wl_display_flush(m_display);
    wl_event_queue_destroy(m_queue);
}

bool DataControl::available()
{
    if (m_globals)
        return m_device;
    m_globals = std::make_unique<DataControlGlobals>(m_display, m_queue);
    if (m_globals->available()) {
        m_device = m_globals->newDevice();
        zwlr_data_control_device_v1_add_listener(m_device, &DeviceListener, this);
        catchUp(); // the selection as it stands
    }
    return m_device;
}

bool DataControl::catchUp()
{
    return wl_display_roundtrip_queue(m_display, m_queue) >= 0;
}

void DataControl::watchFor(const QString &type)
{
    m_watchedType = type;
    m_sawWatchedType = false;
    m_sawNothing = false;
}

bool DataControl::holds(const QString &type) const
{
    return m_selection && m_offers.value(m_selection).contains(type);
}

bool DataControl::emptiedSinceWatching()
{
    if (!catchUp())
        return false;
    // KWin leaves another client's selection in place when a client that
    // does not own it asks to empty it, and a compositor refuses a request
    // without an input serial of its own. Data-control empties it whoever
    // owns it.
    if (!m_sawNothing && m_selection && m_device) {
        zwlr_data_control_device_v1_set_selection(m_device, nullptr);
        if (!catchUp())
            return false;
    }
    return m_sawNothing || !m_selection;
}

void DataControl::offered(zwlr_data_control_offer_v1 *offer, const char *type)
{
    if (type)
        m_offers[offer].append(QString::fromUtf8(type));
    else
        m_offers.insert(offer, {});
}

void DataControl::selection(zwlr_data_control_offer_v1 *offer)
{
    if (m_selection && m_selection != offer) {
        m_offers.remove(m_selection);
        zwlr_data_control_offer_v1_destroy(m_selection);
    }
    m_selection = offer;
    m_sawNothing = m_sawNothing || !offer;
    m_sawWatchedType = m_sawWatchedType || (!m_watchedType.isEmpty() && holds(m_watchedType));
}

// The primary selection is of no interest: its offers are let go as they come.
void DataControl::primarySelection(zwlr_data_control_offer_v1 *offer)
{
    if (offer) {
        m_offers.remove(offer);
        zwlr_data_control_offer_v1_destroy(offer);
    }
}

// The compositor has withdrawn the device.
void DataControl::finished()
{
    zwlr_data_control_device_v1_destroy(m_device);
    m_device = nullptr;
}

void handToWaylandKeeper(const QString &text)
{
    handTextToKeeper(QStringLiteral("tessivan-keeper-wayland"), text);
}
