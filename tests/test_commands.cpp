#include "BuildSettings.h"
#include "ShownForm.h"
#include "platform/textbox/TextBox.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

// Copy, Clear and the contact labels on the real window; the clipboard, the
// browser and the message boxes are FakeServices, failing where a test asks.
class TestCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_shown = std::make_unique<ShownForm>(); }
    void cleanup() { m_shown.reset(); }

    void copyPutsTheWholeOutputOnTheClipboard();
    void copyOfAnEmptyBoxLeavesAnEmptyClipboard();
    void clearEmptiesTheClipboardAndBothBoxes();
    void siteClickOpensTheStoredAddressOncePerClick();
    void mailClickCopiesTheCaptionAndSaysSo();
    void failuresStopTheHandlerAndLoseNothing();

private:
    void click(const char *name) { QTest::mouseClick(m_shown->control(name), Qt::LeftButton); }
    void clickLabel(const char *name)
    {
        QTest::mouseClick(m_shown->control(name), Qt::LeftButton, {}, QPoint(5, 8));
    }
    FakeServices &services() { return m_shown->services; }
    TextBoxWidget *box(const char *name) { return m_shown->box(name); }
    QWidget *focus() { return m_shown->form.focusWidget(); }

    std::unique_ptr<ShownForm> m_shown;
};

void TestCommands::copyPutsTheWholeOutputOnTheClipboard()
{
    replaceBoxText(box("Text1"), u"input"_s);
    replaceBoxText(box("Text2"), u"one\r\ntwo\u00a0\r\nthree"_s);
    QTextCursor partial = box("Text2")->textCursor();
    partial.setPosition(1);
    partial.setPosition(3, QTextCursor::KeepAnchor);
    box("Text2")->setTextCursor(partial);
    box("Text1")->setFocus();

    click("Command2");

    QCOMPARE(services().calls, QStringList({u"clearClipboard"_s, u"setClipboardText"_s}));
    QCOMPARE(services().clipboard, u"one\r\ntwo\u00a0\r\nthree"_s);
    const QTextCursor selection = box("Text2")->textCursor();
    QCOMPARE(selection.selectionStart(), 0);
    QCOMPARE(selection.selectionEnd(), box("Text2")->document()->characterCount() - 1);
    QCOMPARE(focus(), m_shown->control("Command2"));
    QCOMPARE(boxText(box("Text1")), u"input"_s);
    QCOMPARE(boxText(box("Text2")), u"one\r\ntwo\u00a0\r\nthree"_s);
}

void TestCommands::copyOfAnEmptyBoxLeavesAnEmptyClipboard()
{
    m_shown->control("Command3")->setFocus();
    click("Command2");
    QCOMPARE(services().calls, QStringList({u"clearClipboard"_s, u"setClipboardText"_s}));
    QCOMPARE(services().clipboard, QString());
    QCOMPARE(focus(), m_shown->control("Command2"));
}

void TestCommands::clearEmptiesTheClipboardAndBothBoxes()
{
    replaceBoxText(box("Text1"), u"ab"_s);
    replaceBoxText(box("Text2"), u"typed\r\nhere"_s);
    click("Command3");
    QCOMPARE(services().calls, QStringList({u"clearClipboard"_s}));
    QCOMPARE(services().clipboard, QString());
    QCOMPARE(boxText(box("Text1")), QString());
    QCOMPARE(boxText(box("Text2")), QString());
    QCOMPARE(focus(), m_shown->control("Command3"));

    // With both boxes empty it still empties the clipboard.
    services().clipboard = u"from elsewhere"_s;
    click("Command3");
    QCOMPARE(services().clipboard, QString());

    // A conversion afterwards stands alone.
    replaceBoxText(box("Text1"), u"new"_s);
    click("Command1");
    QCOMPARE(boxText(box("Text2")), u"NeW"_s);
}

void TestCommands::siteClickOpensTheStoredAddressOncePerClick()
{
    QCOMPARE(ContactAddress.toString(), u"http://"_s + ContactSite.toString() + u"/"_s);
    box("Text1")->setFocus();

    clickLabel("Label2");
    QCOMPARE(services().openedUrls, QStringList({ContactAddress.toString()}));
    clickLabel("Label2");
    QCOMPARE(services().openedUrls.size(), 2);

    // The address is the stored one, not the caption.
    m_shown->control<QLabel>("Label2")->setText(u"elsewhere.example"_s);
    clickLabel("Label2");
    QCOMPARE(services().openedUrls.last(), ContactAddress.toString());

    clickLabel("Label1");
    clickLabel("Label3");
    QCOMPARE(services().calls.size(), 3);
    QCOMPARE(focus(), box("Text1"));
}

void TestCommands::mailClickCopiesTheCaptionAndSaysSo()
{
    replaceBoxText(box("Text1"), u"kept"_s);
    replaceBoxText(box("Text2"), u"also kept"_s);
    box("Text2")->setFocus();

    clickLabel("Label4");
    QCOMPARE(services().calls,
             QStringList({u"clearClipboard"_s, u"setClipboardText"_s, u"showInformation"_s}));
    QCOMPARE(services().clipboard, ContactMail.toString());
    QCOMPARE(services().informations, QStringList({u"The e-mail is copied out in the clipboard!"_s}));
    QCOMPARE(boxText(box("Text1")), u"kept"_s);
    QCOMPARE(boxText(box("Text2")), u"also kept"_s);
    QCOMPARE(focus(), box("Text2"));

    // It copies the caption as it is at the time of the click.
    m_shown->control<QLabel>("Label4")->setText(u"other@example.com"_s);
    clickLabel("Label4");
    QCOMPARE(services().clipboard, u"other@example.com"_s);
}

void TestCommands::failuresStopTheHandlerAndLoseNothing()
{
    replaceBoxText(box("Text1"), u"my typing"_s);
    replaceBoxText(box("Text2"), u"My TyPiNg"_s);

    services().browserFails = true;
    clickLabel("Label2");
    QCOMPARE(services().errors, QStringList({u"Error 2: refused on purpose"_s}));

    services().clipboardFails = true;
    services().calls.clear();
    click("Command2");
    QCOMPARE(services().calls, QStringList({u"clearClipboard"_s, u"setClipboardText"_s, u"reportError"_s}));
    QCOMPARE(services().errors.last(), u"Error 1: refused on purpose"_s);
    // Stopped at the failing step: the clipboard stays empty, the focus in Text2.
    QCOMPARE(services().clipboard, QString());
    QCOMPARE(focus(), box("Text2"));

    services().calls.clear();
    clickLabel("Label4");
    QCOMPARE(services().calls, QStringList({u"clearClipboard"_s, u"setClipboardText"_s, u"reportError"_s}));
    QVERIFY(services().informations.isEmpty());

    QCOMPARE(boxText(box("Text1")), u"my typing"_s);
    QCOMPARE(boxText(box("Text2")), u"My TyPiNg"_s);
    QVERIFY(m_shown->form.isVisible());
}

QTEST_MAIN(TestCommands)
#include "test_commands.moc"
