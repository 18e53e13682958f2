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
    void missingKeeperFails();

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

void TestClipboardKeeper::missingKeeperFails()
{
    QVERIFY(!handOverToKeeper(m_dir.filePath(u"no-such-keeper"_s), u"text"_s));
}

QTEST_GUILESS_MAIN(TestClipboardKeeper)
#include "test_clipboardkeeper.moc"
