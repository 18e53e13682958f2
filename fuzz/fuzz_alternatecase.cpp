// libFuzzer target for AlternateCase: the input's bytes are UTF-16 units, any
// of them, so unpaired surrogates and every plane come up. Aborts on the
// first result that departs from the rule.
#include "ExpectedCase.h"
#include "convert/AlternateCase.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the locale, the rest is the text.
    const QLocale locale(data[0] & 1 ? QLocale::Turkish : QLocale::English);
    QString text((size - 1) / 2, Qt::Uninitialized);
    std::memcpy(text.data(), data + 1, size_t(text.size()) * 2);

    const std::string departure = expected::departure(text, AlternateCase(text, locale), locale);
    if (!departure.empty()) {
        std::fprintf(stderr, "AlternateCase (%s): %s\n", qPrintable(locale.name()), departure.c_str());
        std::abort();
    }
    return 0;
}
