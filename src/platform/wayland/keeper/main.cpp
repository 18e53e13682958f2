// tessivan-keeper-wayland: serves a text on the Wayland clipboard after
// Tessivan has ended, where the compositor keeps nothing itself. Tessivan
// starts it at exit and writes to its standard input the text's length in
// bytes, a line break and the text in UTF-8; once the keeper holds the
// clipboard it writes "kept" and a line break to its standard output. It
// needs the compositor's data-control protocol, which lets a client without
// a window set the clipboard, and ends by itself when another client copies
// or empties the clipboard, or when the compositor goes. No Qt: it holds the
// text and little else.
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <list>
#include <optional>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// What the clipboard offers: the text's types as Wayland and X clients ask
// for them, each the same UTF-8 bytes.
constexpr const char *TextTypes[]
    = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "STRING", "TEXT"};

// Only the whole text: a hand-over cut short is refused.
std::optional<std::string> readText()
{
    std::string header;
    for (char c = 0; header.size() < 32 && std::fread(&c, 1, 1, stdin) == 1 && c != '\n';)
        header += c;
    char *end = nullptr;
    const unsigned long long size = std::strtoull(header.c_str(), &end, 10);
    if (header.empty() || *end != '\0' || size == 0 || std::feof(stdin))
        return {};
    std::string text(size, '\0');
    if (std::fread(text.data(), 1, size, stdin) != size || std::fgetc(stdin) != EOF)
        return {};
    return text;
}

// A paste under way: the rest of the text to write to the reader's pipe.
struct Transfer
{
    int fd;
    size_t written = 0;
};

struct Keeper
{
    Keeper() = default;
    Keeper(const Keeper &) = delete;
    Keeper &operator=(const Keeper &) = delete;
    ~Keeper()
    {
        for (const Transfer &transfer : transfers)
            ::close(transfer.fd);
        if (source)
            zwlr_data_control_source_v1_destroy(source);
        if (device)
            zwlr_data_control_device_v1_destroy(device);
        if (manager)
            zwlr_data_control_manager_v1_destroy(manager);
        if (seat)
            wl_seat_destroy(seat);
        if (registry)
            wl_registry_destroy(registry);
        if (display)
            wl_display_disconnect(display);
    }

    std::string text;
    wl_display *display = nullptr;
    wl_registry *registry = nullptr;
    wl_seat *seat = nullptr;
    zwlr_data_control_manager_v1 *manager = nullptr;
    zwlr_data_control_device_v1 *device = nullptr;
    zwlr_data_control_source_v1 *source = nullptr;
    bool cancelled = false;
    std::list<Transfer> transfers;
};

constexpr wl_registry_listener RegistryListener = {
    [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t) {
        auto *keeper = static_cast<Keeper *>(data);
        if (!keeper->seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
            keeper->seat = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        } else if (!keeper->manager
                   && std::strcmp(interface, zwlr_data_control_manager_v1_interface.name) == 0) {
            keeper->manager = static_cast<zwlr_data_control_manager_v1 *>(
                wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface, 1));
        }
    },
    [](void *, wl_registry *, uint32_t) {},
};

constexpr zwlr_data_control_source_v1_listener SourceListener = {
    [](void *data, zwlr_data_control_source_v1 *, const char *, int32_t fd) {
        // Written as the reader takes it, so that a slow reader holds up no other.
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
        static_cast<Keeper *>(data)->transfers.push_back({fd});
    },
    [](void *data, zwlr_data_control_source_v1 *) { static_cast<Keeper *>(data)->cancelled = true; },
};

// Offers of other clients are of no interest; they are let go as they come.
constexpr zwlr_data_control_offer_v1_listener IgnoredOffer
    = {[](void *, zwlr_data_control_offer_v1 *, const char *) {}};
constexpr zwlr_data_control_device_v1_listener DeviceListener = {
    [](void *, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        zwlr_data_control_offer_v1_add_listener(offer, &IgnoredOffer, nullptr);
    },
    [](void *, zwlr_data_control_device_v1 *, zwlr_data_control_offer_v1 *offer) {
        if (offer)
            zwlr_data_control_offer_v1_destroy(offer);
    },
    [](void *data, zwlr_data_control_device_v1 *) { static_cast<Keeper *>(data)->cancelled = true; },
};

// Writes what the pipe takes now; false once the transfer is over.
bool advance(Transfer &transfer, const std::string &text)
{
    while (transfer.written < text.size()) {
        const ssize_t count
            = ::write(transfer.fd, text.data() + transfer.written, text.size() - transfer.written);
        if (count < 0)
            return errno == EAGAIN || errno == EINTR ? true : false;
        transfer.written += size_t(count);
    }
    return false;
}

// Serves pastes until the text is replaced and every paste under way is done,
// or the compositor goes.
int serve(wl_display *display, Keeper &keeper)
{
    while (!keeper.cancelled || !keeper.transfers.empty()) {
        std::vector<pollfd> fds {{wl_display_get_fd(display), POLLIN, 0}};
        std::transform(keeper.transfers.cbegin(), keeper.transfers.cend(), std::back_inserter(fds),
                       [](const Transfer &transfer) {
                           return pollfd {transfer.fd, POLLOUT, 0};
                       });
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) {
            wl_display_cancel_read(display);
            return 1;
        }
        if (fds[0].revents & (POLLERR | POLLHUP)) {
            wl_display_cancel_read(display);
            return 0;
        }
        if (fds[0].revents & POLLIN) {
            if (wl_display_read_events(display) < 0)
                return 0;
        } else {
            wl_display_cancel_read(display);
        }
        if (wl_display_dispatch_pending(display) < 0)
            return 0;

        size_t index = 1;
        for (auto transfer = keeper.transfers.begin(); transfer != keeper.transfers.end(); ++index) {
            const bool ready = index < fds.size() && fds[index].revents != 0;
            if (ready && !advance(*transfer, keeper.text)) {
                ::close(transfer->fd);
                transfer = keeper.transfers.erase(transfer);
            } else {
                ++transfer;
            }
        }
    }
    return 0;
}

} // namespace

int main()
{
    // Read before connecting to the compositor.
    std::optional<std::string> text = readText();
    if (!text)
        return 1;
    // A reader that goes away early must not end the keeper.
    std::signal(SIGPIPE, SIG_IGN);

    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return 1;
    Keeper keeper;
    keeper.text = std::move(*text);
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &RegistryListener, &keeper);
    wl_display_roundtrip(display);
    if (!keeper.seat || !keeper.manager)
        return 1;

    zwlr_data_control_device_v1 *device
        = zwlr_data_control_manager_v1_get_data_device(keeper.manager, keeper.seat);
    zwlr_data_control_device_v1_add_listener(device, &DeviceListener, &keeper);
    zwlr_data_control_source_v1 *source = zwlr_data_control_manager_v1_create_data_source(keeper.manager);
    zwlr_data_control_source_v1_add_listener(source, &SourceListener, &keeper);
    for (const char *type : TextTypes)
        zwlr_data_control_source_v1_offer(source, type);
    zwlr_data_control_device_v1_set_selection(device, source);
    if (wl_display_roundtrip(display) < 0 || keeper.cancelled)
        return 1;
    std::fputs("kept\n", stdout);
    std::fclose(stdout);

    const int status = serve(display, keeper);
    wl_display_disconnect(display);
    return status;
}
