#pragma once
// The four ad lists of a group and the networks' length limits.

#include <array>
#include <string_view>

#include "core/ad.h"

namespace pw {

constexpr int kNetworkCount = 5;
constexpr std::array<std::string_view, kNetworkCount> kNetworkNames = {"Google", "Miva", "Enhance", "Yahoo!", "MSN"};
constexpr std::array<std::string_view, kAdListCount> kAdListNames = {"Current ad list", "Effective ad list",
                                                                     "Ineffective ad list", "Neutral ad list"};
constexpr size_t kMaxCurrentAds = 3;

// The fields that have a length limit, in counter order.
enum class AdField : int { Title = 0, Text1 = 1, Text2 = 2, DisplayUrl = 3, DestinationUrl = 4 };
constexpr int kLimitedFieldCount = 5;

// Characters allowed per network and field while editing.
constexpr int kAdFieldLimits[kNetworkCount][kLimitedFieldCount] = {
    {25, 35, 35, 35, 1024},        // Google
    {50, 250, 10000, 250, 250},    // Miva
    {40, 200, 10000, 135, 256},    // Enhance
    {40, 190, 10000, 1024, 1024},  // Yahoo!
    {25, 70, 10000, 35, 1015},     // MSN
};

inline int adFieldLimit(int network, AdField field) {
    const int n = network >= 0 && network < kNetworkCount ? network : 0;
    return kAdFieldLimits[n][static_cast<int>(field)];
}
// Networks other than Google write one description instead of two lines.
inline bool oneDescription(int network) { return network != 0; }
inline std::string_view networkName(int network) {
    return kNetworkNames[network >= 0 && network < kNetworkCount ? network : 0];
}

// Whether one more ad may go into this list (the current list holds three).
inline bool adListHasRoom(int kind, const AdList& list) { return kind != kCurrentAdList || list.size() < kMaxCurrentAds; }

// Moves the ad at `index` of `from` to the end of `to`; false when there is none.
bool moveAd(AdList& from, size_t index, AdList& to);

}  // namespace pw
