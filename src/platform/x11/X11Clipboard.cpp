#include "platform/clipboard/DisplayClipboard.h"
#include "platform/clipboard/KeeperHandOver.h"
#include "platform/x11/X11Selection.h"

#include <QGuiApplication>

namespace {

// On X11 the program that copied serves the clipboard itself, so the text
// would go with it.
class X11Clipboard final : public DisplayClipboard
{
public:
    // When the program owns the clipboard with text and no clipboard manager
    // will take it over, hands the text to tessivan-keeper-x11. Returns within
    // about a second, the keeper holding the clipboard or the hand-over
    // abandoned.
    void keepAfterExit() override
    {
        // The closed window leaves the screen before the hand-over waits.
        QGuiApplication::sync();
        if (!clipboardOwnedHere() || clipboardManagerRuns())
            return;
        handClipboardToKeeper(QStringLiteral("tessivan-keeper-x11"));
    }
};

} // namespace

std::unique_ptr<DisplayClipboard> x11Clipboard()
{
    if (QGuiApplication::platformName() != u"xcb")
        return nullptr;
    return std::make_unique<X11Clipboard>();
}
