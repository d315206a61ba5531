#pragma once
// The ad record as a group keeps it. Each text has the size of the buffer the
// project file allows for it: the text holds at most one character less (the
// terminating NUL), counted in characters, not bytes.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pw {

// The network an ad is written for; stored as this number in the project file.
enum class SearchEngine : uint8_t { Google = 0, Miva = 1, Enhance = 2, Yahoo = 3, Msn = 4 };

// The texts of an ad, in the order of the counters, the network limits and
// the project file.
enum class AdField : int { Title, Text1, Text2, DisplayUrl, DestinationUrl, Notes, Tokens };
constexpr int kAdFieldCount = 7;

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
    SearchEngine engine = SearchEngine::Google;  // a file may hold a number beyond the five
    std::string tokens;

    bool operator==(const Ad&) const = default;
};

using AdList = std::vector<Ad>;

// The four lists of a group, in the order the list choosers show them.
enum class AdListKind : int { Current = 0, Effective = 1, Ineffective = 2, Neutral = 3 };
constexpr int kAdListCount = 4;

// A group's lists, addressed by kind (or by number where all four are walked).
struct AdLists : std::array<AdList, kAdListCount> {
    using std::array<AdList, kAdListCount>::operator[];
    AdList& operator[](AdListKind kind) { return (*this)[static_cast<size_t>(kind)]; }
    const AdList& operator[](AdListKind kind) const { return (*this)[static_cast<size_t>(kind)]; }
};

}  // namespace pw
