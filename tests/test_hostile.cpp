#include "ExpectedCase.h"
#include "ShownForm.h"
#include "platform/textbox/TextBox.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

// Texts that break careless code, through the real window: each converts by
// the rule, copies and clears.
class TestHostile : public QObject
{
    Q_OBJECT

private slots:
    void survivesAndKeepsEveryCharacter_data();
    void survivesAndKeepsEveryCharacter();
};

void TestHostile::survivesAndKeepsEveryCharacter_data()
{
    QTest::addColumn<QString>("input");

    QString large;
    large.reserve(8 << 20);
    while (large.size() < (8 << 20) - 64)
        large += u"Large text, with ünïcödé, \U0001F600 and lines.\r\n"_s;
    QTest::newRow("8 MiB") << large;
    QTest::newRow("NUL characters") << u"a\0b\0\0c\0"_s;
    QTest::newRow("unpaired surrogates")
        << (u"x"_s + QChar(0xD800) + u"y"_s + QChar(0xDC00) + QChar(0xDBFF) + u"\r\nz"_s + QChar(0xDFFF));
    QTest::newRow("right to left with bidi controls")
        << u"\u202Eabc\u202C \u2067שלום עולם\u2069 \u200F\u061C مرحبا \u202Dxyz\u202C"_s;
    QTest::newRow("combining sequences") << u"e\u0301\u0302a\u0308\u0323 Z\u0351\u0357\u0364o\u0489"_s;
    QTest::newRow("only line breaks") << u"\r\n"_s.repeated(1000);
}

void TestHostile::survivesAndKeepsEveryCharacter()
{
    QFETCH(QString, input);
    ShownForm shown;
    replaceBoxText(shown.box("Text1"), input);
    QCOMPARE(boxText(shown.box("Text1")), input);

    QTest::mouseClick(shown.control("Command1"), Qt::LeftButton);
    const QString output = boxText(shown.box("Text2"));
    const std::string departure = expected::departure(input, output, QLocale());
    QVERIFY2(departure.empty(), departure.c_str());

    QTest::mouseClick(shown.control("Command2"), Qt::LeftButton);
    QCOMPARE(shown.services.clipboard, output);

    QTest::mouseClick(shown.control("Command3"), Qt::LeftButton);
    QCOMPARE(boxText(shown.box("Text1")), QString());
    QCOMPARE(boxText(shown.box("Text2")), QString());
    QVERIFY(shown.services.errors.isEmpty());
}

QTEST_MAIN(TestHostile)
#include "test_hostile.moc"
