#include "convert/AlternateCase.h"

#include <unicode/uchar.h>

namespace {

struct CaseRules
{
    bool dottedI; // i upper-cases to U+0130, I lower-cases to U+0131

    // Unicode's simple mappings come from ICU: QChar leaves the characters
    // whose full mapping is longer unmapped (U+0130, the Greek letters with
    // ypogegrammeni), although each has a one-to-one mapping too.
    char32_t upper(char32_t c) const
    {
        if (c < 0x80) {
            if (c == u'i' && dottedI)
                return 0x130;
            return c - u'a' < 26u ? c - 0x20 : c;
        }
        return u_toupper(UChar32(c));
    }

    char32_t lower(char32_t c) const
    {
        if (c < 0x80) {
            if (c == u'I' && dottedI)
                return 0x131;
            return c - u'A' < 26u ? c + 0x20 : c;
        }
        return u_tolower(UChar32(c));
    }
};

CaseRules rulesFor(const QLocale &locale)
{
    const QLocale::Language language = locale.language();
    return {language == QLocale::Turkish || language == QLocale::Azerbaijani};
}

} // namespace

QString AlternateCase(const QString &text, const QLocale &locale)
{
    const CaseRules rules = rulesFor(locale);

    QString result(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    const auto *in = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *const end = in + text.size();

    bool upperNext = true;
    while (in != end) {
        char32_t c = *in++;
        if (QChar::isHighSurrogate(c) && in != end && QChar::isLowSurrogate(*in))
            c = QChar::surrogateToUcs4(char16_t(c), *in++);

        const char32_t mapped = upperNext ? rules.upper(c) : rules.lower(c);
        upperNext = !upperNext;
        // Unicode's simple mappings stay within a plane; should one ever
        // leave it, the character keeps its form and the text its length.
        if (QChar::requiresSurrogates(mapped) == QChar::requiresSurrogates(c))
            c = mapped;

        if (QChar::requiresSurrogates(c)) {
            *out++ = QChar::highSurrogate(c);
            *out++ = QChar::lowSurrogate(c);
        } else {
            *out++ = char16_t(c);
        }
    }
    return result;
}
