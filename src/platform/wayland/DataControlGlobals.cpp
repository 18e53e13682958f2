#include "platform/wayland/DataControlGlobals.h"

#include "ext-data-control-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

namespace {

constexpr wl_registry_listener RegistryListener = {
    [](void *self, wl_registry *, uint32_t name, const char *interface, uint32_t version) {
        static_cast<DataControlGlobals *>(self)->global(name, interface, version);
    },
    [](void *, wl_registry *, uint32_t) {},
};

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

    // Both request and event messages are the same; the standard is preferred.
    const wl_interface *manager = nullptr;
    uint32_t name = 0;
    if (m_standardName) {
        name = m_standardName;
        manager = &ext_data_control_manager_v1_interface;
        m_device = &ext_data_control_device_v1_interface;
        m_source = &ext_data_control_source_v1_interface;
    } else if (m_wlrootsName) {
        name = m_wlrootsName;
        manager = &zwlr_data_control_manager_v1_interface;
        m_device = &zwlr_data_control_device_v1_interface;
        m_source = &zwlr_data_control_source_v1_interface;
    }
    if (manager)
        m_manager
            = static_cast<zwlr_data_control_manager_v1 *>(wl_registry_bind(m_registry, name, manager, 1));
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
        make(m_manager, ZWLR_DATA_CONTROL_MANAGER_V1_GET_DATA_DEVICE, m_device, m_seat));
}

zwlr_data_control_source_v1 *DataControlGlobals::newSource() const
{
    return reinterpret_cast<zwlr_data_control_source_v1 *>(
        make(m_manager, ZWLR_DATA_CONTROL_MANAGER_V1_CREATE_DATA_SOURCE, m_source));
}

void DataControlGlobals::global(uint32_t name, const char *interface, uint32_t version)
{
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        m_seat = static_cast<wl_seat *>(wl_registry_bind(m_registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, ext_data_control_manager_v1_interface.name) == 0 && version >= 1)
        m_standardName = name;
    else if (std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0)
        m_wlrootsName = name;
}
