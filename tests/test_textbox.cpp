#include "platform/clipboard/DisplayClipboard.h"
#include "platform/textbox/TextBox.h"
#include "platform/textbox/TextBoxWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

using BoxAction = std::function<void(TextBoxWidget *)>;

// The box's own ways to copy, cut and paste: keys and the context menu.
BoxAction byKeys(QKeyCombination combination)
{
    return [combination](TextBoxWidget *box) { QTest::keySequence(box, QKeySequence(combination)); };
}

BoxAction fromMenu(const char *name)
{
    return [name](TextBoxWidget *box) {
        const std::unique_ptr<QMenu> menu(box->createContextMenu({}));
        auto *action = menu->findChild<QAction *>(QString::fromLatin1(name));
        QVERIFY(action);
        action->trigger();
    };
}

// A display system's clipboard that refuses every copy and serves one of
// its own, which Qt's clipboard does not know of.
class RefusingClipboard final : public DisplayClipboard
{
public:
    RefusingClipboard() { m_served.setText(u"served"_s); }
    void put(QMimeData *data) override { delete data; }
    bool displayTookOurCopy() override { return false; }
    const QMimeData *servedCopy() override { return &m_served; }

private:
    QMimeData m_served;
};

} // namespace

class TestTextBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void readsEveryLineBreakAsCrLf();
    void keepsEveryOtherCharacter();
    void writesWhatItReads();
    void appendKeepsTheFrontAndShowsTheEnd();
    void selectionOfTheActiveControl();
    void everyCopyPathKeepsEveryCharacter_data();
    void everyCopyPathKeepsEveryCharacter();
    void goesThroughTheProgramsClipboard_data();
    void goesThroughTheProgramsClipboard();
    void wrapsAnywhereOnlyWhileALongRunIsThere();
    void tellsInputMethodsOnlyTheTextNearTheCursor_data();
    void tellsInputMethodsOnlyTheTextNearTheCursor();

private:
    QWidget *m_window = nullptr;
    TextBoxWidget *m_box = nullptr;
    QPushButton *m_button = nullptr;
};

void TestTextBox::init()
{
    m_window = new QWidget;
    auto *layout = new QVBoxLayout(m_window);
    m_box = new TextBoxWidget;
    m_button = new QPushButton(u"Button"_s);
    layout->addWidget(m_box);
    layout->addWidget(m_button);
    m_window->resize(289, 200);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    m_box->setFocus();
}

void TestTextBox::cleanup()
{
    delete m_window;
}

void TestTextBox::readsEveryLineBreakAsCrLf()
{
    QTest::keyClicks(m_box, u"a"_s);
    QTest::keyClick(m_box, Qt::Key_Return);
    QTest::keyClicks(m_box, u"b"_s);
    QTest::keyClick(m_box, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(m_box, u"c"_s);
    QTest::keyClick(m_box, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(boxText(m_box), u"a\r\nb\r\nc\r\n"_s);

    for (const QString &pasted : {u"1\r\n2"_s, u"1\n2"_s, u"1\r2"_s, u"1\u20292"_s}) {
        m_box->clear();
        QGuiApplication::clipboard()->setText(pasted);
        m_box->paste();
        QCOMPARE(boxText(m_box), u"1\r\n2"_s);
    }

    m_box->clear();
    QGuiApplication::clipboard()->setText(u"\r\r\n\n"_s);
    m_box->paste();
    QCOMPARE(boxText(m_box), u"\r\n\r\n\r\n"_s);
}

void TestTextBox::keepsEveryOtherCharacter()
{
    // Characters that QPlainTextEdit::toPlainText() or a careless copy would alter.
    const QString unusual = u"no\u00a0break\u2007figure\0nul\ttab\u00adsoft\u200djoin\u202eRTL\u202c"
                            u"\U0001F600 \xD800 lone \xDC00 \u00e9 e\u0301"_s;
    m_box->insertPlainText(unusual);
    QCOMPARE(boxText(m_box), unusual);

    QGuiApplication::clipboard()->setText(unusual);
    m_box->clear();
    m_box->paste();
    QCOMPARE(boxText(m_box), unusual);
}

void TestTextBox::writesWhatItReads()
{
    const QString text = u"first\r\n\r\nthird\u00a0line\r\n"_s;
    replaceBoxText(m_box, text);
    QCOMPARE(boxText(m_box), text);
    QCOMPARE(m_box->blockCount(), 4);

    replaceBoxText(m_box, QString());
    QCOMPARE(boxText(m_box), QString());
}

void TestTextBox::appendKeepsTheFrontAndShowsTheEnd()
{
    replaceBoxText(m_box, u"typed by hand\r\n"_s);
    QString lines;
    for (int i = 0; i < 200; ++i)
        lines += u"line %1\r\n"_s.arg(i);
    appendBoxText(m_box, lines);

    QCOMPARE(boxText(m_box), u"typed by hand\r\n"_s + lines);
    QCOMPARE(m_box->textCursor().position(), m_box->document()->characterCount() - 1);
    QVERIFY(m_box->verticalScrollBar()->value() > 0);
    QVERIFY(m_box->viewport()->rect().contains(m_box->cursorRect()));

    // Appending nothing leaves caret and scroll position alone.
    m_box->moveCursor(QTextCursor::Start);
    appendBoxText(m_box, QString());
    QCOMPARE(m_box->textCursor().position(), 0);
}

void TestTextBox::selectionOfTheActiveControl()
{
    replaceBoxText(m_box, u"one\r\ntwo\u00a0"_s);
    moveFocus(m_box);
    selectAll(m_box);
    QCOMPARE(m_window->focusWidget(), m_box);
    QCOMPARE(selectedTextOfActiveControl(m_window), u"one\r\ntwo\u00a0"_s);

    moveFocus(m_button);
    QCOMPARE(m_window->focusWidget(), m_button);
    QCOMPARE(selectedTextOfActiveControl(m_window), QString());
}

void TestTextBox::everyCopyPathKeepsEveryCharacter_data()
{
    QTest::addColumn<BoxAction>("copy");
    QTest::addColumn<bool>("cuts");
    QTest::newRow("Ctrl+C") << byKeys(Qt::CTRL | Qt::Key_C) << false;
    QTest::newRow("Ctrl+X") << byKeys(Qt::CTRL | Qt::Key_X) << true;
    QTest::newRow("menu Copy") << fromMenu("edit-copy") << false;
    QTest::newRow("menu Cut") << fromMenu("edit-cut") << true;
    QTest::newRow("drag") << BoxAction([](TextBoxWidget *box) {
        QGuiApplication::clipboard()->setMimeData(box->createMimeDataFromSelection());
    }) << false;
}

void TestTextBox::everyCopyPathKeepsEveryCharacter()
{
    QFETCH(BoxAction, copy);
    QFETCH(bool, cuts);
    // No-break, narrow no-break and figure spaces, a soft hyphen, joiners,
    // controls and an unpaired surrogate, on both sides of a line break.
    const QString kept = u"a\u00a0b\u202fc\u2007d\u00ade\u200df\u200cg\u0001\u001b\t"_s + QChar(0xd800);
    replaceBoxText(m_box, u"before|"_s + kept + u"\r\n"_s + kept + u"|after"_s);
    QTextCursor cursor = m_box->textCursor();
    cursor.setPosition(7);
    cursor.setPosition(m_box->document()->characterCount() - 1 - 6, QTextCursor::KeepAnchor);
    m_box->setTextCursor(cursor);

    copy(m_box);
    QCOMPARE(QGuiApplication::clipboard()->text(), kept + u"\n"_s + kept);
    QCOMPARE(boxText(m_box),
             cuts ? u"before||after"_s : u"before|"_s + kept + u"\r\n"_s + kept + u"|after"_s);
}

// Cut text stays where the clipboard refused it, and a paste takes the
// copy the program serves itself, not what Qt's clipboard says.
void TestTextBox::goesThroughTheProgramsClipboard_data()
{
    QTest::addColumn<BoxAction>("action");
    QTest::addColumn<QString>("left");
    QTest::newRow("Ctrl+X") << byKeys(Qt::CTRL | Qt::Key_X) << u"kept"_s;
    QTest::newRow("menu Cut") << fromMenu("edit-cut") << u"kept"_s;
    QTest::newRow("Ctrl+V") << byKeys(Qt::CTRL | Qt::Key_V) << u"served"_s;
    QTest::newRow("menu Paste") << fromMenu("edit-paste") << u"served"_s;
}

void TestTextBox::goesThroughTheProgramsClipboard()
{
    QFETCH(BoxAction, action);
    QFETCH(QString, left);
    QGuiApplication::clipboard()->setText(u"Qt's"_s);
    const RefusingClipboard clipboard;
    replaceBoxText(m_box, u"kept"_s);
    selectAll(m_box);
    action(m_box);
    QCOMPARE(boxText(m_box), left);
}

void TestTextBox::wrapsAnywhereOnlyWhileALongRunIsThere()
{
    const auto wrapsAnywhere = [&] { return m_box->wordWrapMode() == QTextOption::WrapAnywhere; };
    const QString run(TextBoxWidget::LongRun + 1, u'x');

    replaceBoxText(m_box, u"ordinary words\r\n"_s.repeated(50));
    QVERIFY(!wrapsAnywhere());
    appendBoxText(m_box, run);
    QVERIFY(wrapsAnywhere());
    QCOMPARE(boxText(m_box), u"ordinary words\r\n"_s.repeated(50) + run);

    // Typing a space into the run breaks it up.
    QTextCursor cursor = m_box->textCursor();
    cursor.setPosition(m_box->document()->characterCount() - 1 - TextBoxWidget::LongRun / 2);
    m_box->setTextCursor(cursor);
    QTest::keyClick(m_box, Qt::Key_Space);
    QVERIFY(!wrapsAnywhere());
    QTest::keyClick(m_box, Qt::Key_Backspace);
    QVERIFY(wrapsAnywhere());

    // No-break spaces do not break a run for Qt, so not here either.
    replaceBoxText(m_box, QString(run.size(), u'\u00a0') + u" y"_s);
    QVERIFY(wrapsAnywhere());
    replaceBoxText(m_box, QString(TextBoxWidget::LongRun, u'x') + u" y"_s);
    QVERIFY(!wrapsAnywhere());

    // Typed or pasted, and gone again with the block that held it.
    m_box->clear();
    QTest::keyClicks(m_box, run);
    QVERIFY(wrapsAnywhere());
    m_box->selectAll();
    QTest::keyClick(m_box, Qt::Key_Delete);
    QVERIFY(!wrapsAnywhere());
    QGuiApplication::clipboard()->setText(u"a\n"_s + run + u"\nb"_s);
    m_box->paste();
    QVERIFY(wrapsAnywhere());
    m_box->undo();
    QVERIFY(!wrapsAnywhere());
}

void TestTextBox::tellsInputMethodsOnlyTheTextNearTheCursor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("cursor");
    const QString line(10000, u'a');
    // Surrogate pairs, four bytes of UTF-8 each, where the text is cut.
    const QString wide = u"\U00010428"_s.repeated(5000);
    QTest::newRow("short, all selected") << u"short"_s << 0 << 5;
    QTest::newRow("long, cursor at the start") << line << 0 << 0;
    QTest::newRow("long, all selected") << line << 0 << 10000;
    QTest::newRow("long, all selected backwards") << line << 10000 << 0;
    QTest::newRow("long, cursor in the middle") << line << 5000 << 5000;
    QTest::newRow("wide, all selected") << wide << 0 << 10000;
    QTest::newRow("wide, cursor after a pair") << wide << 5000 << 5002;
}

void TestTextBox::tellsInputMethodsOnlyTheTextNearTheCursor()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, cursor);
    m_box->setPlainText(text);
    QTextCursor selection = m_box->textCursor();
    selection.setPosition(anchor);
    selection.setPosition(cursor, QTextCursor::KeepAnchor);
    m_box->setTextCursor(selection);

    // Asked as Qt's input method support asks.
    QInputMethodQueryEvent query(Qt::ImSurroundingText | Qt::ImCursorPosition | Qt::ImAnchorPosition);
    QCoreApplication::sendEvent(m_box, &query);
    const QString told = query.value(Qt::ImSurroundingText).toString();
    const int toldCursor = query.value(Qt::ImCursorPosition).toInt();
    const int toldAnchor = query.value(Qt::ImAnchorPosition).toInt();
    // Within text-input-v3's 4000 bytes, whole characters, and where the box
    // holds it; the selection as much of it as fits.
    QVERIFY(told.toUtf8().size() <= 4000);
    QVERIFY(told.isValidUtf16());
    const int start = cursor - toldCursor;
    QCOMPARE(text.mid(start, told.size()), told);
    QCOMPARE(toldAnchor, std::clamp(anchor - start, 0, int(told.size())));
    if (text.size() <= TextBoxWidget::SurroundingLength)
        QCOMPARE(told, text);
}

QTEST_MAIN(TestTextBox)
#include "test_textbox.moc"
