// Starts a program and waits for its first top-level window to be mapped on
// the X server, then for the window's first drawing. Prints the milliseconds
// each took, then the program's resident memory after it has been idle for a
// second, in KiB. The program is ended.
// A window mapped is not yet one the user sees: until the program draws in
// it, it shows nothing of its own, and a Wayland compositor shows it only with
// its first frame. The X server's damage reports tell when that comes.
// Usage: first_shown PROGRAM
#include "platform/x11/XcbAtom.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

static long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: first_shown PROGRAM\n");
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "first_shown: no X server\n");
        return 2;
    }
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "first_shown: the X server reports no damage\n");
        return 2;
    }
    owned(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    using Clock = std::chrono::steady_clock;
    const auto since = [start = Clock::now()] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    const pid_t pid = fork();
    if (pid == 0) {
        execl(argv[1], argv[1], static_cast<char *>(nullptr));
        _exit(127);
    }
    double mappedAt = -1;
    double drawnAt = -1;
    xcb_window_t mapped = XCB_NONE;
    while (drawnAt < 0) {
        const auto event = owned(xcb_wait_for_event(connection));
        if (!event)
            break;
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            // Watched from its creation, before anything can be drawn in it.
            const auto *created = reinterpret_cast<xcb_create_notify_event_t *>(event.get());
            xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                              XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
            xcb_flush(connection);
        } else if (type == XCB_MAP_NOTIFY && mapped == XCB_NONE) {
            mapped = reinterpret_cast<xcb_map_notify_event_t *>(event.get())->window;
            mappedAt = since();
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY && mapped != XCB_NONE
                   && reinterpret_cast<xcb_damage_notify_event_t *>(event.get())->drawable == mapped) {
            drawnAt = since();
        }
    }
    if (drawnAt < 0) {
        std::fprintf(stderr, "first_shown: %s showed no window\n", argv[1]);
        kill(pid, SIGTERM);
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    std::printf("%.1f %.1f %ld\n", mappedAt, drawnAt, residentKiB(pid));
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    xcb_disconnect(connection);
}
