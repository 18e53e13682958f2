#include "app/Form1.h"
#include "platform/QtServices.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would append it to every title, message boxes' too.
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));

    QtServices services;
    Form1 window(services);
    window.show();
    return app.exec();
}
