// tessivan-keeper-x11: serves a text on the X11 clipboard after Tessivan has ended,
// where no clipboard manager would take it over. Tessivan starts it at exit and
// hands it the text (HandOverFormat.h). It ends by itself when another client
// takes the clipboard or empties it, or when the X server goes.
#include "platform/clipboard/ClipboardText.h"
#include "platform/clipboard/HandOverFormat.h"
#include "platform/x11/X11Selection.h"

#include <QClipboard>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

// Last: it defines macros that Qt's headers use as names.
#include <X11/Xlib.h>

namespace {

QtMessageHandler qtsOwn = nullptr;

void quietOnceTheDisplayHasGone(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!displayGone())
        qtsOwn(type, context, message);
}

void endWellOnceTheDisplayHasGone()
{
    if (displayGone())
        std::_Exit(0);
}

int endWell(Display *)
{
    std::_Exit(0);
}

// WORKAROUND: Qt 6.4 and 6.8 end a program whose X server has gone with a
// warning and status 1 (exit() from within), or Xlib does, printing its own,
// where it notices first; Qt 6.11 returns from exec() with 1 instead (main).
// For the keeper that is an ordinary end: the text has nowhere left to be
// pasted.
void endQuietlyWhenTheDisplayGoes()
{
    qtsOwn = qInstallMessageHandler(quietOnceTheDisplayHasGone);
    std::atexit(endWellOnceTheDisplayHasGone);
    XSetIOErrorHandler(endWell);
}

} // namespace

int main(int argc, char *argv[])
{
    // Read before connecting to the display, which takes longer.
    std::optional<std::string> utf8 = readHandOver(stdin);
    if (!utf8)
        return 1;

    // The X server the program ran on, whatever else the environment names.
    char platform[] = "-platform";
    char xcb[] = "xcb";
    char *arguments[] = {argc > 0 ? argv[0] : platform, platform, xcb, nullptr};
    int count = 3;
    QGuiApplication app(count, arguments);
    endQuietlyWhenTheDisplayGoes();
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString text = QString::fromUtf8(QByteArrayView(*utf8));
    utf8.reset();
    clipboard->setMimeData(clipboardText(text));
    if (!clipboardOwnedHere())
        return 1;
    std::fputs("kept\n", stdout);
    std::fclose(stdout);

    // Qt reports alike a new owner, the clipboard emptied and its owner gone.
    QObject::connect(clipboard, &QClipboard::changed, &app, [](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboardOwnedHere())
            QCoreApplication::quit();
    });
    const int status = app.exec();
    // See endQuietlyWhenTheDisplayGoes().
    return status != 0 && displayGone() ? 0 : status;
}
