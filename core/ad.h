#pragma once
// The ad record as a group keeps it. Each text has the size of the buffer the
// project file allows for it: the text holds at most one character less (the
// terminating NUL), counted in characters, not bytes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pw {

enum class SearchEngine : uint8_t { Google = 0, Miva = 1, Enhance = 2, Yahoo = 3, Msn = 4 };

struct Ad {
    static constexpr size_t kTitleSize = 128;
    static constexpr size_t kLineSize = 256;
    static constexpr size_t kUrlSize = 2048;
    static constexpr size_t kNotesSize = 10000;
    static constexpr size_t kTokensSize = 256;

    std::string title;
    std::string line1;
    std::string line2;
    std::string displayUrl;
    std::string destinationUrl;
    std::string notes;
    uint8_t engine = 0;  // a SearchEngine value
    std::string tokens;

    bool operator==(const Ad&) const = default;
};

using AdList = std::vector<Ad>;

constexpr int kAdListCount = 4;
constexpr int kCurrentAdList = 0;
using AdLists = std::array<AdList, kAdListCount>;

}  // namespace pw
