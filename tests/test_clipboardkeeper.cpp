#include "platform/clipboard/HandOverFormat.h"
#include "platform/clipboard/KeeperHandOver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

// The hand-over to stand-in keepers, shell scripts that behave well or badly;
// the real keeper on a real X server is covered end to end.
class TestClipboardKeeper : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void keeperGetsTheWholeTextAndAnswers();
    void silentOrFailingKeepersAreAbandoned_data();
    void silentOrFailingKeepersAreAbandoned();
    void missingKeeperFailsAndIsReported();
    void keepersReadOnlyAWholeWellFormedHandOver_data();
    void keepersReadOnlyAWholeWellFormedHandOver();

private:
    QString keeper(const QByteArray &script);
    QByteArray received() const;

    QTemporaryDir m_dir;
};

void TestClipboardKeeper::init()
{
    QFile::remove(m_dir.filePath(u"received"_s));
    QFile::remove(m_dir.filePath(u"pid"_s));
}

QString TestClipboardKeeper::keeper(const QByteArray &script)
{
    const QString path = m_dir.filePath(u"keeper"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    file.write("#!/bin/sh\ncd '" + QFile::encodeName(m_dir.path()) + "' || exit 1\necho $$ >pid\n" + script);
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QByteArray TestClipboardKeeper::received() const
{
    QFile file(m_dir.filePath(u"received"_s));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestClipboardKeeper::keeperGetsTheWholeTextAndAnswers()
{
    // More than a pipe holds, so that the writing has to wait for the reader.
    const QString text = u"Zeile ÄöÜ 𐐨\n"_s.repeated(100000);
    const QByteArray utf8 = text.toUtf8();
    QVERIFY(handOverToKeeper(keeper("cat >received\necho kept\n"), text));
    QCOMPARE(received(), QByteArray::number(utf8.size()) + '\n' + utf8);
}

void TestClipboardKeeper::silentOrFailingKeepersAreAbandoned_data()
{
    QTest::addColumn<QByteArray>("script");

    QTest::newRow("never answers") << "cat >received\nexec sleep 30\n"_ba;
    QTest::newRow("never reads") << "exec sleep 30\n"_ba;
    QTest::newRow("ends at once") << "exit 1\n"_ba;
    QTest::newRow("answers otherwise") << "cat >received\necho refused\n"_ba;
}

void TestClipboardKeeper::silentOrFailingKeepersAreAbandoned()
{
    QFETCH(QByteArray, script);
    const QString text = u"x"_s.repeated(1 << 20);

    QElapsedTimer timer;
    timer.start();
    QVERIFY(!handOverToKeeper(keeper(script), text));
    // Well before the stand-in would end by itself.
    QCOMPARE_LT(timer.elapsed(), 10000);

    // The keeper is gone, so it cannot take the clipboard later.
    QFile pidFile(m_dir.filePath(u"pid"_s));
    QVERIFY(pidFile.open(QIODevice::ReadOnly));
    const pid_t pid = pidFile.readAll().trimmed().toInt();
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid, 0), -1);
}

void TestClipboardKeeper::missingKeeperFailsAndIsReported()
{
    QVERIFY(!handOverToKeeper(m_dir.filePath(u"no-such-keeper"_s), u"text"_s));
    // None lies beside the test: the text lost is said, not passed over.
    QTest::ignoreMessage(QtWarningMsg, "The copied text is lost: no tessivan-keeper-x11 was found.");
    handTextToKeeper(Keeper::X11, u"text"_s);
}

void TestClipboardKeeper::keepersReadOnlyAWholeWellFormedHandOver_data()
{
    QTest::addColumn<QByteArray>("handOver");
    QTest::addColumn<bool>("taken");

    QTest::newRow("whole") << "7\nab\r\n\xC3\xA9!"_ba << true;
    QTest::newRow("cut short") << "100\ncut short"_ba << false;
    QTest::newRow("longer than said") << "3\nabcd"_ba << false;
    QTest::newRow("empty") << "0\n"_ba << false;
    QTest::newRow("no length") << "\nabc"_ba << false;
    QTest::newRow("negative") << "-5\nabcde"_ba << false;
    QTest::newRow("signed") << "+5\nabcde"_ba << false;
    QTest::newRow("spaced") << " 5\nabcde"_ba << false;
    QTest::newRow("no line break") << "5"_ba << false;
    QTest::newRow("over the limit") << QByteArray::number(HandOverLimit + 1) + "\nabc" << false;
    QTest::newRow("over 2^64") << "18446744073709551617\nabc"_ba << false;
    // Refused having read what came, not what the length claims.
    QTest::newRow("a gigabyte claimed") << "1000000000\nabcde"_ba << false;
}

void TestClipboardKeeper::keepersReadOnlyAWholeWellFormedHandOver()
{
    QFETCH(QByteArray, handOver);
    QFETCH(bool, taken);
    std::FILE *file = std::tmpfile();
    QVERIFY(file);
    std::fwrite(handOver.constData(), 1, size_t(handOver.size()), file);
    std::rewind(file);
    const std::optional<std::string> text = readHandOver(file);
    std::fclose(file);
    QCOMPARE(text.has_value(), taken);
    if (taken)
        QCOMPARE(QByteArray::fromStdString(*text), handOver.mid(handOver.indexOf('\n') + 1));
}

QTEST_GUILESS_MAIN(TestClipboardKeeper)
#include "test_clipboardkeeper.moc"
