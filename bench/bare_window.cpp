// The baseline for start-up time and memory: a bare Qt window of the same size.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare"));
    window.setFixedSize(321, 297);
    window.show();
    return app.exec();
}
