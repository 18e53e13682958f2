#include "window/Form1.h"

#include "BuildSettings.h"
#include "platform/services/Services.h"
#include "window/ClickFilter.h"
#include "window/HandPointer.h"

#include <QApplication>
#include <QDir>

#include <algorithm>

namespace {

// The labels' face where the system has it, otherwise a sans-serif face that
// covers Cyrillic, the closest to its widths first.
QFont labelFont(QFont font)
{
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

// The window's geometry is fixed in pixels. A desktop font too wide for it is
// made smaller, just enough for every button caption to show whole.
void fitFontToButtons(QWidget *window, const QList<QPushButton *> &buttons)
{
    QFont font = window->font();
    const auto fits = [&] {
        return std::all_of(buttons.cbegin(), buttons.cend(), [](const QPushButton *button) {
            return button->sizeHint().width() <= button->width();
        });
    };
    while (!fits() && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
        window->setFont(font);
    }
}

} // namespace

Form1::Form1(Services &services, const ClickHandlers &handlers, QWidget *parent)
    : QWidget(parent), m_services(services)
{
    m_ui.setupUi(this);
    setFixedSize(size());
    QIcon icon; // the renderings of data/tessivan.svg made at build time
    for (const QFileInfo &rendering :
         QDir(QStringLiteral(":/"), QStringLiteral("tessivan-*.png")).entryInfoList())
        icon.addFile(rendering.filePath());
    setWindowIcon(icon);
    fitFontToButtons(this, {m_ui.Command1, m_ui.Command2, m_ui.Command3});

    for (QLabel *label : {m_ui.Label1, m_ui.Label2, m_ui.Label3, m_ui.Label4})
        label->setFont(labelFont(label->font()));

    // Each line fills its one-pixel strip, so that the two stay a double rule
    // at any scale. Qt has no inactive title bar colour; its mid grey over the
    // text colour draws the same rule.
    const auto paintLine = [](QWidget *line, QPalette::ColorRole colour) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, palette.color(colour));
        line->setPalette(palette);
    };
    paintLine(m_ui.Line1, QPalette::WindowText);
    paintLine(m_ui.Line2, QPalette::Mid);

    const QColor menuText = QApplication::palette("QMenu").color(QPalette::WindowText);
    const QCursor hand = HandPointer(devicePixelRatio());
    for (QLabel *label : {m_ui.Label2, m_ui.Label4}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, menuText);
        label->setPalette(palette);
        label->setCursor(hand);
    }
    m_ui.Label2->setText(ContactSite.toString());
    m_ui.Label4->setText(ContactMail.toString());

    const auto runs = [this](Handler handler) { return [this, handler] { run(handler); }; };
    connect(m_ui.Command1, &QPushButton::clicked, this, runs(handlers.Command1));
    connect(m_ui.Command2, &QPushButton::clicked, this, runs(handlers.Command2));
    connect(m_ui.Command3, &QPushButton::clicked, this, runs(handlers.Command3));
    new ClickFilter(m_ui.Label2, runs(handlers.Label2));
    new ClickFilter(m_ui.Label4, runs(handlers.Label4));

    m_ui.Command1->setFocus();
}

void Form1::run(Handler handler)
{
    const Status status = handler(*this);
    if (!status.ok())
        m_services.reportError(this, status);
}
