// Clicks the primary button at a point of a wlroots compositor's layout, as
// a pointer device would: headless sway has none, and nothing in Debian 12
// clicks there. Moving there first also gives the window under it the
// pointer's enter event.
// Usage: wl_click X Y LAYOUT_WIDTH LAYOUT_HEIGHT [CLICKS]
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <linux/input-event-codes.h>
#include <unistd.h>

namespace {

zwlr_virtual_pointer_manager_v1 *manager = nullptr;

const wl_registry_listener RegistryListener = {
    [](void *, wl_registry *registry, uint32_t name, const char *interface, uint32_t) {
        if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
            manager = static_cast<zwlr_virtual_pointer_manager_v1 *>(
                wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    },
    [](void *, wl_registry *, uint32_t) {},
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: wl_click X Y LAYOUT_WIDTH LAYOUT_HEIGHT [CLICKS]\n");
        return 2;
    }
    const auto number = [&](int i) { return uint32_t(std::strtoul(argv[i], nullptr, 10)); };
    const uint32_t clicks = argc > 5 ? number(5) : 1;
    wl_display *display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "wl_click: no compositor\n");
        return 2;
    }
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &RegistryListener, nullptr);
    wl_display_roundtrip(display);
    if (!manager) {
        std::fprintf(stderr, "wl_click: the compositor has no virtual pointers\n");
        return 2;
    }
    zwlr_virtual_pointer_v1 *pointer
        = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, nullptr);
    uint32_t time = 1;
    zwlr_virtual_pointer_v1_motion_absolute(pointer, time, number(1), number(2), number(3), number(4));
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    for (uint32_t click = 0; click < clicks; ++click) {
        // Apart enough to be seen as separate events, close enough for a double-click.
        for (const uint32_t state : {1u, 0u}) {
            usleep(40000);
            time += 40;
            zwlr_virtual_pointer_v1_button(pointer, time, BTN_LEFT, state);
            zwlr_virtual_pointer_v1_frame(pointer);
            wl_display_roundtrip(display);
        }
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
