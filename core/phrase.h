#pragma once
// One search phrase. Its words are spans into its own text, kept in the same
// allocation, so a list of a million phrases costs one block per phrase.

#include <cstdint>
#include <memory>
#include <string_view>

namespace pw {

constexpr int kMaxWordsPerPhrase = 1024;

class Phrase {
public:
    int32_t hitCount = 0;
    uint8_t active = 1;    // passes the current filters
    uint8_t setAside = 0;  // moved into the 'Delete' box or a phase-3 list

    Phrase() = default;
    explicit Phrase(std::string_view rawText, int32_t hits = 0) : hitCount(hits) { setText(rawText); }
    Phrase(const Phrase& other);
    Phrase& operator=(const Phrase& other);
    Phrase(Phrase&&) noexcept = default;
    Phrase& operator=(Phrase&&) noexcept = default;

    // Trims spaces, tabs, CR and LF, strips leading then trailing quotes and
    // splits the rest into words at spaces, commas, full stops and semicolons.
    void setText(std::string_view rawText);

    std::string_view text() const { return {data_.get(), textLength_}; }
    const char* c_str() const { return data_ ? data_.get() : ""; }
    int wordCount() const { return wordCount_; }
    std::string_view word(int index) const;
    bool visible() const { return active && !setAside; }

private:
    struct WordSpan {
        uint32_t start;
        uint32_t length;
    };
    const WordSpan* spans() const;

    uint16_t wordCount_ = 0;
    uint32_t textLength_ = 0;
    std::unique_ptr<char[]> data_;
};

}  // namespace pw
