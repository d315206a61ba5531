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

// The first fields, up to the destination URL, have a limit per network.
constexpr int kLimitedFieldCount = 5;

// Characters allowed per network and field while editing.
constexpr int kAdFieldLimits[kNetworkCount][kLimitedFieldCount] = {
    {25, 35, 35, 35, 1024},        // Google
    {50, 250, 10000, 250, 250},    // Miva
    {40, 200, 10000, 135, 256},    // Enhance
    {40, 190, 10000, 1024, 1024},  // Yahoo!
    {25, 70, 10000, 35, 1015},     // MSN
};

// The row of a network in the tables; a number beyond them reads as Google.
constexpr int networkRow(SearchEngine network) {
    const int n = static_cast<int>(network);
    return n < kNetworkCount ? n : 0;
}
inline int adFieldLimit(SearchEngine network, AdField field) {
    return kAdFieldLimits[networkRow(network)][static_cast<int>(field)];
}
// Networks other than Google write one description instead of two lines.
inline bool oneDescription(SearchEngine network) { return network != SearchEngine::Google; }
inline std::string_view networkName(SearchEngine network) { return kNetworkNames[networkRow(network)]; }

// Whether one more ad may go into this list (the current list holds three).
inline bool adListHasRoom(AdListKind kind, const AdList& list) {
    return kind != AdListKind::Current || list.size() < kMaxCurrentAds;
}

// Moves the ad at `index` of `from` to the end of `to`; false when there is none.
bool moveAd(AdList& from, size_t index, AdList& to);

}  // namespace pw
