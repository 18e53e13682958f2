#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>

// What both keepers do with pastes under way: each goes as fast as its
// reader takes it, and a reader that has taken nothing for a while is given
// up, so that none holds the keeper or its memory. No Qt.
namespace keeper {

using Clock = std::chrono::steady_clock;

// A reader that has taken nothing for this long is given up; once another
// client has replaced the text, sooner, so that the keeper ends with it.
constexpr auto StallLimit = std::chrono::milliseconds(5000);
constexpr auto StallLimitOnceReplaced = std::chrono::milliseconds(250);

// The most pastes under way at once; a new one takes the place of the one
// that has read nothing for longest.
constexpr std::size_t MostTransfers = 64;

// The transfer that has read nothing for longest; transfers not empty.
// Transfers hold elements with a lastProgress.
template<typename Transfers> auto stalledLongest(Transfers &transfers)
{
    return std::min_element(transfers.begin(), transfers.end(),
                            [](const auto &a, const auto &b) { return a.lastProgress < b.lastProgress; });
}

// Milliseconds until the first transfer has stalled for limit; -1 for none.
template<typename Transfers> int msUntilAStall(const Transfers &transfers, std::chrono::milliseconds limit)
{
    if (transfers.empty())
        return -1;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(stalledLongest(transfers)->lastProgress
                                                                   + limit - Clock::now());
    return int(std::max<long long>(left.count(), 0));
}

} // namespace keeper
