#include "app/Form1.h"
#include "platform/QtServices.h"
#ifdef TESSIVAN_CLIPBOARD_KEEPER
#include "platform/ClipboardKeeper.h"
#endif

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would append it to every title, message boxes' too.
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    // Ties the window to its desktop entry (Wayland's app id, for one).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Tessivan"));

    QtServices services;
    Form1 window(services);
    window.show();
    const int status = app.exec();
#ifdef TESSIVAN_CLIPBOARD_KEEPER
    keepClipboardAfterExit();
#endif
    return status;
}
