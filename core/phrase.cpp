#include "core/phrase.h"

#include <cstring>

#include "core/text.h"

namespace pw {

namespace {
constexpr size_t spansOffset(size_t textLength) { return (textLength + 1 + 3) & ~size_t{3}; }
}  // namespace

// A copy takes the stored text and words as they are: setting the text again
// would trim a text like " red shoes " a second time.
Phrase::Phrase(const Phrase& other)
    : hitCount(other.hitCount),
      active(other.active),
      setAside(other.setAside),
      wordCount_(other.wordCount_),
      textLength_(other.textLength_) {
    if (!other.data_) return;
    const size_t size = spansOffset(textLength_) + wordCount_ * sizeof(WordSpan);
    data_ = std::make_unique_for_overwrite<char[]>(size);
    std::memcpy(data_.get(), other.data_.get(), size);
}

Phrase& Phrase::operator=(const Phrase& other) {
    if (this != &other) {
        Phrase copy(other);
        *this = std::move(copy);
    }
    return *this;
}

const Phrase::WordSpan* Phrase::spans() const {
    return reinterpret_cast<const WordSpan*>(data_.get() + spansOffset(textLength_));
}

std::string_view Phrase::word(int index) const {
    const WordSpan& span = spans()[index];
    return {data_.get() + span.start, span.length};
}

void Phrase::setText(std::string_view rawText) {
    // Texts are C strings: whatever follows a NUL was never part of them.
    std::string_view text = stripQuotes(trimSpaces(rawText.substr(0, rawText.find('\0'))));
    // Quotes around nothing but spaces leave no text at all, not a space.
    if (trimSpaces(text).empty()) text = text.substr(0, 0);

    WordSpan found[kMaxWordsPerPhrase];
    uint16_t count = 0;
    size_t pos = 0;
    while (pos < text.size() && count < kMaxWordsPerPhrase) {
        while (pos < text.size() && isWordSeparator(text[pos])) ++pos;
        size_t end = pos;
        while (end < text.size() && !isWordSeparator(text[end])) ++end;
        size_t first = pos;
        size_t last = end;
        while (first < last && isTrimSpace(text[first])) ++first;
        while (last > first && isTrimSpace(text[last - 1])) --last;
        if (last > first) found[count++] = {static_cast<uint32_t>(first), static_cast<uint32_t>(last - first)};
        pos = end;
    }

    const size_t offset = spansOffset(text.size());
    auto block = std::make_unique_for_overwrite<char[]>(offset + count * sizeof(WordSpan));
    std::memcpy(block.get(), text.data(), text.size());
    std::memset(block.get() + text.size(), 0, offset - text.size());
    std::memcpy(block.get() + offset, found, count * sizeof(WordSpan));
    data_ = std::move(block);
    textLength_ = static_cast<uint32_t>(text.size());
    wordCount_ = count;
}

}  // namespace pw
