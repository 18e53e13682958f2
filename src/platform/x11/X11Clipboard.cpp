#include "platform/clipboard/DisplayClipboard.h"
#include "platform/clipboard/KeeperHandOver.h"
#include "platform/x11/X11Pastes.h"
#include "platform/x11/X11Selection.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

// Long enough for a working clipboard manager to take a large text.
constexpr std::chrono::seconds ManagerPatience(1);

// On X11 the program that copied serves the clipboard itself, so the text
// would go with it.
class X11Clipboard final : public DisplayClipboard
{
public:
    // Hands the text the program owns on the clipboard, if any, to the
    // clipboard manager, or where none runs or it does not take the text in
    // time, to tessivan-keeper-x11, within about two seconds. Pastes under
    // way are then served to their end, from the same text.
    void keepAfterExit() override
    {
        // The closed window leaves the screen before the hand-over waits.
        QGuiApplication::sync();
        if (clipboardManagerRuns())
            handToManager();
        else if (clipboardOwnedHere())
            handTextToKeeper(Keeper::X11, QGuiApplication::clipboard()->text());
        m_pastes.finish();
    }

private:
    // WORKAROUND: as it ends, Qt hands whatever the program owns to the
    // clipboard manager itself and waits 5 s for an answer, then lets the text
    // go. Here the manager is asked first, and what the program owns is given
    // up before Qt would ask again.
    static void handToManager()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        // No program's selection outlives it.
        if (clipboard->ownsSelection())
            clipboard->clear(QClipboard::Selection);
        if (!clipboardOwnedHere())
            return;
        const QString text = clipboard->text();
        const bool saved = clipboardManagerSaved(ManagerPatience);
        if (clipboardOwnedHere())
            clipboard->clear();
        if (!saved)
            handTextToKeeper(Keeper::X11, text);
    }

    X11Pastes m_pastes;
};

} // namespace

std::unique_ptr<DisplayClipboard> x11Clipboard()
{
    if (QGuiApplication::platformName() != u"xcb")
        return nullptr;
    return std::make_unique<X11Clipboard>();
}
