#include "core/phase3pages.h"

namespace pw {

bool Phase3Pages::empty() const { return totalTexts() == 0; }

size_t Phase3Pages::totalTexts() const {
    size_t n = 0;
    for (const Page& p : pages_) n += p.size();
    return n;
}

Page* Phase3Pages::page(size_t i, bool create) {
    if (i < pages_.size()) return &pages_[i];
    if (!create) return nullptr;
    pages_.emplace_back();
    return &pages_.back();
}

void Phase3Pages::remove(size_t i) {
    if (i >= pages_.size()) return;
    pages_.erase(pages_.begin() + static_cast<long>(i));
    while (i > 0 && pages_[i - 1].empty()) {
        pages_.erase(pages_.begin() + static_cast<long>(i - 1));
        --i;
    }
}

}  // namespace pw

#include "core/text.h"

namespace pw {

bool Phase3Filter::matches(std::string_view text) const {
    if (words.empty()) return false;
    for (const std::string& w : words)
        if (!containsIgnoreCase(text, w)) return false;
    return true;
}

Phase3Filter parsePhase3Filter(std::string_view text) {
    Phase3Filter filter;
    if (text.size() > 2 && text.front() == '"' && text.back() == '"') {
        filter.sequence = true;
        filter.words.emplace_back(text.substr(1, text.size() - 2));
        return filter;
    }
    for (std::string_view w : splitAny(text, " ,;")) filter.words.emplace_back(w);
    return filter;
}

}  // namespace pw
