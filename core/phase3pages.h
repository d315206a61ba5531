#pragma once
// Phase 3's side lists: an ordered sequence of pages of phrase texts. List 1
// shows page p and list 2 page p + 1; the texts stand for phrases that are
// set aside in the current list until they become a group or go back.

#include <string>
#include <string_view>
#include <vector>

namespace pw {

using Page = std::vector<std::string>;

class Phase3Pages {
public:
    size_t count() const { return pages_.size(); }
    bool empty() const;  // no page holds a text
    size_t totalTexts() const;

    // Page i; with create, a page past the end appends one new empty page.
    Page* page(size_t i, bool create);
    const Page* page(size_t i) const { return i < pages_.size() ? &pages_[i] : nullptr; }

    // Removes page i, then every empty page directly before it.
    void remove(size_t i);
    void clear() { pages_.clear(); }

private:
    std::vector<Page> pages_;
};

}  // namespace pw

namespace pw {

// A phase-3 "Filter:" text: in double quotes (longer than 2 characters) one
// sequence to find; otherwise words, all of which must occur, in any order.
struct Phase3Filter {
    bool sequence = false;
    std::vector<std::string> words;  // the sequence alone, or the words

    bool empty() const { return words.empty(); }
    bool matches(std::string_view text) const;
};
Phase3Filter parsePhase3Filter(std::string_view text);

}  // namespace pw
