// Real keyboard input on KWin, through its fake-input protocol (which KWin
// offers to any client when started with KWIN_WAYLAND_NO_PERMISSION_CHECKS):
// reads lines of evdev key codes from a named pipe, "56 62" for Alt+F4, and
// presses each line's keys in order and releases them in reverse. Prints
// "ready" once KWin has taken it, and ends at a line "end".
// Usage: kwin_keys FIFO
#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

org_kde_kwin_fake_input *input = nullptr;

const wl_registry_listener RegistryListener = {
    [](void *, wl_registry *registry, uint32_t name, const char *interface, uint32_t version) {
        if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
            input = static_cast<org_kde_kwin_fake_input *>(
                wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
    },
    [](void *, wl_registry *, uint32_t) {},
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kwin_keys FIFO\n");
        return 2;
    }
    wl_display *display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "kwin_keys: no compositor\n");
        return 1;
    }
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &RegistryListener, nullptr);
    wl_display_roundtrip(display);
    if (!input) {
        std::fprintf(stderr, "kwin_keys: the compositor offers no fake input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(input, "tessivan tests", "end-to-end tests");
    wl_display_roundtrip(display);
    std::puts("ready");
    std::fflush(stdout);

    std::ifstream lines(argv[1]);
    for (std::string line; std::getline(lines, line) && line != "end";) {
        std::istringstream words(line);
        std::vector<uint32_t> codes;
        for (uint32_t code = 0; words >> code;)
            codes.push_back(code);
        for (const uint32_t code : codes)
            org_kde_kwin_fake_input_keyboard_key(input, code, 1);
        for (auto code = codes.rbegin(); code != codes.rend(); ++code)
            org_kde_kwin_fake_input_keyboard_key(input, *code, 0);
        if (wl_display_roundtrip(display) < 0)
            return 1;
    }
    org_kde_kwin_fake_input_destroy(input);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
