#include "ui/account/keywordbox.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "account/moneytext.h"
#include "core/text.h"

namespace pw::ui {

namespace {

// A line is compared by the text form it stands for: a line longer than a
// keyword can hold stands for its cut keyword, and is found again as such
// instead of adding another keyword at every key press.
std::string canonicalForm(std::string_view line) { return keywordTextForm(keywordFromTextForm(line)); }

}  // namespace

std::string keywordBoxText(const std::vector<AccountKeyword>& keywords) {
    std::string text;
    for (const AccountKeyword& keyword : keywords) {
        if (!text.empty()) text += "\r\n";
        text += keywordTextForm(keyword);
    }
    return text;
}

std::vector<std::string> keywordBoxLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string_view line : splitAny(text, "\r\n")) lines.emplace_back(line);
    return lines;
}

std::string appendKeywordLines(std::string_view text, const std::vector<std::string>& lines) {
    std::string result(text);
    if (lines.empty()) return result;
    if (!result.empty() && result.back() != '\n' && result.back() != '\r') result += "\r\n";
    for (const std::string& line : lines) result += line + "\r\n";
    return result;
}

void KeywordBids::clear() {
    keywords_.clear();
    events_ = 0;
}

void KeywordBids::take(std::vector<AccountKeyword> keywords) { keywords_ = std::move(keywords); }

AccountKeyword* KeywordBids::find(std::string_view line) {
    const std::string form = canonicalForm(line);
    auto found = std::find_if(keywords_.begin(), keywords_.end(),
                              [&](const AccountKeyword& k) { return keywordTextForm(k) == form; });
    return found == keywords_.end() ? nullptr : &*found;
}

const AccountKeyword* KeywordBids::find(std::string_view line) const {
    return const_cast<KeywordBids*>(this)->find(line);
}

void KeywordBids::forgetRemovedLines(std::string_view boxText) {
    std::unordered_set<std::string> forms;
    for (const std::string& line : keywordBoxLines(boxText)) forms.insert(canonicalForm(line));
    std::erase_if(keywords_, [&](const AccountKeyword& k) { return !forms.contains(keywordTextForm(k)); });
}

KeywordBids::BidField KeywordBids::caretEvent(std::string_view boxText, std::string_view line) {
    if (++events_ % kKeywordSyncEvery == 0) forgetRemovedLines(boxText);
    if (line.empty()) return {};
    AccountKeyword* keyword = find(line);
    if (!keyword) {
        keywords_.push_back(keywordFromTextForm(line));
        keyword = &keywords_.back();
    }
    return {formatMoney(keyword->bid), true};
}

void KeywordBids::editBid(std::string_view line, std::string_view bidText) {
    if (line.empty()) return;
    const std::optional<int32_t> bid = parseMoneyText(bidText);
    if (!bid) return;
    AccountKeyword* keyword = find(line);
    if (!keyword) {
        keywords_.push_back(keywordFromTextForm(line));
        keyword = &keywords_.back();
    }
    keyword->bid = *bid;
}

std::vector<AccountKeyword> KeywordBids::keywordsToSave(std::string_view boxText) const {
    std::unordered_map<std::string, int32_t> bids;
    for (const AccountKeyword& k : keywords_) bids.emplace(keywordTextForm(k), k.bid);
    std::vector<AccountKeyword> result;
    for (const std::string& line : keywordBoxLines(boxText)) {
        AccountKeyword keyword = keywordFromTextForm(line);
        const auto known = bids.find(keywordTextForm(keyword));
        keyword.bid = known == bids.end() ? 0 : known->second;
        result.push_back(std::move(keyword));
    }
    return result;
}

}  // namespace pw::ui
