#include "platform/x11/X11Selection.h"

#include "platform/x11/XcbAtom.h"

#include <QAbstractNativeEventFilter>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <xcb/xcb.h>

namespace {

xcb_connection_t *displayConnection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t selectionOwner(xcb_connection_t *connection, const char *selection)
{
    const xcb_atom_t name = xcbAtom(connection, selection, AtomLookup::OnlyIfExists);
    if (name == XCB_ATOM_NONE)
        return XCB_WINDOW_NONE;
    const auto owner = owned(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, name), nullptr));
    return owner ? owner->owner : xcb_window_t(XCB_WINDOW_NONE);
}

// Waits in an event loop of its own for the clipboard manager's answer to
// SAVE_TARGETS, while Qt, in that loop, serves the manager's requests.
class ManagerAnswer final : public QAbstractNativeEventFilter
{
public:
    ManagerAnswer(xcb_window_t requestor, xcb_atom_t manager, xcb_atom_t saveTargets)
        : m_requestor(requestor), m_manager(manager), m_saveTargets(saveTargets)
    {
        qApp->installNativeEventFilter(this);
    }
    ~ManagerAnswer() override { qApp->removeNativeEventFilter(this); }

    bool saved(std::chrono::milliseconds patience)
    {
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, &m_loop, &QEventLoop::quit);
        deadline.start(patience);
        m_loop.exec(QEventLoop::ExcludeUserInputEvents);
        return m_saved;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & ~0x80) != XCB_SELECTION_NOTIFY)
            return false;
        const auto *notify = static_cast<const xcb_selection_notify_event_t *>(message);
        if (notify->requestor != m_requestor || notify->selection != m_manager
            || notify->target != m_saveTargets)
            return false;
        m_saved = notify->property != XCB_ATOM_NONE;
        m_loop.quit();
        return true;
    }

private:
    const xcb_window_t m_requestor;
    const xcb_atom_t m_manager;
    const xcb_atom_t m_saveTargets;
    QEventLoop m_loop;
    bool m_saved = false;
};

} // namespace

bool clipboardOwnedHere()
{
    xcb_connection_t *connection = displayConnection();
    if (!connection)
        return false;
    const xcb_window_t owner = selectionOwner(connection, "CLIPBOARD");
    // Every resource a connection creates carries the connection's id base.
    const xcb_setup_t *setup = xcb_get_setup(connection);
    return owner != XCB_WINDOW_NONE && (owner & ~setup->resource_id_mask) == setup->resource_id_base;
}

bool displayGone()
{
    xcb_connection_t *connection = displayConnection();
    return connection && xcb_connection_has_error(connection);
}

bool clipboardManagerRuns()
{
    xcb_connection_t *connection = displayConnection();
    return connection && selectionOwner(connection, "CLIPBOARD_MANAGER") != XCB_WINDOW_NONE;
}

bool clipboardManagerSaved(std::chrono::milliseconds patience)
{
    xcb_connection_t *connection = displayConnection();
    if (!connection)
        return false;
    // Asked from the window that owns the clipboard, as Qt asks: a manager
    // may take the clipboard over once that window is gone.
    const xcb_window_t owner = selectionOwner(connection, "CLIPBOARD");
    const xcb_atom_t manager = xcbAtom(connection, "CLIPBOARD_MANAGER", AtomLookup::OnlyIfExists);
    const xcb_atom_t saveTargets = xcbAtom(connection, "SAVE_TARGETS");
    const xcb_atom_t property = xcbAtom(connection, "_TESSIVAN_SAVED");
    if (owner == XCB_WINDOW_NONE || manager == XCB_ATOM_NONE)
        return false;

    ManagerAnswer answer(owner, manager, saveTargets);
    xcb_convert_selection(connection, owner, manager, saveTargets, property, XCB_CURRENT_TIME);
    xcb_flush(connection);
    return answer.saved(patience);
}
