// tessivan-keeper-x11: serves a text on the X11 clipboard after Tessivan has ended,
// where no clipboard manager would take it over. Tessivan starts it at exit and
// writes to its standard input the text's length in bytes, a line break and
// the text in UTF-8; once the keeper owns the clipboard it writes "kept" and a
// line break to its standard output. It ends by itself when another client
// takes the clipboard or empties it, or when the X server goes.
#include "platform/clipboard/ClipboardText.h"
#include "platform/x11/X11Selection.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <optional>

namespace {

// Only the whole text: a hand-over cut short is refused.
std::optional<QString> readText()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return {};
    const QByteArray header = input.readLine(32);
    bool number = false;
    const qint64 size = header.trimmed().toLongLong(&number);
    if (!number || size <= 0 || !header.endsWith('\n'))
        return {};
    const QByteArray text = input.readAll();
    if (text.size() != size)
        return {};
    return QString::fromUtf8(text);
}

} // namespace

int main(int argc, char *argv[])
{
    // Read before connecting to the display, which takes longer.
    const std::optional<QString> text = readText();
    if (!text)
        return 1;

    // The X server the program ran on, whatever else the environment names.
    char platform[] = "-platform";
    char xcb[] = "xcb";
    char *arguments[] = {argc > 0 ? argv[0] : platform, platform, xcb, nullptr};
    int count = 3;
    QGuiApplication app(count, arguments);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setMimeData(clipboardText(*text));
    if (!clipboardOwnedHere())
        return 1;
    std::fputs("kept\n", stdout);
    std::fclose(stdout);

    // Qt reports alike a new owner, the clipboard emptied and its owner gone.
    QObject::connect(clipboard, &QClipboard::changed, &app, [](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboardOwnedHere())
            QCoreApplication::quit();
    });
    return app.exec();
}
