#include "BuildSettings.h"
#include "ShownForm.h"
#include "platform/textbox/TextBox.h"
#include "window/ClickFilter.h"
#include "window/Form1.h"

#include <QAccessible>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// How far text inks from where it starts, as drawn in font.
int inkedWidth(const QFont &font, const QString &text)
{
    const QFontMetrics metrics(font);
    QImage image(2 * metrics.horizontalAdvance(text) + metrics.height(), 2 * metrics.height(),
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(QPoint(0, metrics.height()), text);
    painter.end();
    int width = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = width; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                width = x + 1;
        }
    }
    return width;
}

QString accessibleText(QWidget *widget, QAccessible::Text what)
{
    return QAccessible::queryAccessibleInterface(widget)->text(what);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void hasTheFixedWindowDefinition();
    void controlsSitWhereDefined_data();
    void controlsSitWhereDefined();
    void contactRowLooksAsDefined();
    void focusStartsOnConvertAndTabCycles();
    void keysInBoxesAndOnButtons();
    void convertAppendsTheAlternatingCase();
    void labelClickIsPressAndReleaseOver();
    void everyControlIsNamedForAScreenReader();
    void readsToAScreenReaderAsShown();
    void contactLabelsAreLinksThatDoWhatAClickDoes();
    void tabOrderReadsInTheWindowsOrder();

private:
    template<typename T> T *control(const char *name) const { return m_shown->control<T>(name); }
    TextBoxWidget *box(const char *name) const { return m_shown->box(name); }

    std::unique_ptr<ShownForm> m_shown;
    Form1 *m_form = nullptr;
    FakeServices *m_services = nullptr;
};

void TestForm1::init()
{
    m_shown = std::make_unique<ShownForm>();
    m_form = &m_shown->form;
    m_services = &m_shown->services;
}

void TestForm1::cleanup()
{
    m_shown.reset();
}

void TestForm1::hasTheFixedWindowDefinition()
{
    QCOMPARE(m_form->windowTitle(), u"Tessivan"_s);
    QCOMPARE(m_form->size(), QSize(321, 297));
    QCOMPARE(m_form->minimumSize(), QSize(321, 297));
    QCOMPARE(m_form->maximumSize(), QSize(321, 297));
    // Maximised or made full screen by the compositor's own controls, it returns.
    for (const Qt::WindowState enlarged : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
        m_form->setWindowState(enlarged);
        QTRY_COMPARE(m_form->windowState(), Qt::WindowNoState);
        QCOMPARE(m_form->size(), QSize(321, 297));
    }

    const QIcon icon = m_form->windowIcon();
    QVERIFY(!icon.isNull());
    // Every size the window offers is the installed rendering, pixel for pixel.
    const QFileInfoList renderings = QDir(QStringLiteral(ICON_RENDERINGS)).entryInfoList({u"*.png"_s});
    QCOMPARE(icon.availableSizes().size(), renderings.size());
    for (const QFileInfo &rendering : renderings) {
        const QImage installed = QImage(rendering.filePath()).convertToFormat(QImage::Format_ARGB32);
        const QImage offered
            = icon.pixmap(installed.size(), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(offered == installed, qPrintable(rendering.fileName()));
    }
    const QImage picture = icon.pixmap(QSize(32, 32), 1.0).toImage();
    QCOMPARE(picture.size(), QSize(32, 32));
    // Red A lower left, blue B at the top, grey C lower right.
    const auto dominant = [&](QRect area) {
        int red = 0, blue = 0, grey = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = picture.pixelColor(x, y);
                if (c.alpha() < 128)
                    continue;
                if (c.red() > 150 && c.green() < 80 && c.blue() < 80)
                    ++red;
                else if (c.blue() > 120 && c.red() < 60)
                    ++blue;
                else if (qAbs(c.red() - c.blue()) < 20 && c.red() > 90 && c.red() < 180)
                    ++grey;
            }
        }
        return red > blue && red > grey ? 'r' : blue > grey ? 'b' : 'g';
    };
    QCOMPARE(dominant({0, 20, 12, 12}), 'r');
    QCOMPARE(dominant({10, 0, 12, 10}), 'b');
    QCOMPARE(dominant({21, 18, 11, 12}), 'g');
}

void TestForm1::controlsSitWhereDefined_data()
{
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");

    QTest::newRow("Command3") << u"Form1"_s << u"Clear"_s << QRect(8, 264, 97, 25);
    QTest::newRow("Frame2") << u"Form1"_s << u"Converted text"_s << QRect(8, 152, 305, 105);
    QTest::newRow("Text2") << u"Frame2"_s << QString() << QRect(8, 16, 289, 81);
    QTest::newRow("Frame1") << u"Form1"_s << u"Type text for convert here"_s << QRect(8, 40, 305, 105);
    QTest::newRow("Text1") << u"Frame1"_s << QString() << QRect(8, 16, 289, 81);
    QTest::newRow("Command2") << u"Form1"_s << u"Copy to Clipboard"_s << QRect(112, 264, 97, 25);
    QTest::newRow("Command1") << u"Form1"_s << u"Convert"_s << QRect(216, 264, 97, 25);
    QTest::newRow("Line2") << u"Form1"_s << QString() << QRect(8, 31, 304, 1);
    QTest::newRow("Line1") << u"Form1"_s << QString() << QRect(8, 32, 304, 1);
    QTest::newRow("Label4") << u"Form1"_s << ContactMail.toString() << QRect(200, 8, 105, 17);
    QTest::newRow("Label3") << u"Form1"_s << u"Mail: "_s << QRect(168, 8, 25, 17);
    QTest::newRow("Label1") << u"Form1"_s << u"Autor: "_s << QRect(16, 8, 33, 17);
    QTest::newRow("Label2") << u"Form1"_s << ContactSite.toString() << QRect(56, 8, 81, 17);
}

void TestForm1::controlsSitWhereDefined()
{
    QFETCH(QString, parentName);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QWidget *widget = m_form->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->geometry(), geometry);
    QVERIFY(widget->isVisible());
    // Where the captions need a smaller font, the whole window takes it alike.
    if (!qobject_cast<const QLabel *>(widget))
        QCOMPARE(widget->font().pointSizeF(), m_form->font().pointSizeF());

    if (const auto *button = qobject_cast<const QPushButton *>(widget)) {
        QCOMPARE(button->text(), caption);
        QVERIFY2(button->sizeHint().width() <= button->width(), "caption cut off");
    } else if (const auto *frame = qobject_cast<const QGroupBox *>(widget)) {
        QCOMPARE(frame->title(), caption);
    } else if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        QCOMPARE(label->text(), caption);
    } else if (const auto *text = qobject_cast<const QPlainTextEdit *>(widget)) {
        QVERIFY(text->toPlainText().isEmpty());
        QVERIFY(!text->isReadOnly());
        QCOMPARE(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    } else {
        QCOMPARE(widget->metaObject()->className(), "QFrame");
    }
}

void TestForm1::contactRowLooksAsDefined()
{
    // One size for the row: 8.25 points in the face it is designed for,
    // smaller where only a wider face is there, and every caption whole.
    const qreal size = control<QLabel>("Label1")->font().pointSizeF();
    for (const char *name : {"Label1", "Label2", "Label3", "Label4"}) {
        const QLabel *label = control<QLabel>(name);
        const QFont font = label->font();
        QVERIFY2(font.bold(), name);
        QCOMPARE(font.pointSizeF(), size);
        if (QFontInfo(font).family() == u"Liberation Sans")
            QCOMPARE(size, 8.25);
        QVERIFY(size >= 6 && size <= 8.25);
        const int inked = inkedWidth(font, label->text());
        QVERIFY2(inked <= label->width(),
                 qPrintable(u"%1 needs %2 px of %3"_s.arg(label->text()).arg(inked).arg(label->width())));
        QCOMPARE(font.underline(), qstrcmp(name, "Label2") == 0);
        // Every character from the row's own face, none from a stand-in.
        const QFontMetrics metrics(font);
        for (const uint character : label->text().toUcs4())
            QVERIFY2(metrics.inFontUcs4(character), qPrintable(label->text()));
        const QString family = QFontInfo(font).family();
        QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Cyrillic), qPrintable(family));
        QVERIFY(label->alignment() & Qt::AlignLeft);
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);

        const bool clickable = qstrcmp(name, "Label2") == 0 || qstrcmp(name, "Label4") == 0;
        QCOMPARE(label->testAttribute(Qt::WA_SetCursor), clickable);
        if (clickable) {
            const QCursor cursor = label->cursor();
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.hotSpot(), QPoint(12, 1));
            // Sharp at any scale: each of the 32 x 32 pixels enlarged whole.
            const QImage hand = cursor.pixmap().toImage();
            const qreal scale = hand.devicePixelRatio();
            QCOMPARE(hand.deviceIndependentSize(), QSizeF(32, 32));
            QCOMPARE(hand.pixelColor(int(12 * scale), int(1 * scale)), QColor(Qt::black));
            QCOMPARE(hand.pixelColor(int(13 * scale - 1), int(2 * scale - 1)), QColor(Qt::black));
            QCOMPARE(hand.pixelColor(0, 0).alpha(), 0);
        }
    }

    const QColor text = m_form->palette().color(QPalette::WindowText);
    QCOMPARE(control<QFrame>("Line1")->palette().color(QPalette::Window), text);
    QCOMPARE(control<QFrame>("Line2")->palette().color(QPalette::Window),
             m_form->palette().color(QPalette::Mid));
    // Painted as the window shows them, at any scale: a grey rule right over a
    // dark one, each a whole logical pixel high.
    const QImage window = m_form->grab().toImage();
    const int scale = int(window.devicePixelRatio());
    for (int row = 0; row < scale; ++row) {
        QCOMPARE(window.pixel(100 * scale, 31 * scale + row), m_form->palette().color(QPalette::Mid).rgb());
        QCOMPARE(window.pixel(100 * scale, 32 * scale + row), text.rgb());
    }
}

void TestForm1::focusStartsOnConvertAndTabCycles()
{
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("Command1"));

    const QStringList cycle = {u"Command2"_s, u"Text1"_s, u"Text2"_s, u"Command3"_s, u"Command1"_s};
    for (const QString &next : cycle) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
    }
    for (auto it = cycle.crbegin() + 1; it != cycle.crend(); ++it) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), *it);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget()->objectName(), u"Command1"_s);

    // Tab leaves a box without typing into it.
    box("Text1")->setFocus();
    QTest::keyClicks(box("Text1"), u"ab"_s);
    QTest::keyClick(box("Text1"), Qt::Key_Tab);
    QCOMPARE(boxText(box("Text1")), u"ab"_s);
    QCOMPARE(QApplication::focusWidget(), box("Text2"));
}

void TestForm1::keysInBoxesAndOnButtons()
{
    TextBoxWidget *input = box("Text1");
    input->setFocus();
    QTest::keyClicks(input, u"ab"_s);
    QTest::keyClick(input, Qt::Key_Return);
    QTest::keyClick(input, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(input, u"cd"_s);
    QTest::keyClick(input, Qt::Key_Escape);
    QCOMPARE(boxText(input), u"ab\r\n\r\ncd"_s);
    QCOMPARE(boxText(box("Text2")), QString());
    QVERIFY(m_form->isVisible());

    auto *convert = control<QPushButton>("Command1");
    convert->setFocus();
    QTest::keyClick(convert, Qt::Key_Space);
    QCOMPARE(boxText(box("Text2")), u"Ab\r\n\r\nCd"_s);
    QTest::keyClick(convert, Qt::Key_Return);
    QTest::keyClick(convert, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(boxText(box("Text2")), u"Ab\r\n\r\nCd"_s.repeated(3));
    QTest::keyClick(convert, Qt::Key_Escape);
    QCOMPARE(boxText(box("Text2")), u"Ab\r\n\r\nCd"_s.repeated(3));
}

void TestForm1::convertAppendsTheAlternatingCase()
{
    auto *convert = control<QPushButton>("Command1");
    TextBoxWidget *input = box("Text1");
    TextBoxWidget *output = box("Text2");

    QTest::mouseClick(convert, Qt::LeftButton);
    QCOMPARE(boxText(output), QString());

    replaceBoxText(input, u"ab"_s);
    QTest::mouseClick(convert, Qt::LeftButton);
    QTest::mouseClick(convert, Qt::LeftButton);
    QCOMPARE(boxText(output), u"AbAb"_s);

    replaceBoxText(output, u"kept\r\n"_s);
    replaceBoxText(input, u"hello world\r\nпривет"_s);
    input->setFocus();
    QTest::mouseClick(convert, Qt::LeftButton);
    QCOMPARE(boxText(output), u"kept\r\nHeLlO WoRlD\r\nпРиВеТ"_s);
    QCOMPARE(boxText(input), u"hello world\r\nпривет"_s);
    QCOMPARE(QApplication::focusWidget(), convert);
    QVERIFY(m_services->calls.isEmpty());

    // The end of a long result is in view.
    replaceBoxText(input, u"line\r\n"_s.repeated(100) + u"last"_s);
    QTest::mouseClick(convert, Qt::LeftButton);
    QVERIFY(output->viewport()->rect().contains(output->cursorRect()));
    QCOMPARE(output->textCursor().position(), output->document()->characterCount() - 1);
}

void TestForm1::labelClickIsPressAndReleaseOver()
{
    QLabel label(u"click me"_s);
    label.resize(80, 17);
    label.show();
    QVERIFY(QTest::qWaitForWindowExposed(&label));
    int clicks = 0;
    new ClickFilter(&label, [&] { ++clicks; });
    const QPoint inside(10, 8);

    QTest::mouseClick(&label, Qt::LeftButton, {}, inside);
    QCOMPARE(clicks, 1);
    // A double-click as Qt 6 delivers it: press, release, press, double-click, release.
    QTest::mouseClick(&label, Qt::LeftButton, {}, inside);
    QTest::mousePress(&label, Qt::LeftButton, {}, inside);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, inside, label.mapToGlobal(inside), Qt::LeftButton,
                            Qt::LeftButton, {});
    QApplication::sendEvent(&label, &doubleClick);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, inside);
    QCOMPARE(clicks, 2);
    QTest::mouseClick(&label, Qt::RightButton, {}, inside);
    QTest::mouseClick(&label, Qt::MiddleButton, {}, inside);
    QCOMPARE(clicks, 2);
    QTest::mousePress(&label, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(200, 8));
    QCOMPARE(clicks, 2);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, inside);
    QCOMPARE(clicks, 2);

    // On the window, label clicks leave the focus where it was.
    label.close();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    box("Text1")->setFocus();
    for (const char *name : {"Label1", "Label2", "Label3", "Label4"})
        QTest::mouseClick(control<QLabel>(name), Qt::LeftButton, {}, QPoint(5, 8));
    QCOMPARE(QApplication::focusWidget(), box("Text1"));
}

void TestForm1::everyControlIsNamedForAScreenReader()
{
    for (QWidget *widget : m_form->findChildren<QWidget *>()) {
        if (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_"))
            continue; // the parts Qt's widgets are made of
        QVERIFY2(!accessibleText(widget, QAccessible::Name).trimmed().isEmpty(),
                 qPrintable(widget->objectName()));
    }
    for (const char *name : {"Label2", "Label4"})
        QVERIFY2(!accessibleText(control<QLabel>(name), QAccessible::Description).isEmpty(), name);
    QCOMPARE(accessibleText(control<QLabel>("Label2"), QAccessible::Name), ContactSite.toString());
}

void TestForm1::readsToAScreenReaderAsShown()
{
    // Read as a person sees it: a frame named by its title, two separators,
    // and nothing that is not shown.
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(m_form);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), u"Tessivan"_s);
    for (const char *name : {"Line1", "Line2"})
        QCOMPARE(QAccessible::queryAccessibleInterface(control<QFrame>(name))->role(),
                 QAccessible::Separator);
    const std::function<void(QAccessibleInterface *)> allShown = [&](QAccessibleInterface *node) {
        for (int i = 0; i < node->childCount(); ++i) {
            QVERIFY2(!node->child(i)->state().invisible, qPrintable(node->text(QAccessible::Name)));
            allShown(node->child(i));
        }
    };
    allShown(window);
}

void TestForm1::contactLabelsAreLinksThatDoWhatAClickDoes()
{
    // Each caption labels its value; out of the Tab order, as labels are.
    for (const auto &[caption, value] : {std::pair {"Label1", "Label2"}, std::pair {"Label3", "Label4"}}) {
        QAccessibleInterface *link = QAccessible::queryAccessibleInterface(control<QLabel>(value));
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->actionInterface()->actionNames(),
                 QStringList {QAccessibleActionInterface::pressAction()});
        QVERIFY(!link->state().focusable);
        const auto labelledBy = link->relations(QAccessible::Label);
        QCOMPARE(labelledBy.size(), 1);
        QCOMPARE(labelledBy.first().first->object(), control<QLabel>(caption));
    }
    const auto press = [&](const char *name) {
        QAccessible::queryAccessibleInterface(control<QLabel>(name))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    };
    press("Label2");
    QTRY_COMPARE(m_services->openedUrls, QStringList {ContactAddress.toString()});
    press("Label4");
    QTRY_COMPARE(m_services->clipboard, ContactMail.toString());
    QCOMPARE(m_services->informations.size(), 1);
}

void TestForm1::tabOrderReadsInTheWindowsOrder()
{
    QStringList heard;
    for (int i = 0; i < 5; ++i) {
        heard << accessibleText(QApplication::focusWidget(), QAccessible::Name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(heard,
             QStringList({u"Convert"_s, u"Copy to Clipboard"_s, u"Type text for convert here"_s,
                          u"Converted text"_s, u"Clear"_s}));
}

QTEST_MAIN(TestForm1)
#include "test_form1.moc"
