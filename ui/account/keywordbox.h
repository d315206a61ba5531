#pragma once
// The ad group manager's keyword box: one keyword text form per line, and
// the bids that belong to its lines. The bid field follows the caret, so the
// keywords are looked up by the line under it; lines the user removed are
// forgotten only every 30th caret event, to keep typing cheap on long lists.

#include <string>
#include <string_view>
#include <vector>

#include "account/accountentities.h"

namespace pw::ui {

constexpr int kKeywordSyncEvery = 30;

// The box's text for these keywords: their text forms joined by CR LF.
std::string keywordBoxText(const std::vector<AccountKeyword>& keywords);
// The non-empty lines of the box, split at CR and LF.
std::vector<std::string> keywordBoxLines(std::string_view text);
// What the box holds after `lines` are appended: after a line break when it
// is not empty, each line followed by one.
std::string appendKeywordLines(std::string_view text, const std::vector<std::string>& lines);

class KeywordBids {
public:
    // What the bid field shows for the caret line.
    struct BidField {
        std::string text = "0.00";
        bool enabled = false;
        bool operator==(const BidField&) const = default;
    };

    void clear();
    void take(std::vector<AccountKeyword> keywords);
    const std::vector<AccountKeyword>& keywords() const { return keywords_; }

    // A key press or click in the box with the caret on `line`.
    BidField caretEvent(std::string_view boxText, std::string_view line);
    // The bid field was edited: a money text becomes the caret line's bid.
    void editBid(std::string_view line, std::string_view bidText);
    // "Save": one keyword per line of the box, each with its known bid or 0.
    std::vector<AccountKeyword> keywordsToSave(std::string_view boxText) const;

private:
    AccountKeyword* find(std::string_view line);
    const AccountKeyword* find(std::string_view line) const;
    void forgetRemovedLines(std::string_view boxText);

    std::vector<AccountKeyword> keywords_;
    int events_ = 0;
};

}  // namespace pw::ui
