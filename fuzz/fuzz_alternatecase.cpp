// libFuzzer target for AlternateCase: the input's bytes are UTF-16 units, any
// of them, so unpaired surrogates and every plane come up. Checks that
// the result has the same code points in number, each mapped one to one by
// position, and aborts on the first that is not.
#include "convert/AlternateCase.h"

#include <unicode/uchar.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct CodePoint
{
    char32_t value;
    bool pair; // a surrogate pair, or else one unit (lone surrogates included)
};

// The text's code points, as the rule counts them.
std::vector<CodePoint> codePoints(const QString &text)
{
    std::vector<CodePoint> points;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            points.push_back({QChar::surrogateToUcs4(unit, text.at(i + 1).unicode()), true});
            ++i;
        } else {
            points.push_back({unit, false});
        }
    }
    return points;
}

[[noreturn]] void fail(const char *what, size_t position, char32_t in, char32_t out)
{
    std::fprintf(stderr, "AlternateCase: %s at position %zu: U+%04X became U+%04X\n", what, position + 1,
                 unsigned(in), unsigned(out));
    std::abort();
}

// The one-to-one mapping the rule asks for, from ICU directly.
char32_t expectedForm(char32_t c, bool upper, bool dottedI)
{
    if (dottedI && upper && c == u'i')
        return 0x130;
    if (dottedI && !upper && c == u'I')
        return 0x131;
    const auto mapped = char32_t(upper ? u_toupper(UChar32(c)) : u_tolower(UChar32(c)));
    return QChar::requiresSurrogates(mapped) == QChar::requiresSurrogates(c) ? mapped : c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the locale, the rest is the text.
    const bool turkish = data[0] & 1;
    const QLocale locale(turkish ? QLocale::Turkish : QLocale::English);
    QString text((size - 1) / 2, Qt::Uninitialized);
    std::memcpy(text.data(), data + 1, size_t(text.size()) * 2);

    const QString result = AlternateCase(text, locale);

    const std::vector<CodePoint> in = codePoints(text);
    const std::vector<CodePoint> out = codePoints(result);
    if (in.size() != out.size())
        fail("length in code points changed", std::min(in.size(), out.size()), 0, 0);
    for (size_t i = 0; i < in.size(); ++i) {
        const char32_t c = in[i].value;
        if (in[i].pair != out[i].pair)
            fail("surrogate pair split or made", i, c, out[i].value);
        const bool hasCase = u_toupper(UChar32(c)) != UChar32(c) || u_tolower(UChar32(c)) != UChar32(c)
            || (turkish && (c == u'i' || c == u'I'));
        if (!hasCase && out[i].value != c)
            fail("character without case changed", i, c, out[i].value);
        if (out[i].value != expectedForm(c, i % 2 == 0, turkish))
            fail(i % 2 == 0 ? "odd position not upper case" : "even position not lower case", i, c,
                 out[i].value);
    }
    return 0;
}
