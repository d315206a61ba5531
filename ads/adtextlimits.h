#pragma once
// How much text each box of the ad editor holds, in characters, and the
// counting and cutting the editor does with it. Texts are UTF-8: "é" is one
// character, and a cut never leaves half of one behind.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "ads/adlists.h"
#include "core/ad.h"

namespace pw {

// The project file keeps one NUL more than each limit.
constexpr std::array<size_t, kAdFieldCount> kAdTextLimits = {
    Ad::kTitleSize - 1, Ad::kLineSize - 1, Ad::kLineSize - 1, Ad::kUrlSize - 1,
    Ad::kUrlSize - 1,   Ad::kNotesSize - 1, Ad::kTokensSize - 1};  // 127, 255, 255, 2047, 2047, 9999, 255

constexpr size_t adTextLimit(AdField field) { return kAdTextLimits[static_cast<int>(field)]; }

// Characters in the text, as the counters show them.
size_t adTextLength(std::string_view text);
// The text cut to at most `limit` characters.
std::string clipAdText(std::string_view text, size_t limit);
// A network's limit for a field, applied to typed text: the box's own limit
// as well as the network's ("Title" of Google: 25 characters).
std::string clipToNetworkLimit(std::string_view text, SearchEngine network, AdField field);
// The counter beside a box: "22/25".
std::string adCounterText(std::string_view text, int limit);

}  // namespace pw
