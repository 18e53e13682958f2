#include "ExpectedCase.h"
#include "convert/AlternateCase.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Builds a QString from UTF-32 so that cases outside the BMP read clearly.
static QString text(std::u32string_view codePoints)
{
    return QString::fromUcs4(codePoints.data(), codePoints.size());
}

class TestAlternateCase : public QObject
{
    Q_OBJECT

private slots:
    void convertsByPosition_data();
    void convertsByPosition();
    void followsTheLocale_data();
    void followsTheLocale();
    void keepsTheLengthInCodePoints();
};

void TestAlternateCase::convertsByPosition_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    const QLocale english(QLocale::English);
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("words") << u"hello world"_s << u"HeLlO WoRlD"_s;
    QTest::newRow("capitals") << u"HELLO"_s << u"HeLlO"_s;
    QTest::newRow("one letter") << u"a"_s << u"A"_s;
    QTest::newRow("odd length ends upper") << u"abcde"_s << u"AbCdE"_s;
    QTest::newRow("digit takes a position") << u"1abc"_s << u"1aBc"_s;
    QTest::newRow("punctuation and spaces count") << u"a, b. c!"_s << u"A, b. C!"_s;
    QTest::newRow("line break is two positions") << u"ab\r\ncd"_s << u"Ab\r\nCd"_s;
    QTest::newRow("line break after odd run") << u"abc\r\nde"_s << u"AbC\r\ndE"_s;
    QTest::newRow("only line breaks") << u"\r\n\r\n"_s << u"\r\n\r\n"_s;
    QTest::newRow("cyrillic") << u"привет мир"_s << u"ПрИвЕт мИр"_s;
    QTest::newRow("greek") << u"αβγδ"_s << u"ΑβΓδ"_s;
    QTest::newRow("armenian") << u"բարեւ"_s << u"ԲաՐեՒ"_s;
    QTest::newRow("no-break space and NUL kept") << u"a\u00a0b\0c"_s << u"A\u00a0B\0C"_s;
    QTest::newRow("sharp s stays one character") << u"ßß"_s << u"ßß"_s;
    QTest::newRow("capital sharp s lowers") << u"aẞ"_s << u"Aß"_s;
    QTest::newRow("titlecase digraph") << u"ǅǅ"_s << u"Ǆǆ"_s;
    QTest::newRow("ligature keeps its form") << u"ﬁﬁ"_s << u"ﬁﬁ"_s;
    QTest::newRow("dotted capital I lowers") << u"aİ"_s << u"Ai"_s;
    QTest::newRow("iota subscript uppers one-to-one") << u"ᾀᾀ"_s << u"ᾈᾀ"_s;
    QTest::newRow("combining mark is a position") << u"e\u0301e"_s << u"E\u0301E"_s;
    QTest::newRow("deseret") << text(U"\U00010428\U00010400") << text(U"\U00010400\U00010428");
    QTest::newRow("osage") << text(U"\U000104D8\U000104B0") << text(U"\U000104B0\U000104D8");
    QTest::newRow("adlam") << text(U"\U0001E922\U0001E900a") << text(U"\U0001E900\U0001E922A");
    QTest::newRow("emoji is one position") << text(U"\U0001F600ab") << text(U"\U0001F600aB");
    QTest::newRow("lone high surrogate is one position")
        << (QString(QChar(0xD800)) + u"ab"_s) << (QString(QChar(0xD800)) + u"aB"_s);
    QTest::newRow("lone low surrogate is one position")
        << (u"a"_s + QChar(0xDC00) + u"b"_s) << (u"A"_s + QChar(0xDC00) + u"B"_s);
    QTest::newRow("reversed pair is two positions") << (QString(QChar(0xDC00)) + QChar(0xD800) + u"a"_s)
                                                    << (QString(QChar(0xDC00)) + QChar(0xD800) + u"A"_s);
    QTest::newRow("high surrogate at the end") << (u"ab"_s + QChar(0xD801)) << (u"Ab"_s + QChar(0xD801));
}

void TestAlternateCase::convertsByPosition()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(AlternateCase(input, QLocale(QLocale::English)), expected);
}

void TestAlternateCase::followsTheLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("english i") << QLocale(QLocale::English) << u"iIiI"_s << u"IiIi"_s;
    QTest::newRow("turkish i") << QLocale(QLocale::Turkish) << u"iIiI"_s << u"İıİı"_s;
    QTest::newRow("azerbaijani i") << QLocale(QLocale::Azerbaijani) << u"iIiI"_s << u"İıİı"_s;
    QTest::newRow("turkish dotted and dotless") << QLocale(QLocale::Turkish) << u"ıİıİ"_s << u"IiIi"_s;
    QTest::newRow("turkish other letters") << QLocale(QLocale::Turkish) << u"şğüçö"_s << u"ŞğÜçÖ"_s;
    QTest::newRow("german sharp s") << QLocale(QLocale::German) << u"ßa"_s << u"ßa"_s;
    QTest::newRow("russian") << QLocale(QLocale::Russian) << u"ёЁ"_s << u"Ёё"_s;
}

void TestAlternateCase::followsTheLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(AlternateCase(input, locale), expected);
}

void TestAlternateCase::keepsTheLengthInCodePoints()
{
    // Every code point of the first planes, each at an odd and an even position.
    std::u32string all;
    for (char32_t c = 1; c < 0x20000; ++c)
        all += c;
    const QString input = text(all) + text(all.substr(1));
    for (const QLocale &locale : {QLocale(QLocale::English), QLocale(QLocale::Turkish)}) {
        const std::string departure = expected::departure(input, AlternateCase(input, locale), locale);
        QVERIFY2(departure.empty(), departure.c_str());
    }
}

QTEST_APPLESS_MAIN(TestAlternateCase)
#include "test_alternatecase.moc"
