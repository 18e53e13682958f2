#pragma once

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <cstdint>

struct wl_display;
struct wl_event_queue;
struct wl_interface;
struct wl_registry;
struct wl_seat;

// The seat and the data-control manager of a compositor, which let a client
// without a window read, set and empty the clipboard: the standard
// ext_data_control_v1 where the compositor offers it (KWin 6.7, wlroots
// 0.19), else wlroots' zwlr_data_control_v1 (KWin 5 and 6, older wlroots).
// The two have the same messages under other names, so the code speaks
// wlroots' names to either; the objects are made with the interfaces of the
// protocol bound, so that the compositor and the debug log see its names.
// Used by the program and by tessivan-keeper-wayland alike.
class DataControlGlobals
{
public:
    // Binds them, with their events on queue (null: the display's default).
    DataControlGlobals(wl_display *display, wl_event_queue *queue);
    ~DataControlGlobals();
    DataControlGlobals(const DataControlGlobals &) = delete;
    DataControlGlobals &operator=(const DataControlGlobals &) = delete;

    // Whether the compositor has a seat and either protocol.
    bool available() const { return m_seat && m_manager; }

    // The seat's clipboard device, and a new source to put on it.
    zwlr_data_control_device_v1 *newDevice() const;
    zwlr_data_control_source_v1 *newSource() const;

    // Called by the registry's listener.
    void global(uint32_t name, const char *interface);

    // The interfaces of one of the two protocols.
    struct Protocol
    {
        const wl_interface *manager;
        const wl_interface *device;
        const wl_interface *source;
    };

private:
    const Protocol *m_protocol = nullptr; // the one bound
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    zwlr_data_control_manager_v1 *m_manager = nullptr;
    uint32_t m_standardName = 0; // 0: not offered
    uint32_t m_wlrootsName = 0;
};
