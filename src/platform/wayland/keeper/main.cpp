// tessivan-keeper-wayland: serves a text on the Wayland clipboard after
// Tessivan has ended, where the compositor keeps nothing itself. Tessivan
// starts it at exit and hands it the text (HandOverFormat.h). It needs the
// compositor's data-control protocol, which lets a client without a window
// set the clipboard, and ends by itself when another client copies or
// empties the clipboard, or when the compositor goes. No Qt: it holds the
// text and little else.
#include "platform/clipboard/HandOverFormat.h"
#include "platform/clipboard/KeeperTransfers.h"
#include "platform/wayland/DataControl.h"

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <list>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

// What the clipboard offers: the text's types as Wayland and X clients ask
// for them, each the same UTF-8 bytes.
constexpr const char *TextTypes[]
    = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING", "STRING", "TEXT"};

using namespace keeper;

// A paste under way: the rest of the text to write to the reader's pipe.
struct Transfer
{
    int fd;
    Clock::time_point lastProgress = Clock::now();
    size_t written = 0;
};

// libwayland takes up to this many descriptors in one read from the
// compositor (its MAX_FDS_OUT); a read that finds no room for them all
// fails, and with it the connection.
constexpr size_t DescriptorsInOneRead = 28;

// The descriptors open now, which stay open as the keeper serves: the
// standard streams, the compositor's socket, whatever it was started with.
size_t descriptorsInUse()
{
    std::error_code error;
    size_t count = 0; // counts the listing's own descriptor too: one to spare
    for (std::filesystem::directory_iterator open("/proc/self/fd", error), end; !error && open != end;
         open.increment(error))
        ++count;
    if (!error)
        return count;
    // Without /proc: the lowest descriptor not open.
    const int probe = ::fcntl(0, F_DUPFD_CLOEXEC, 0);
    if (probe >= 0)
        ::close(probe);
    return size_t(std::max(probe, 0));
}

// As many pastes under way as leave room for one whole read of the
// compositor's messages, which carry each new reader's pipe, however many
// arrive at once; raised to the hard limit first, as the keeper needs one
// descriptor per reader. 0: no room for even that.
size_t transferLimit()
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 0;
    if (limit.rlim_cur != limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
        ::getrlimit(RLIMIT_NOFILE, &limit);
    }
    const size_t reserved = descriptorsInUse() + DescriptorsInOneRead;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= reserved + MostTransfers)
        return MostTransfers;
    return limit.rlim_cur > reserved ? size_t(limit.rlim_cur) - reserved : 0;
}

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
        control.reset();
        if (display)
            wl_display_disconnect(display);
    }

    std::string text;
    size_t transferLimit = 0;
    wl_display *display = nullptr;
    std::unique_ptr<DataControl> control;
    zwlr_data_control_source_v1 *source = nullptr;
    bool cancelled = false;
    std::list<Transfer> transfers;
};

constexpr zwlr_data_control_source_v1_listener SourceListener = {
    [](void *data, zwlr_data_control_source_v1 *, const char *, int32_t fd) {
        auto *keeper = static_cast<Keeper *>(data);
        // A new reader is served before the one that has read nothing for
        // longest, so that readers that read are served whoever stalls.
        if (keeper->transfers.size() >= keeper->transferLimit) {
            const auto stalled = stalledLongest(keeper->transfers);
            ::close(stalled->fd);
            keeper->transfers.erase(stalled);
        }
        // Written as the reader takes it, so that a slow reader holds up no other.
        ::fcntl(fd, F_SETFL, O_NONBLOCK);
        keeper->transfers.push_back({fd});
    },
    [](void *data, zwlr_data_control_source_v1 *) { static_cast<Keeper *>(data)->cancelled = true; },
};

// Writes what the pipe takes now; false once the transfer is over.
bool advance(Transfer &transfer, const std::string &text)
{
    while (transfer.written < text.size()) {
        const ssize_t count
            = ::write(transfer.fd, text.data() + transfer.written, text.size() - transfer.written);
        if (count < 0)
            return errno == EAGAIN || errno == EINTR;
        transfer.written += size_t(count);
        transfer.lastProgress = Clock::now();
    }
    return false;
}

// Serves pastes until the text is replaced and every paste under way is done
// or stalled, or the compositor goes.
int serve(Keeper &keeper)
{
    wl_display *display = keeper.display;
    for (;;) {
        // The compositor withdraws data-control where it goes on without it.
        const bool replaced = keeper.cancelled || !keeper.control->available();
        if (replaced && keeper.transfers.empty())
            break;
        const auto limit = replaced ? StallLimitOnceReplaced : StallLimit;
        std::vector<pollfd> fds {{wl_display_get_fd(display), POLLIN, 0}};
        std::transform(keeper.transfers.cbegin(), keeper.transfers.cend(), std::back_inserter(fds),
                       [](const Transfer &transfer) {
                           return pollfd {transfer.fd, POLLOUT, 0};
                       });
        while (wl_display_prepare_read(display) != 0)
            wl_display_dispatch_pending(display);
        wl_display_flush(display);
        if (::poll(fds.data(), fds.size(), msUntilAStall(keeper.transfers, limit)) < 0 && errno != EINTR) {
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

        // Transfers the compositor's events added have no entry in fds yet.
        size_t index = 1;
        const auto now = Clock::now();
        for (auto transfer = keeper.transfers.begin(); transfer != keeper.transfers.end(); ++index) {
            const bool ready = index < fds.size() && fds[index].revents != 0;
            const bool stalled = now - transfer->lastProgress >= limit;
            if ((ready && !advance(*transfer, keeper.text)) || (!ready && stalled)) {
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
    std::optional<std::string> text = readHandOver(stdin);
    if (!text)
        return 1;
    // A reader that goes away early must not end the keeper.
    std::signal(SIGPIPE, SIG_IGN);

    // Owns every object from here on, and lets go of them before the connection.
    Keeper keeper;
    keeper.text = std::move(*text);
    keeper.display = wl_display_connect(nullptr);
    if (!keeper.display)
        return 1;
    keeper.control = std::make_unique<DataControl>(keeper.display, DataControl::Queue::Default);
    if (!keeper.control->available())
        return 1;
    keeper.transferLimit = transferLimit();
    if (keeper.transferLimit == 0) {
        std::fputs("tessivan-keeper-wayland: too few file descriptors to serve pastes\n", stderr);
        return 1;
    }

    keeper.source = keeper.control->newSource();
    zwlr_data_control_source_v1_add_listener(keeper.source, &SourceListener, &keeper);
    for (const char *type : TextTypes)
        zwlr_data_control_source_v1_offer(keeper.source, type);
    keeper.control->setSelection(keeper.source);
    if (!keeper.control->catchUp() || keeper.cancelled)
        return 1;
    std::fputs("kept\n", stdout);
    std::fclose(stdout);

    return serve(keeper);
}
