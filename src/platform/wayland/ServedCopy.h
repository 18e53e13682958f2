#pragma once

#include "platform/clipboard/KeeperTransfers.h"

#include <QByteArray>
#include <QTimer>

#include <cstdint>
#include <list>
#include <memory>

class QEventLoop;
class QMimeData;
class QSocketNotifier;
struct wl_data_device;
struct wl_data_device_manager;
struct wl_data_offer;
struct wl_data_source;
struct wl_display;
struct wl_event_queue;
struct wl_keyboard;
struct wl_pointer;
struct wl_registry;
struct wl_seat;

// The program's copies on the Wayland clipboard, served by the program
// itself from its event loop: each paste is written as its reader takes it,
// so that no reader holds the window or another paste, and one that takes
// nothing for a while is given up.
//
// WORKAROUND: Qt 6.4 to 6.11 serve their own clipboard source with one
// blocking write of the whole text on the user-interface thread.
class ServedCopy
{
public:
    explicit ServedCopy(wl_display *display);
    ~ServedCopy();
    ServedCopy(const ServedCopy &) = delete;
    ServedCopy &operator=(const ServedCopy &) = delete;

    // Offers data's types on the clipboard, with the serial of the last input
    // the compositor gave the program; takes ownership. True where the
    // compositor then
    // told the program that the clipboard holds an offer with the type mark,
    // which data offers and no earlier copy did: Mutter tells only the
    // focused client, and only the newest device of its.
    bool put(std::unique_ptr<QMimeData> data, const QString &mark);
    // Gives up the last copy put, the compositor having refused it.
    void withdraw();
    // The copy the clipboard holds, as far as the compositor has told; null
    // once another has replaced it.
    const QMimeData *current() const { return m_data.get(); }

    // Takes in what the compositor has said and the connection has read.
    void takeNotices();
    // As the program ends: serves the pastes under way until each is done,
    // or its reader has taken nothing for a while. Returns at once without
    // one.
    void finishPastes();

private:
    friend struct ServedCopyListeners;
    struct Paste
    {
        int fd = -1;
        QByteArray bytes;
        qsizetype written = 0;
        keeper::Clock::time_point lastProgress = keeper::Clock::now();
        std::unique_ptr<QSocketNotifier> notifier;
    };

    bool bound();
    void global(uint32_t name, const char *interface, uint32_t version);
    void capabilities(wl_seat *seat, uint32_t capabilities);
    void offered(const wl_data_offer *offer, const char *type);
    void selection(const wl_data_offer *offer);
    void send(const wl_data_source *source, const char *type, int fd);
    void cancelled(const wl_data_source *source);
    void write(std::list<Paste>::iterator entry);
    void end(std::list<Paste>::iterator paste);
    void dropStalled();
    void watchForStalls();

    wl_display *m_display;
    wl_event_queue *m_queue;
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    wl_keyboard *m_keyboard = nullptr;
    wl_pointer *m_pointer = nullptr;
    uint32_t m_serial = 0; // of the last input the program was given
    wl_data_device_manager *m_manager = nullptr;
    wl_data_device *m_device = nullptr;                   // only while a copy is put
    std::list<std::pair<wl_data_offer *, bool>> m_offers; // to it, and whether each has the mark
    QByteArray m_mark;
    bool m_sawMark = false;

    wl_data_source *m_source = nullptr; // null once replaced
    std::unique_ptr<QMimeData> m_data;  // what it offers
    std::list<Paste> m_pastes;
    QTimer m_stallWatch;
    QEventLoop *m_finishing = nullptr; // while the program ends
};
