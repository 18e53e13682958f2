#include "platform/clipboard/HandOverFormat.h"

#include <algorithm>

std::optional<std::string> readHandOver(std::FILE *file)
{
    unsigned long long size = 0;
    int digits = 0;
    for (int c; (c = std::fgetc(file)) != '\n'; ++digits) {
        if (c < '0' || c > '9' || size > HandOverLimit)
            return {};
        size = size * 10 + static_cast<unsigned>(c - '0');
    }
    if (digits == 0 || size == 0 || size > HandOverLimit)
        return {};

    std::string text;
    constexpr size_t Piece = size_t(1) << 20;
    while (text.size() < size) {
        const size_t at = text.size();
        text.resize(at + std::min<size_t>(Piece, size - at));
        const size_t got = std::fread(text.data() + at, 1, text.size() - at, file);
        if (got != text.size() - at)
            return {};
    }
    if (std::fgetc(file) != EOF)
        return {};
    return text;
}
