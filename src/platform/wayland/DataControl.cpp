#include "platform/wayland/DataControl.h"

#include "platform/clipboard/KeeperHandOver.h"

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

namespace {

constexpr wl_registry_listener RegistryListener = {
    [](void *self, wl_registry *, uint32_t name, const char *interface, uint32_t) {
        static_cast<DataControl *>(self)->global(name, interface);
    },
    [](void *, wl_registry *, uint32_t) {},
};
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
};

} // namespace

DataControl::DataControl(wl_display *display) : m_display(display), m_queue(wl_display_create_queue(display))
{}

DataControl::~DataControl()
{
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

bool DataControl::available()
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

void DataControl::global(uint32_t name, const char *interface)
{
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
        m_seat = static_cast<wl_seat *>(wl_registry_bind(m_registry, name, &wl_seat_interface, 1));
    } else if (!m_manager && std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
        m_manager = static_cast<zwlr_data_control_manager_v1 *>(
            wl_registry_bind(m_registry, name, &zwlr_data_control_manager_v1_interface, 1));
    }
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
