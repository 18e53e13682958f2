#include "BuildSettings.h"
#include "platform/services/QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

// The real services on Qt's offscreen platform, whose clipboard lives in the
// process; the X11 clipboard and browser are covered end to end.
class TestQtServices : public QObject
{
    Q_OBJECT

public slots:
    void receiveUrl(const QUrl &url) { m_urls << url.toString(); }

private slots:
    void clipboardTakesTextInQtsLineBreaks();
    void openUrlAsksTheDesktopOrFails();
    void messageBoxesAreModalAndTitled_data();
    void messageBoxesAreModalAndTitled();

private:
    QStringList m_urls;
};

void TestQtServices::clipboardTakesTextInQtsLineBreaks()
{
    QtServices services;
    QClipboard *clipboard = QGuiApplication::clipboard();

    QVERIFY(services.setClipboardText(u"one\r\ntwo\u00a0\r\n"_s).ok());
    QCOMPARE(clipboard->text(), u"one\ntwo\u00a0\n"_s);
    // Named as well, for the clients that ask for the charset.
    QCOMPARE(clipboard->mimeData()->data(u"text/plain;charset=utf-8"_s), "one\ntwo\u00a0\n"_ba);

    // Unpaired surrogates, which UTF-8 cannot carry, stay in the program's own paste.
    const QString unpaired = u"a"_s + QChar(0xd800) + u"b"_s + QChar(0xdc00);
    QVERIFY(services.setClipboardText(unpaired).ok());
    QCOMPARE(clipboard->text(), unpaired);

    QVERIFY(services.clearClipboard().ok());
    QCOMPARE(clipboard->text(), QString());

    QVERIFY(services.setClipboardText(QString()).ok());
    QCOMPARE(clipboard->text(), QString());
}

void TestQtServices::openUrlAsksTheDesktopOrFails()
{
    QtServices services;
    QDesktopServices::setUrlHandler(u"http"_s, this, "receiveUrl");
    QVERIFY(services.openUrl(QUrl(u"http://example.org/"_s)).ok());
    QCOMPARE(m_urls, QStringList({u"http://example.org/"_s}));
    QDesktopServices::unsetUrlHandler(u"http"_s);

    // The offscreen platform has no desktop to ask.
    const Status status = services.openUrl(QUrl(u"http://example.org/"_s));
    QVERIFY(!status.ok());
    QCOMPARE(status.number(), ErrorNumber::BrowserNotStarted);
    QVERIFY(status.description().contains(u"http://example.org/"_s));
}

void TestQtServices::messageBoxesAreModalAndTitled_data()
{
    QTest::addColumn<bool>("error");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<QString>("text");

    QTest::newRow("information") << false << QMessageBox::Information << u"Copied."_s;
    QTest::newRow("error") << true << QMessageBox::Critical << u"Error 1: it failed."_s;
}

void TestQtServices::messageBoxesAreModalAndTitled()
{
    QFETCH(bool, error);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(QString, text);

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *box = new QPlainTextEdit;
    layout->addWidget(box);
    layout->addWidget(new QPushButton(u"Button"_s));
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus();

    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto *message = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(message);
        seen = true;
        QCOMPARE(message->windowTitle(), VendorName.toString());
        QCOMPARE(message->icon(), icon);
        QCOMPARE(message->text(), text);
        QCOMPARE(message->standardButtons(), QMessageBox::Ok);
        QCOMPARE(message->parentWidget(), &window);
        QVERIFY(message->isModal());
        QTest::keyClick(message, Qt::Key_Return);
    });

    QtServices services;
    if (error)
        services.reportError(&window, Status::error(1, u"it failed."_s));
    else
        services.showInformation(&window, text);

    QVERIFY(seen);
    QTRY_COMPARE(QApplication::focusWidget(), box);
}

QTEST_MAIN(TestQtServices)
#include "test_qtservices.moc"
