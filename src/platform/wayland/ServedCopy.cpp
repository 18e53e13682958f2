#include "platform/wayland/ServedCopy.h"

#include <QEventLoop>
#include <QMimeData>
#include <QSocketNotifier>

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

ServedCopy *self(void *data)
{
    return static_cast<ServedCopy *>(data);
}

// Each write at most this much, so that the event loop goes round between.
constexpr qsizetype Piece = qsizetype(64) * 1024;

} // namespace

struct ServedCopyListeners
{
    static constexpr wl_registry_listener Registry = {
        [](void *data, wl_registry *, uint32_t name, const char *interface, uint32_t version) {
            self(data)->global(name, interface, version);
        },
        [](void *, wl_registry *, uint32_t) {},
    };
    // The serials of the input the program's window is given, the keyboard
    // and pointer entering it as well as keys and buttons: a compositor takes
    // a copy made with any of them, as it takes Qt's own.
    static constexpr wl_seat_listener Seat = {
        [](void *data, wl_seat *seat, uint32_t capabilities) {
            self(data)->capabilities(seat, capabilities);
        },
        [](void *, wl_seat *, const char *) {},
    };
    static constexpr wl_keyboard_listener Keyboard = {
        [](void *, wl_keyboard *, uint32_t, int32_t fd, uint32_t) { ::close(fd); },
        [](void *data, wl_keyboard *, uint32_t serial, wl_surface *, wl_array *) {
            self(data)->m_serial = serial;
        },
        [](void *, wl_keyboard *, uint32_t, wl_surface *) {},
        [](void *data, wl_keyboard *, uint32_t serial, uint32_t, uint32_t, uint32_t) {
            self(data)->m_serial = serial;
        },
        [](void *, wl_keyboard *, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
        [](void *, wl_keyboard *, int32_t, int32_t) {},
    };
    // Seat version 1: no event of a later version comes, and the listener
    // of the libwayland at hand may have more.
    static const wl_pointer_listener &pointer()
    {
        static const wl_pointer_listener listener = [] {
            wl_pointer_listener made {};
            made.enter = [](void *data, wl_pointer *, uint32_t serial, wl_surface *, wl_fixed_t, wl_fixed_t) {
                self(data)->m_serial = serial;
            };
            made.leave = [](void *, wl_pointer *, uint32_t, wl_surface *) {};
            made.motion = [](void *, wl_pointer *, uint32_t, wl_fixed_t, wl_fixed_t) {};
            made.button = [](void *data, wl_pointer *, uint32_t serial, uint32_t, uint32_t, uint32_t) {
                self(data)->m_serial = serial;
            };
            made.axis = [](void *, wl_pointer *, uint32_t, uint32_t, wl_fixed_t) {};
            return made;
        }();
        return listener;
    }
    static constexpr wl_data_offer_listener Offer = {
        [](void *data, wl_data_offer *offer, const char *type) { self(data)->offered(offer, type); },
        [](void *, wl_data_offer *, uint32_t) {},
        [](void *, wl_data_offer *, uint32_t) {},
    };
    static constexpr wl_data_device_listener Device = {
        [](void *data, wl_data_device *, wl_data_offer *offer) {
            self(data)->m_offers.emplace_back(offer, false);
            wl_data_offer_add_listener(offer, &Offer, data);
        },
        [](void *, wl_data_device *, uint32_t, wl_surface *, wl_fixed_t, wl_fixed_t, wl_data_offer *) {},
        [](void *, wl_data_device *) {},
        [](void *, wl_data_device *, uint32_t, wl_fixed_t, wl_fixed_t) {},
        [](void *, wl_data_device *) {},
        [](void *data, wl_data_device *, wl_data_offer *offer) { self(data)->selection(offer); },
    };
    static constexpr wl_data_source_listener Source = {
        [](void *, wl_data_source *, const char *) {},
        [](void *data, wl_data_source *source, const char *type, int32_t fd) {
            self(data)->send(source, type, fd);
        },
        [](void *data, wl_data_source *source) { self(data)->cancelled(source); },
        [](void *, wl_data_source *) {},
        [](void *, wl_data_source *) {},
        [](void *, wl_data_source *, uint32_t) {},
    };
};

ServedCopy::ServedCopy(wl_display *display) : m_display(display), m_queue(wl_display_create_queue(display))
{
    // A reader that goes away early must not end the program.
    std::signal(SIGPIPE, SIG_IGN);
    m_stallWatch.setSingleShot(true);
    QObject::connect(&m_stallWatch, &QTimer::timeout, [this] { dropStalled(); });
}

ServedCopy::~ServedCopy()
{
    while (!m_pastes.empty())
        end(m_pastes.begin());
    // Offers the compositor announced since the last dispatch are proxies
    // already: they are taken in, so that none outlives the queue.
    wl_display_dispatch_queue_pending(m_display, m_queue);
    withdraw();
    if (m_manager)
        wl_data_device_manager_destroy(m_manager);
    if (m_keyboard)
        wl_keyboard_destroy(m_keyboard);
    if (m_pointer)
        wl_pointer_destroy(m_pointer);
    if (m_seat)
        wl_seat_destroy(m_seat);
    if (m_registry)
        wl_registry_destroy(m_registry);
    wl_display_flush(m_display);
    wl_event_queue_destroy(m_queue);
}

bool ServedCopy::bound()
{
    if (!m_registry) {
        auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(m_display));
        wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), m_queue);
        m_registry = wl_display_get_registry(wrapper);
        wl_proxy_wrapper_destroy(wrapper);
        wl_registry_add_listener(m_registry, &ServedCopyListeners::Registry, this);
        // The globals, then the seat's devices, then their entering the
        // window where it has the focus.
        for (int answers = 0; answers < 3; ++answers)
            wl_display_roundtrip_queue(m_display, m_queue);
    }
    return m_seat && m_manager;
}

void ServedCopy::capabilities(wl_seat *seat, uint32_t capabilities)
{
    if (!m_keyboard && (capabilities & WL_SEAT_CAPABILITY_KEYBOARD)) {
        m_keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(m_keyboard, &ServedCopyListeners::Keyboard, this);
    }
    if (!m_pointer && (capabilities & WL_SEAT_CAPABILITY_POINTER)) {
        m_pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(m_pointer, &ServedCopyListeners::pointer(), this);
    }
}

void ServedCopy::global(uint32_t name, const char *interface, uint32_t version)
{
    if (!m_seat && std::strcmp(interface, wl_seat_interface.name) == 0) {
        m_seat = static_cast<wl_seat *>(wl_registry_bind(m_registry, name, &wl_seat_interface, 1));
        wl_seat_add_listener(m_seat, &ServedCopyListeners::Seat, this);
    }
    // Version 2 lets a device go, which put() needs.
    else if (!m_manager && std::strcmp(interface, wl_data_device_manager_interface.name) == 0 && version >= 2)
        m_manager = static_cast<wl_data_device_manager *>(
            wl_registry_bind(m_registry, name, &wl_data_device_manager_interface, std::min(version, 3u)));
}

bool ServedCopy::put(std::unique_ptr<QMimeData> data, const QString &mark)
{
    withdraw();
    if (!bound())
        return false;
    // The input that led to this copy, read already along with Qt's.
    takeNotices();
    m_source = wl_data_device_manager_create_data_source(m_manager);
    wl_data_source_add_listener(m_source, &ServedCopyListeners::Source, this);
    for (const QString &type : data->formats())
        wl_data_source_offer(m_source, type.toUtf8().constData());
    m_data = std::move(data);

    // A device of its own tells whether the compositor took it: Qt's may not
    // hear of it, Mutter telling only the newest device. It goes at once, so
    // that Qt's hears of every later change.
    m_mark = mark.toUtf8();
    m_sawMark = false;
    m_device = wl_data_device_manager_get_data_device(m_manager, m_seat);
    wl_data_device_add_listener(m_device, &ServedCopyListeners::Device, this);
    wl_data_device_set_selection(m_device, m_source, m_serial);
    const bool answered = wl_display_roundtrip_queue(m_display, m_queue) >= 0;
    wl_data_device_release(m_device);
    m_device = nullptr;
    for (const auto &[offer, marked] : m_offers)
        wl_data_offer_destroy(offer);
    m_offers.clear();
    return answered && m_sawMark;
}

void ServedCopy::withdraw()
{
    if (m_source)
        wl_data_source_destroy(m_source);
    m_source = nullptr;
    m_data.reset();
}

void ServedCopy::offered(const wl_data_offer *offer, const char *type)
{
    if (m_mark != type)
        return;
    for (auto &[known, marked] : m_offers)
        marked = marked || known == offer;
}

void ServedCopy::selection(const wl_data_offer *offer)
{
    for (const auto &[known, marked] : m_offers)
        m_sawMark = m_sawMark || (known == offer && marked);
}

void ServedCopy::takeNotices()
{
    wl_display_dispatch_queue_pending(m_display, m_queue);
}

void ServedCopy::send(const wl_data_source *source, const char *type, int fd)
{
    const QByteArray bytes = source == m_source ? m_data->data(QString::fromUtf8(type)) : QByteArray();
    if (bytes.isEmpty()) {
        ::close(fd);
        return;
    }
    // A new reader is served before the one that has read nothing for
    // longest, so that readers that read are served whoever stalls.
    if (m_pastes.size() >= keeper::MostTransfers)
        end(keeper::stalledLongest(m_pastes));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    Paste &paste = m_pastes.emplace_back();
    paste.fd = fd;
    paste.bytes = bytes;
    paste.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    QObject::connect(paste.notifier.get(), &QSocketNotifier::activated,
                     [this, entry = std::prev(m_pastes.end())] { write(entry); });
    watchForStalls();
}

void ServedCopy::write(std::list<Paste>::iterator entry)
{
    Paste &paste = *entry;
    for (;;) {
        const ssize_t count = ::write(paste.fd, paste.bytes.constData() + paste.written,
                                      size_t(std::min(paste.bytes.size() - paste.written, Piece)));
        if (count < 0 && errno == EINTR)
            continue;
        if (count > 0) {
            paste.written += count;
            paste.lastProgress = keeper::Clock::now();
        }
        if (count < 0 && errno == EAGAIN)
            return;
        if (count <= 0 || paste.written == paste.bytes.size())
            break;
    }
    end(entry);
}

void ServedCopy::end(std::list<Paste>::iterator paste)
{
    // Its descriptor stops being watched before it is closed; Qt 6 lets a
    // notifier go within its own signal.
    paste->notifier.reset();
    ::close(paste->fd);
    m_pastes.erase(paste);
    if (!m_pastes.empty())
        return;
    m_stallWatch.stop();
    if (m_finishing)
        m_finishing->quit();
}

void ServedCopy::dropStalled()
{
    const auto now = keeper::Clock::now();
    for (auto paste = m_pastes.begin(); paste != m_pastes.end();) {
        const auto next = std::next(paste);
        if (now - paste->lastProgress >= keeper::StallLimit)
            end(paste);
        paste = next;
    }
    watchForStalls();
}

void ServedCopy::watchForStalls()
{
    const int ms = keeper::msUntilAStall(m_pastes, keeper::StallLimit);
    if (ms >= 0)
        m_stallWatch.start(ms);
}

void ServedCopy::cancelled(const wl_data_source *source)
{
    if (source == m_source)
        withdraw();
}

void ServedCopy::finishPastes()
{
    // The window has gone, and the clipboard serves new pastes from
    // elsewhere. A reader may take its time: some take a large piece at
    // long intervals.
    if (m_pastes.empty())
        return;
    QEventLoop loop;
    m_finishing = &loop;
    loop.exec();
    m_finishing = nullptr;
}
