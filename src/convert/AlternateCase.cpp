#include "convert/AlternateCase.h"

#include <unicode/uchar.h>
#include <unicode/uset.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A mapping that would leave the character's plane would change the length.
char32_t withinPlane(char32_t c, UChar32 mapped)
{
    return QChar::requiresSurrogates(c) == QChar::requiresSurrogates(char32_t(mapped)) ? char32_t(mapped) : c;
}

// Unicode's simple case mappings, taken from ICU once: a call into ICU for
// every character would cost several times the rest of the conversion. ICU
// rather than QChar, which leaves unmapped the characters whose full mapping is
// longer (U+0130, the Greek letters with ypogegrammeni), although each has a
// one-to-one mapping too. The BMP is held whole; of the other planes only the
// few blocks of 256 characters that have case (Deseret, Osage, Adlam, ...).
struct CaseTable
{
    char16_t upper[0x10000];
    char16_t lower[0x10000];

    struct Block
    {
        char32_t upper[256];
        char32_t lower[256];
    };
    std::vector<Block> blocks;
    std::vector<quint8> blockOf = std::vector<quint8>(0x110000 / 256); // 1 + index, or 0

    bool askIcu = false; // when ICU could not say which blocks have case

    char32_t map(char32_t c, bool toUpper) const
    {
        if (askIcu)
            return withinPlane(c, toUpper ? u_toupper(UChar32(c)) : u_tolower(UChar32(c)));
        const quint8 block = blockOf[c / 256];
        if (block == 0)
            return c;
        const Block &forms = blocks[block - 1];
        return toUpper ? forms.upper[c % 256] : forms.lower[c % 256];
    }
};

const CaseTable &caseTable()
{
    static const std::unique_ptr<CaseTable> table = [] {
        auto built = std::make_unique<CaseTable>();
        for (char32_t c = 0; c <= 0xFFFF; ++c) {
            built->upper[c] = char16_t(withinPlane(c, u_toupper(UChar32(c))));
            built->lower[c] = char16_t(withinPlane(c, u_tolower(UChar32(c))));
        }

        UErrorCode error = U_ZERO_ERROR;
        const USet *cased = u_getBinaryPropertySet(UCHAR_CHANGES_WHEN_CASEMAPPED, &error);
        for (int32_t i = 0; U_SUCCESS(error) && i < uset_getItemCount(cased); ++i) {
            UChar32 first = 0, last = 0;
            uset_getItem(cased, i, &first, &last, nullptr, 0, &error);
            for (UChar32 block = std::max(first, 0x10000) / 256; block <= last / 256; ++block) {
                if (built->blockOf[block] != 0)
                    continue;
                CaseTable::Block forms;
                for (int offset = 0; offset < 256; ++offset) {
                    const char32_t c = char32_t(block) * 256 + offset;
                    forms.upper[offset] = withinPlane(c, u_toupper(UChar32(c)));
                    forms.lower[offset] = withinPlane(c, u_tolower(UChar32(c)));
                }
                built->blocks.push_back(forms);
                built->blockOf[block] = quint8(built->blocks.size());
            }
        }
        built->askIcu = U_FAILURE(error) || built->blocks.size() >= 256;
        return built;
    }();
    return *table;
}

constexpr char16_t DottedCapitalI = 0x130;
constexpr char16_t DotlessSmallI = 0x131;

bool usesDottedI(const QLocale &locale)
{
    const QLocale::Language language = locale.language();
    return language == QLocale::Turkish || language == QLocale::Azerbaijani;
}

// In a run of ASCII each unit is one position, so the case of every unit is
// known in advance and the loop has no branches: the compiler vectorises it.
constexpr int AsciiBlock = 64; // runs are whole blocks: even, so in step

bool isAsciiBlock(const char16_t *in)
{
    char16_t bits = 0;
    for (int i = 0; i < AsciiBlock; ++i)
        bits |= in[i];
    return bits < 0x80;
}

// Converts the blocks of ASCII from in on, up to end; returns how many units.
template<bool UpperFirst, bool DottedI>
qsizetype convertAsciiRun(const char16_t *in, const char16_t *end, char16_t *out)
{
    const char16_t *const start = in;
    for (; end - in >= AsciiBlock && isAsciiBlock(in); in += AsciiBlock, out += AsciiBlock) {
        for (int i = 0; i < AsciiBlock; ++i) {
            const char16_t c = in[i];
            const bool upper = (i % 2 == 0) == UpperFirst;
            // All in 16 bits, so that a vector holds as many units as it can.
            const char16_t letter = upper ? char16_t(c - u'a') : char16_t(c - u'A');
            const char16_t shift = letter < 26 ? 0x20 : 0;
            char16_t mapped = upper ? char16_t(c - shift) : char16_t(c + shift);
            if constexpr (DottedI) {
                mapped = upper && c == u'i' ? DottedCapitalI : mapped;
                mapped = !upper && c == u'I' ? DotlessSmallI : mapped;
            }
            out[i] = mapped;
        }
    }
    return in - start;
}

using AsciiRunConverter = qsizetype (*)(const char16_t *, const char16_t *, char16_t *);
constexpr AsciiRunConverter AsciiRunConverters[2][2] = {
    {convertAsciiRun<false, false>, convertAsciiRun<false, true>},
    {convertAsciiRun<true, false>, convertAsciiRun<true, true>},
};

bool isSurrogate(char16_t c)
{
    return (c & 0xF800) == 0xD800;
}

// Characters whose mapping the table does not give.
bool needsCare(char16_t c, bool dottedI)
{
    return isSurrogate(c) || (dottedI && (c | 0x20) == u'i');
}

} // namespace

QString AlternateCase(const QString &text, const QLocale &locale)
{
    const bool dottedI = usesDottedI(locale);
    const CaseTable &table = caseTable();

    QString result(text.size(), Qt::Uninitialized);
    auto *out = reinterpret_cast<char16_t *>(result.data());
    const auto *in = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *const end = in + text.size();

    bool upperNext = true;
    while (in != end) {
        const qsizetype ascii = AsciiRunConverters[upperNext][dottedI](in, end, out);
        in += ascii;
        out += ascii;

        // At least a block's worth outside the ASCII path before trying it again.
        for (const char16_t *const stop = in + std::min<qsizetype>(AsciiBlock, end - in); in < stop;) {
            // Two characters at a time keeps the alternation out of the loop.
            if (stop - in >= 2 && !needsCare(in[0], dottedI) && !needsCare(in[1], dottedI)) {
                out[0] = upperNext ? table.upper[in[0]] : table.lower[in[0]];
                out[1] = upperNext ? table.lower[in[1]] : table.upper[in[1]];
                in += 2;
                out += 2;
                continue;
            }

            const char16_t c = *in++;
            if (QChar::isHighSurrogate(c) && in != end && QChar::isLowSurrogate(*in)) {
                const char32_t kept = table.map(QChar::surrogateToUcs4(c, *in++), upperNext);
                *out++ = QChar::highSurrogate(kept);
                *out++ = QChar::lowSurrogate(kept);
            } else if (dottedI && upperNext && c == u'i') {
                *out++ = DottedCapitalI;
            } else if (dottedI && !upperNext && c == u'I') {
                *out++ = DotlessSmallI;
            } else {
                // Unpaired surrogates have no case and stay as they are.
                *out++ = upperNext ? table.upper[c] : table.lower[c];
            }
            upperNext = !upperNext;
        }
    }
    return result;
}
