#pragma once
// Seeded generator of realistic keyword lists: Zipf-distributed words, 1 to 6
// words a phrase, skewed hit counts, case variants, duplicates and a few
// phrases with unwanted characters.

#include <cstdint>
#include <string>
#include <vector>

namespace pw::bench {

struct GeneratedList {
    std::vector<std::string> phrases;
    std::vector<int32_t> hits;
    std::vector<std::string> ignoreWords;
};

GeneratedList generateList(size_t phraseCount, size_t ignoreWordCount, uint64_t seed);

// The same list with one word of about 98% of its phrases replaced by one of
// the ignore words: a list the ignore box empties almost entirely.
GeneratedList denseVariant(const GeneratedList& list, uint64_t seed);

// "phrase,hits" lines, as a keyword tool exports them.
std::string asCsv(const GeneratedList& list);
// The phrases alone, one a line.
std::string asLines(const std::vector<std::string>& lines);

}  // namespace pw::bench
