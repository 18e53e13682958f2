#include "window/Form1.h"

#include "BuildSettings.h"
#include "platform/frame/FixedFrame.h"
#include "platform/services/Services.h"
#include "window/Accessibility.h"
#include "window/ClickFilter.h"
#include "window/HandPointer.h"
#include "window/WindowIcon.h"

#include <QApplication>
#include <QFontDatabase>

#include <algorithm>
#include <functional>
#include <iterator>

namespace {

// The labels' face where the system has it, otherwise a sans-serif face that
// covers Cyrillic, the closest to its widths first; a wider one is made
// smaller to fit. Only the faces present are named: Qt has the font matcher
// look for a stand-in for each one missing, a third of a millisecond at start.
QStringList labelFaces()
{
    const QStringList wanted
        = {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
           QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")};
    QStringList installed = QFontDatabase::families();
    for (QString &family : installed)
        family = family.section(QStringLiteral(" ["), 0, 0); // less a foundry's name
    QStringList present;
    std::copy_if(wanted.cbegin(), wanted.cend(), std::back_inserter(present),
                 [&](const QString &face) { return installed.contains(face, Qt::CaseInsensitive); });
    return present.isEmpty() ? wanted : present;
}

// The row shows only ASCII, as the build allows nothing else, which a face
// for Latin text has whole: it need not look for other faces to draw what it
// lacks, a fontconfig search as long as loading the face itself.
QFont labelFont(QFont font, const QStringList &faces)
{
    font.setFamilies(faces);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setPointSizeF(8.25);
    return font;
}

// The window's geometry is fixed in pixels. Where the fonts the desktop has
// are too wide for it, the font of each widget given is made smaller, a
// quarter point at a time and all alike, just enough for whole() to hold.
void shrinkFontsUntil(const QList<QWidget *> &widgets, const std::function<bool()> &whole)
{
    constexpr qreal Smallest = 6;
    qreal size = widgets.first()->font().pointSizeF();
    while (!whole() && size > Smallest) {
        size -= 0.25;
        for (QWidget *widget : widgets) {
            QFont font = widget->font();
            font.setPointSizeF(size);
            widget->setFont(font);
        }
    }
}

bool captionsShowWhole(const QList<QPushButton *> &buttons)
{
    return std::all_of(buttons.cbegin(), buttons.cend(), [](const QPushButton *button) {
        return button->sizeHint().width() <= button->width();
    });
}

// A label's text may end in spaces, which show nothing when cut off.
bool captionsShowWhole(const QList<QLabel *> &labels)
{
    return std::all_of(labels.cbegin(), labels.cend(), [](const QLabel *label) {
        QString text = label->text();
        while (text.endsWith(u' '))
            text.chop(1);
        return QFontMetrics(label->font()).boundingRect(text).right() < label->width();
    });
}

// The whole window takes the size at which the buttons' captions fit. Tried
// on the buttons alone: each try on the window lays out both text boxes again.
void fitWindowFontToButtons(const QList<QPushButton *> &buttons)
{
    shrinkFontsUntil({buttons.cbegin(), buttons.cend()}, [&] { return captionsShowWhole(buttons); });
    QWidget *window = buttons.first()->window();
    const qreal fitted = buttons.first()->font().pointSizeF();
    if (fitted == window->font().pointSizeF())
        return;
    QFont font = window->font();
    font.setPointSizeF(fitted);
    window->setFont(font);
    for (QPushButton *button : buttons)
        button->setFont(QFont()); // the window's again
}

} // namespace

Form1::Form1(Services &services, const ClickHandlers &handlers, QWidget *parent)
    : QWidget(parent), m_services(services)
{
    installAccessibility();
    m_ui.setupUi(this);
    setFixedSize(size());
    askForFixedFrame(this);
    setWindowIcon(WindowIcon());
    fitWindowFontToButtons({m_ui.Command1, m_ui.Command2, m_ui.Command3});

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
    const QList<QLabel *> labels = {m_ui.Label1, m_ui.Label2, m_ui.Label3, m_ui.Label4};
    const QStringList faces = labelFaces();
    for (QLabel *label : labels)
        label->setFont(labelFont(label->font(), faces));
    shrinkFontsUntil({labels.cbegin(), labels.cend()}, [&] { return captionsShowWhole(labels); });

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
