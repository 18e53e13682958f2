#include "platform/clipboard/ClipboardText.h"
#include "platform/clipboard/DisplayClipboard.h"
#include "platform/clipboard/KeeperHandOver.h"
#include "platform/clipboard/WaylandModule.h"

#include "platform/wayland/DataControl.h"

#include <QClipboard>
#include <QGuiApplication>

#include <wayland-client.h>

#include <optional>
#include <utility>

namespace {

// A connection of the program's own to the compositor that runs the X
// server, for one question.
class WaylandConnection
{
public:
    WaylandConnection() : m_display(wl_display_connect(nullptr))
    {
        if (m_display)
            m_dataControl.emplace(m_display, DataControl::Queue::Default);
    }
    ~WaylandConnection()
    {
        m_dataControl.reset();
        if (m_display)
            wl_display_disconnect(m_display);
    }
    WaylandConnection(const WaylandConnection &) = delete;
    WaylandConnection &operator=(const WaylandConnection &) = delete;

    // Null where the compositor has no data-control.
    DataControl *dataControl()
    {
        return m_dataControl && m_dataControl->available() ? &*m_dataControl : nullptr;
    }

private:
    wl_display *m_display;
    std::optional<DataControl> m_dataControl;
};

// Under XWayland the program sees only the X11 clipboard, which the
// compositor passes to Wayland programs in its own way: KWin only while an
// X11 window is active, so that an emptied X11 clipboard leaves Wayland
// programs another program's text, and a keeper with no window serves X11
// programs alone. Where the compositor has data-control, the Wayland
// clipboard is emptied with the X11 one, and a copy of the program's that
// Wayland programs see at the end goes to tessivan-keeper-wayland, whose
// text the compositor passes to X11 programs in turn.
class WaylandBesideX11 final : public DisplayClipboard
{
public:
    explicit WaylandBesideX11(std::unique_ptr<DisplayClipboard> x11) : m_x11(std::move(x11)) {}

    void put(QMimeData *data) override { m_x11->put(data); }
    bool displayTookOurCopy() override { return m_x11->displayTookOurCopy(); }

    bool displayTookTheEmptying() override
    {
        if (!m_x11->displayTookTheEmptying())
            return false;
        WaylandConnection wayland;
        DataControl *dataControl = wayland.dataControl();
        return !dataControl || dataControl->empty();
    }

    void keepAfterExit() override
    {
        {
            WaylandConnection wayland;
            DataControl *dataControl = wayland.dataControl();
            if (dataControl && dataControl->holds(ownCopyType().toStdString())) {
                handTextToKeeper(Keeper::Wayland, QGuiApplication::clipboard()->text());
                return;
            }
        }
        m_x11->keepAfterExit();
    }

private:
    std::unique_ptr<DisplayClipboard> m_x11;
};

} // namespace

DisplayClipboard *tessivanWaylandBesideX11(DisplayClipboard *x11)
{
    return new WaylandBesideX11(std::unique_ptr<DisplayClipboard>(x11));
}
