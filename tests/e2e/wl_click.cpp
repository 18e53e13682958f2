// Clicks the primary button at a point of a wlroots compositor's layout, as
// a pointer device would: headless sway has none, and nothing in Debian 12
// clicks there. Moving there first also gives the window under it the
// pointer's enter event.
// Usage: wl_click X Y LAYOUT_WIDTH LAYOUT_HEIGHT [CLICKS]
//        wl_click hold    (a pointer device that stays until ended, or the compositor goes)
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
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

// Event times as a real device gives them, so that clients can tell clicks
// of separate runs apart from a double-click.
uint32_t now()
{
    timespec clock {};
    clock_gettime(CLOCK_MONOTONIC, &clock);
    return uint32_t(clock.tv_sec * 1000 + clock.tv_nsec / 1000000);
}

void click(wl_display *display, zwlr_virtual_pointer_v1 *pointer, uint32_t x, uint32_t y, uint32_t width,
           uint32_t height, uint32_t clicks)
{
    zwlr_virtual_pointer_v1_motion_absolute(pointer, now(), x, y, width, height);
    zwlr_virtual_pointer_v1_frame(pointer);
    wl_display_roundtrip(display);
    for (uint32_t count = 0; count < clicks; ++count) {
        // Apart enough to be seen as separate events, close enough for a double-click.
        for (const uint32_t state : {1u, 0u}) {
            usleep(40000);
            zwlr_virtual_pointer_v1_button(pointer, now(), BTN_LEFT, state);
            zwlr_virtual_pointer_v1_frame(pointer);
            wl_display_roundtrip(display);
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    const bool hold = argc == 2 && std::strcmp(argv[1], "hold") == 0;
    if (argc < 5 && !hold) {
        std::fprintf(stderr, "usage: wl_click X Y LAYOUT_WIDTH LAYOUT_HEIGHT [CLICKS]\n");
        return 2;
    }
    const auto number = [&](int i) { return uint32_t(std::strtoul(argv[i], nullptr, 10)); };
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
        wl_registry_destroy(registry);
        wl_display_disconnect(display);
        return 2;
    }
    zwlr_virtual_pointer_v1 *pointer
        = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, nullptr);
    if (hold) {
        // Until ended, or until the compositor goes.
        while (wl_display_dispatch(display) != -1) {}
    } else {
        click(display, pointer, number(1), number(2), number(3), number(4), argc > 5 ? number(5) : 1);
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    zwlr_virtual_pointer_manager_v1_destroy(manager);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
