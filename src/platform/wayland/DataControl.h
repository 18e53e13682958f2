#pragma once

#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct DataControlProtocol; // the interfaces of one of the two
struct wl_display;
struct wl_event_queue;
struct wl_registry;
struct wl_seat;

// The compositor's data-control protocol, which lets a client without a
// window read, set and empty the clipboard: the standard ext_data_control_v1
// where the compositor offers it (KWin 6.7, wlroots 0.19), else wlroots'
// zwlr_data_control_v1 (KWin 5 and 6, older wlroots). The two have the same
// messages under other names, so the code speaks wlroots' names to either;
// the objects are made with the interfaces of the protocol bound, so that the
// compositor and the debug log see its names. Used by the program and by
// tessivan-keeper-wayland alike; no Qt.
//
// Each question first takes the compositor's answers to every request sent
// so far on the connection, other users' too.
class DataControl
{
public:
    // Where the connection is shared with Qt, the compositor's events go to a
    // queue of this object's own, which only it dispatches; else to the
    // connection's default queue.
    enum class Queue { OfItsOwn, Default };
    DataControl(wl_display *display, Queue queue);
    ~DataControl();
    DataControl(const DataControl &) = delete;
    DataControl &operator=(const DataControl &) = delete;

    // Whether the compositor has data-control and has not withdrawn it; set
    // up when first asked.
    bool available();

    // Whether the clipboard holds an offer with that type.
    bool holds(const std::string &type);

    // Whether an offer with that type was on the clipboard at any moment
    // until the compositor answered: also where a clipboard manager has
    // replaced it since.
    bool offerArrived(const std::string &type);

    // Empties the clipboard, whoever owns it, unless it was empty at some
    // moment until the compositor answered; true once it is or was.
    bool empty();

    // Puts a source on the clipboard; the caller offers its types first and
    // serves and destroys it.
    zwlr_data_control_source_v1 *newSource() const;
    void setSelection(zwlr_data_control_source_v1 *source);

    // Takes the compositor's answers to every request so far.
    bool catchUp();

    // Takes in what the compositor has said and the connection has read,
    // without asking: on a queue of its own, nothing else would, and each
    // other client's copy would stay queued, its offer with it.
    void takeNotices();

private:
    friend struct DataControlListeners;
    void global(uint32_t name, const char *interface);
    void offered(zwlr_data_control_offer_v1 *offer, const char *type);
    void selection(zwlr_data_control_offer_v1 *offer);
    void forget(zwlr_data_control_offer_v1 *offer);
    bool offers(zwlr_data_control_offer_v1 *offer, const std::string &type) const;
    void finished();
    void bind();

    wl_display *m_display;
    wl_event_queue *m_queue = nullptr; // null: the default
    bool m_asked = false;
    const DataControlProtocol *m_protocol = nullptr; // the one bound
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    zwlr_data_control_manager_v1 *m_manager = nullptr;
    uint32_t m_standardName = 0; // 0: not offered
    uint32_t m_wlrootsName = 0;
    zwlr_data_control_device_v1 *m_device = nullptr;

    std::unordered_map<zwlr_data_control_offer_v1 *, std::vector<std::string>> m_offers; // their types
    zwlr_data_control_offer_v1 *m_selection = nullptr; // null: the clipboard is empty
    std::string m_awaitedType;                         // empty: none
    bool m_sawAwaitedType = false;
    bool m_sawNothing = false;
};
