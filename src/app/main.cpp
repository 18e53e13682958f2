#include "app/Form1.h"
#include "platform/QtServices.h"

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
    return app.exec();
}
