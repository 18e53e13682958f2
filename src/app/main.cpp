#include "app/Form1.h"
#include "platform/QtServices.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Qt appends the display name to window titles unless it is the title.
    QApplication::setApplicationDisplayName(QStringLiteral("Tessivan"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));

    QtServices services;
    Form1 window(services);
    window.show();
    return app.exec();
}
