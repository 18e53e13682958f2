#include "BuildSettings.h"
#include "app/ClickHandlers.h"
#include "app/QuitOnSignals.h"
#include "platform/services/QtServices.h"
#include "window/Form1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would append it to every title, message boxes' too.
    QApplication::setApplicationVersion(ProgramVersion.toString());
    // Ties the window to its desktop entry (Wayland's app id, for one).
    QGuiApplication::setDesktopFileName(ApplicationId.toString());

    quitOnSignals();

    QtServices services;
    Form1 window(services, Form1Clicks);
    window.show();
    const int status = app.exec();
    // Ended by a signal, the window is still shown: it goes first, as on a
    // close, whatever keeping the clipboard takes.
    window.hide();
    services.keepClipboardAfterExit();
    return status;
}
