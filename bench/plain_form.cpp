// The floor for start-up time and memory: the window's controls in plain Qt,
// at their places and with their captions, and nothing else (no icon, no
// pointer, no fonts fitted, no logic).
#include "BuildSettings.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plain"));
    window.setFixedSize(321, 297);
    const auto place = [](QWidget *widget, int x, int y, int width, int height) {
        widget->setGeometry(x, y, width, height);
    };
    const struct
    {
        QString caption;
        int x, width;
    } labels[] = {{QStringLiteral("Autor: "), 16, 33},
                  {ContactSite.toString(), 56, 81},
                  {QStringLiteral("Mail: "), 168, 25},
                  {ContactMail.toString(), 200, 105}};
    for (const auto &label : labels) {
        auto *widget = new QLabel(label.caption, &window);
        QFont bold = widget->font();
        bold.setBold(true);
        widget->setFont(bold);
        place(widget, label.x, 8, label.width, 17);
    }
    for (const int y : {31, 32}) {
        auto *line = new QFrame(&window);
        line->setFrameShape(QFrame::HLine);
        place(line, 8, y, 304, 1);
    }
    for (const auto &[title, y] :
         {std::pair {"Type text for convert here", 40}, std::pair {"Converted text", 152}}) {
        auto *frame = new QGroupBox(QString::fromLatin1(title), &window);
        place(frame, 8, y, 305, 105);
        place(new QPlainTextEdit(frame), 8, 16, 289, 81);
    }
    for (const auto &[caption, x] :
         {std::pair {"Clear", 8}, std::pair {"Copy to Clipboard", 112}, std::pair {"Convert", 216}})
        place(new QPushButton(QString::fromLatin1(caption), &window), x, 264, 97, 25);
    window.show();
    return app.exec();
}
