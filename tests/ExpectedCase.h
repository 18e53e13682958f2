#pragma once

// The conversion rule stated apart from AlternateCase, from ICU's own case
// mappings, for the tests and the fuzz target to hold it to: the code point
// at each even index (a surrogate pair is one, an unpaired surrogate one)
// takes its upper-case form, at each odd index its lower-case one; Turkish
// and Azerbaijani have their own dotted and dotless i; a form that would take
// another number of UTF-16 units is not taken.
#include <QLocale>
#include <QString>

#include <unicode/uchar.h>

#include <string>

namespace expected {

inline char32_t caseAt(qsizetype index, char32_t c, bool turkishI)
{
    const bool upper = index % 2 == 0;
    if (turkishI && c == (upper ? U'i' : U'I'))
        return upper ? U'\u0130' : U'\u0131';
    const auto mapped = char32_t(upper ? u_toupper(UChar32(c)) : u_tolower(UChar32(c)));
    return QChar::requiresSurrogates(mapped) == QChar::requiresSurrogates(c) ? mapped : c;
}

inline QString alternateCase(const QString &text, const QLocale &locale)
{
    const bool turkishI = locale.language() == QLocale::Turkish || locale.language() == QLocale::Azerbaijani;
    QString result;
    result.reserve(text.size());
    qsizetype index = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++index) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text.at(++i).unicode());
        c = caseAt(index, c, turkishI);
        if (QChar::requiresSurrogates(c)) {
            result += QChar(QChar::highSurrogate(c));
            result += QChar(QChar::lowSurrogate(c));
        } else {
            result += QChar(char16_t(c));
        }
    }
    return result;
}

// Where result departs from the rule applied to input, in words; empty where
// it does not.
inline std::string departure(const QString &input, const QString &result, const QLocale &locale)
{
    const QString want = alternateCase(input, locale);
    if (result == want)
        return {};
    qsizetype at = 0;
    while (at < want.size() && at < result.size() && want.at(at) == result.at(at))
        ++at;
    const auto unit = [](const QString &text, qsizetype i) {
        return i < text.size() ? QString::number(text.at(i).unicode(), 16) : QStringLiteral("the end");
    };
    return QStringLiteral("UTF-16 unit %1 of %2: %3 became %4 where the rule gives %5")
        .arg(at)
        .arg(input.size())
        .arg(unit(input, at), unit(result, at), unit(want, at))
        .toStdString();
}

} // namespace expected
