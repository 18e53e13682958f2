#include "platform/wayland/DataControl.h"

#include "ext-data-control-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>

// The interfaces of one of the two protocols.
struct DataControlProtocol
{
    const wl_interface *manager;
    const wl_interface *device;
    const wl_interface *source;
};

namespace {

constexpr DataControlProtocol Standard
    = {&ext_data_control_manager_v1_interface, &ext_data_control_device_v1_interface,
       &ext_data_control_source_v1_interface};
constexpr DataControlProtocol Wlroots
    = {&zwlr_data_control_manager_v1_interface, &zwlr_data_control_device_v1_interface,
       &zwlr_data_control_source_v1_interface};

// A request that makes a new object, of the interface given.
wl_proxy *make(void *parent, uint32_t opcode, const wl_interface *interface, wl_seat *seat = nullptr)
{
    auto *proxy = static_cast<wl_proxy *>(parent);
    return seat
        ? wl_proxy_marshal_flags(proxy, opcode, interface, wl_proxy_get_version(proxy), 0, nullptr, seat)
        : wl_proxy_marshal_flags(proxy, opcode, interface, wl_proxy_get_version(proxy), 0, nullptr);
}

DataControl *self(void *data)
{
    return static_cast<DataControl *>(data);
}

} // namespace

struct DataControlListeners
{
    static constexpr wl_registry_listener Registry = {
        [](void *data, wl_registry *, uint32_t name, const char *interface, uint32_t) {
            self(data)->global(name, interface);
        },
        [](void *, wl_registry *, uint32_t) {},
    };
    static constexpr zwlr_data_control_offer_v1_listener Offer = {
        [](void *data, zwlr_data_control_offer_v1 *offer, const char *type) {
            self(data)->offered(offer, type);
        },
    };
    static constexpr zwlr_data_control_device_v1_listener Device = {
        [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
            self(data)->offered(offer, nullptr);
            zwlr_data_control_offer_v1_add_listener(offer, &Offer, data);
        },
        [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
            self(data)->selection(offer);
        },
        [](void *data, zwlr_data_control_device_v1 *) { self(data)->finished(); },
        // The primary selection is of no interest: its offers are let go as they come.
        [](void *data, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
            self(data)->forget(offer);
        },
    };
};

DataControl::DataControl(wl_display *display, Queue queue)
    : m_display(display), m_queue(queue == Queue::OfItsOwn ? wl_display_create_queue(display) : nullptr)
{}

DataControl::~DataControl()
{
    // Offers the compositor announced since the last dispatch are proxies
    // already: they are taken in, so that none outlives the queue.
    if (m_queue)
        wl_display_dispatch_queue_pending(m_display, m_queue);
    else
        wl_display_dispatch_pending(m_display);
    if (m_device)
        zwlr_data_control_device_v1_destroy(m_device);
    for (const auto &[offer, types] : m_offers)
        zwlr_data_control_offer_v1_destroy(offer);
    if (m_manager)
        zwlr_data_control_manager_v1_destroy(m_manager);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    if (m_queue)
        wl_event_queue_destroy(m_queue);
}

bool DataControl::available()
{
    if (!m_asked) {
        m_asked = true;
        bind();
    }
    return m_device;
}

void DataControl::bind()
{
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(m_display));
    if (m_queue)
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), m_queue);
    m_registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(m_registry, &DataControlListeners::Registry, this);
    if (!catchUp() || !m_seat || !(m_standardName || m_wlrootsName))
        return;

    // Both have the same messages; the standard one is preferred.
    m_protocol = m_standardName ? &Standard : &Wlroots;
    m_manager = static_cast<zwlr_data_control_manager_v1 *>(wl_registry_bind(
        m_registry, m_standardName ? m_standardName : m_wlrootsName, m_protocol->manager, 1));
    m_device = reinterpret_cast<zwlr_data_control_device_v1 *>(
        make(m_manager, ZWLR_DATA_CONTROL_MANAGER_V1_GET_DATA_DEVICE, m_protocol->device, m_seat));
    zwlr_data_control_device_v1_add_listener(m_device, &DataControlListeners::Device, this);
    catchUp(); // the selection as it stands
}

bool DataControl::catchUp()
{
    return (m_queue ? wl_display_roundtrip_queue(m_display, m_queue) : wl_display_roundtrip(m_display)) >= 0;
}

void DataControl::takeNotices()
{
    if (m_queue && m_device)
        wl_display_dispatch_queue_pending(m_display, m_queue);
}

bool DataControl::holds(const std::string &type)
{
    if (!available() || !catchUp() || !m_selection)
        return false;
    return offers(m_selection, type);
}

bool DataControl::offers(zwlr_data_control_offer_v1 *offer, const std::string &type) const
{
    const auto types = m_offers.find(offer);
    return types != m_offers.end()
        && std::find(types->second.begin(), types->second.end(), type) != types->second.end();
}

bool DataControl::offerArrived(const std::string &type)
{
    if (!available())
        return false;
    m_awaitedType = type;
    // Where the compositor's answer was taken in already.
    m_sawAwaitedType = offers(m_selection, type);
    const bool answered = catchUp();
    m_awaitedType.clear();
    return answered && m_sawAwaitedType;
}

bool DataControl::empty()
{
    if (!available())
        return false;
    m_sawNothing = false;
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

zwlr_data_control_source_v1 *DataControl::newSource() const
{
    return reinterpret_cast<zwlr_data_control_source_v1 *>(
        make(m_manager, ZWLR_DATA_CONTROL_MANAGER_V1_CREATE_DATA_SOURCE, m_protocol->source));
}

void DataControl::setSelection(zwlr_data_control_source_v1 *source)
{
    zwlr_data_control_device_v1_set_selection(m_device, source);
}

void DataControl::global(uint32_t name, const char *interface)
{
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        m_seat = static_cast<wl_seat *>(wl_registry_bind(m_registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, Standard.manager->name) == 0)
        m_standardName = name;
    else if (std::strcmp(interface, Wlroots.manager->name) == 0)
        m_wlrootsName = name;
}

void DataControl::offered(zwlr_data_control_offer_v1 *offer, const char *type)
{
    if (type)
        m_offers[offer].emplace_back(type);
    else
        m_offers.try_emplace(offer);
}

void DataControl::selection(zwlr_data_control_offer_v1 *offer)
{
    if (m_selection && m_selection != offer)
        forget(m_selection);
    m_selection = offer;
    m_sawNothing = m_sawNothing || !offer;
    if (!m_awaitedType.empty())
        m_sawAwaitedType = m_sawAwaitedType || offers(offer, m_awaitedType);
}

void DataControl::forget(zwlr_data_control_offer_v1 *offer)
{
    if (offer) {
        m_offers.erase(offer);
        zwlr_data_control_offer_v1_destroy(offer);
    }
}

// The compositor has withdrawn the device.
void DataControl::finished()
{
    zwlr_data_control_device_v1_destroy(m_device);
    m_device = nullptr;
}
