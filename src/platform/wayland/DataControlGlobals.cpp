#include "platform/wayland/DataControlGlobals.h"

#include "ext-data-control-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

namespace {

constexpr wl_registry_listener RegistryListener = {
    [](void *self, wl_registry *, uint32_t name, const char *interface, uint32_t) {
        static_cast<DataControlGlobals *>(self)->global(name, interface);
    },
    [](void *, wl_registry *, uint32_t) {},
};

constexpr DataControlGlobals::Protocol Standard
    = {&ext_data_control_manager_v1_interface, &ext_data_control_device_v1_interface,
       &ext_data_control_source_v1_interface};
constexpr DataControlGlobals::Protocol Wlroots
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

} // namespace

DataControlGlobals::DataControlGlobals(wl_display *display, wl_event_queue *queue)
{
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    if (queue)
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), queue);
    m_registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(m_registry, &RegistryListener, this);
    if ((queue ? wl_display_roundtrip_queue(display, queue) : wl_display_roundtrip(display)) < 0)
        return;

    // Both have the same messages; the standard one is preferred.
    if (m_standardName || m_wlrootsName) {
        m_protocol = m_standardName ? &Standard : &Wlroots;
        m_manager = static_cast<zwlr_data_control_manager_v1 *>(wl_registry_bind(
            m_registry, m_standardName ? m_standardName : m_wlrootsName, m_protocol->manager, 1));
    }
}

DataControlGlobals::~DataControlGlobals()
{
    if (m_manager)
        zwlr_data_control_manager_v1_destroy(m_manager);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
}

zwlr_data_control_device_v1 *DataControlGlobals::newDevice() const
{
    return reinterpret_cast<zwlr_data_control_device_v1 *>(
        make(m_manager, ZWLR_DATA_CONTROL_MANAGER_V1_GET_DATA_DEVICE, m_protocol->device, m_seat));
}

zwlr_data_control_source_v1 *DataControlGlobals::newSource() const
{
    return reinterpret_cast<zwlr_data_control_source_v1 *>(
        make(m_manager, ZWLR_DATA_CONTROL_MANAGER_V1_CREATE_DATA_SOURCE, m_protocol->source));
}

void DataControlGlobals::global(uint32_t name, const char *interface)
{
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        m_seat = static_cast<wl_seat *>(wl_registry_bind(m_registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, Standard.manager->name) == 0)
        m_standardName = name;
    else if (std::strcmp(interface, Wlroots.manager->name) == 0)
        m_wlrootsName = name;
}
