#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class DataControlGlobals;
struct wl_display;
struct wl_event_queue;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_offer_v1;

// The compositor's data-control protocol (wlroots, KWin), which tells any
// client what the clipboard holds and lets it empty the clipboard whoever
// owns it. Its events go to a queue of its own, which only this class
// dispatches, so that it can share a connection with Qt.
class DataControl
{
public:
    explicit DataControl(wl_display *display);
    ~DataControl();
    DataControl(const DataControl &) = delete;
    DataControl &operator=(const DataControl &) = delete;

    // Whether the compositor has data-control; set up when first asked.
    bool available();

    // Sends all requests so far on the connection, the other users' too,
    // and takes the compositor's answers to them.
    bool catchUp();

    // From now on, notes whether the clipboard holds an offer with that type
    // (empty: none) at any moment, and whether it is empty at any moment.
    void watchFor(const QString &type);
    bool sawWatchedType() const { return m_sawWatchedType; }

    bool holds(const QString &type) const;

    // Whether the clipboard was empty at some moment since watchFor(), once
    // the compositor has answered every request so far; empties it through
    // data-control where it was not. Seen empty counts even if a clipboard
    // manager has filled it again since.
    bool emptiedSinceWatching();

    // The compositor's events, as the listeners pass them on.
    void offered(zwlr_data_control_offer_v1 *offer, const char *type);
    void selection(zwlr_data_control_offer_v1 *offer);
    void primarySelection(zwlr_data_control_offer_v1 *offer);
    void finished();

private:
    wl_display *m_display;
    wl_event_queue *m_queue;
    std::unique_ptr<DataControlGlobals> m_globals; // null until first asked
    zwlr_data_control_device_v1 *m_device = nullptr;

    QHash<zwlr_data_control_offer_v1 *, QStringList> m_offers; // each offer's types
    zwlr_data_control_offer_v1 *m_selection = nullptr;         // null: the clipboard is empty
    QString m_watchedType;
    bool m_sawWatchedType = false;
    bool m_sawNothing = false;
};

// Hands text to tessivan-keeper-wayland, which serves it through data-control
// once the program has ended, as a compositor with data-control keeps nothing
// of a client that has gone. Called as the program ends.
void handToWaylandKeeper(const QString &text);
