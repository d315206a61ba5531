#include "bench/listgenerator.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <unordered_set>

namespace pw::bench {

namespace {

constexpr size_t kVocabularySize = 60000;

std::vector<std::string> makeVocabulary(std::mt19937_64& rng) {
    static const char* onsets[] = {"b", "c", "d", "f", "g", "h", "j", "k", "l", "m", "n", "p", "r", "s",
                                   "t", "v", "w", "z", "br", "ch", "cl", "dr", "fl", "gr", "pl", "sh", "st", "tr"};
    static const char* vowels[] = {"a", "e", "i", "o", "u", "ai", "ea", "ee", "ou", "y"};
    static const char* codas[] = {"", "", "n", "r", "s", "t", "l", "ck", "nd", "st", "x"};
    std::unordered_set<std::string> seen;
    std::vector<std::string> words;
    while (words.size() < kVocabularySize) {
        std::string word;
        const int syllables = 1 + static_cast<int>(rng() % 3);
        for (int s = 0; s < syllables; ++s) {
            word += onsets[rng() % std::size(onsets)];
            word += vowels[rng() % std::size(vowels)];
        }
        word += codas[rng() % std::size(codas)];
        if (seen.insert(word).second) words.push_back(word);
    }
    return words;
}

// Draws word ranks with probability falling as 1 / rank^1.07.
class ZipfSampler {
public:
    explicit ZipfSampler(size_t n) : cdf_(n) {
        double sum = 0;
        for (size_t i = 0; i < n; ++i) cdf_[i] = (sum += 1.0 / std::pow(double(i + 1), 1.07));
        for (double& c : cdf_) c /= sum;
    }
    size_t operator()(std::mt19937_64& rng) {
        const double u = std::uniform_real_distribution<double>(0, 1)(rng);
        return std::min(cdf_.size() - 1, size_t(std::lower_bound(cdf_.begin(), cdf_.end(), u) - cdf_.begin()));
    }

private:
    std::vector<double> cdf_;
};

void varyCase(std::string& phrase, std::mt19937_64& rng) {
    const unsigned roll = rng() % 100;
    if (roll < 10) phrase[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(phrase[0])));
    else if (roll < 12)
        for (char& c : phrase) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

}  // namespace

GeneratedList generateList(size_t phraseCount, size_t ignoreWordCount, uint64_t seed) {
    std::mt19937_64 rng(seed);
    const std::vector<std::string> vocabulary = makeVocabulary(rng);
    ZipfSampler zipf(vocabulary.size());
    static const int wordCounts[] = {1, 2, 2, 2, 3, 3, 3, 3, 4, 4, 5, 6};
    static const char unwanted[] = "%&!@#$";

    GeneratedList list;
    list.phrases.reserve(phraseCount);
    list.hits.reserve(phraseCount);
    std::lognormal_distribution<double> hitCounts(4.0, 2.0);
    for (size_t i = 0; i < phraseCount; ++i) {
        std::string phrase;
        if (i > 100 && rng() % 100 < 8) {
            phrase = list.phrases[rng() % list.phrases.size()];  // a duplicate, often in other letters
        } else {
            const int words = wordCounts[rng() % std::size(wordCounts)];
            for (int w = 0; w < words; ++w) {
                if (w) phrase += ' ';
                phrase += vocabulary[zipf(rng)];
            }
            if (rng() % 100 == 0) phrase.insert(rng() % phrase.size(), 1, unwanted[rng() % (sizeof unwanted - 1)]);
        }
        varyCase(phrase, rng);
        list.phrases.push_back(std::move(phrase));
        list.hits.push_back(static_cast<int32_t>(std::min(2.0e9, 1 + hitCounts(rng))));
    }

    // Ignore words as users pick them: real words of four letters or more,
    // not the handful of commonest ones.
    std::unordered_set<size_t> chosen;
    while (list.ignoreWords.size() < ignoreWordCount && chosen.size() < vocabulary.size() - 300) {
        const size_t rank = 300 + rng() % (vocabulary.size() - 300);
        if (vocabulary[rank].size() >= 4 && chosen.insert(rank).second) list.ignoreWords.push_back(vocabulary[rank]);
    }
    return list;
}

GeneratedList denseVariant(const GeneratedList& list, uint64_t seed) {
    std::mt19937_64 rng(seed ^ 0x9E3779B97F4A7C15ULL);
    GeneratedList dense = list;
    if (list.ignoreWords.empty()) return dense;
    for (std::string& phrase : dense.phrases) {
        if (rng() % 100 < 2) continue;
        std::vector<std::string> words;
        size_t start = 0;
        while (start <= phrase.size()) {
            const size_t space = std::min(phrase.find(' ', start), phrase.size());
            words.push_back(phrase.substr(start, space - start));
            start = space + 1;
        }
        words[rng() % words.size()] = list.ignoreWords[rng() % list.ignoreWords.size()];
        phrase.clear();
        for (size_t w = 0; w < words.size(); ++w) phrase.append(w ? " " : "").append(words[w]);
    }
    return dense;
}

std::string asCsv(const GeneratedList& list) {
    std::string out;
    for (size_t i = 0; i < list.phrases.size(); ++i)
        out.append(list.phrases[i]).append(",").append(std::to_string(list.hits[i])).append("\n");
    return out;
}

std::string asLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out.append(line).append("\n");
    return out;
}

}  // namespace pw::bench
