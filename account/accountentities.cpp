#include "account/accountentities.h"

#include <charconv>

#include "core/text.h"
#include "core/textencoding.h"

namespace pw {

namespace {

bool isDigitChar(char c) { return c >= '0' && c <= '9'; }

int digitsAt(std::string_view text, size_t from, size_t count) {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) value = value * 10 + (text[i] - '0');
    return value;
}

template <size_t N>
int indexOfName(const std::array<std::string_view, N>& names, std::string_view name) {
    for (size_t i = 0; i < N; ++i)
        if (equalsIgnoreCase(names[i], name)) return static_cast<int>(i);
    return static_cast<int>(N);
}

}  // namespace

bool isValidDate(const AccountDate& date) {
    return date.year > 0 && date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31;
}

std::string formatDate(const AccountDate& date, char separator) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%04d%c%02d%c%02d", date.year, separator, date.month, separator, date.day);
    return buffer;
}

std::optional<AccountDate> parseDate(std::string_view text) {
    if (text.size() < 10) return std::nullopt;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!isDigitChar(text[i])) return std::nullopt;
    const AccountDate date{digitsAt(text, 8, 2), digitsAt(text, 5, 2), digitsAt(text, 0, 4)};
    if (!isValidDate(date)) return std::nullopt;
    return date;
}

int compareDates(const AccountDate& a, const AccountDate& b) {
    if (a.year != b.year) return a.year < b.year ? -1 : 1;
    if (a.month != b.month) return a.month < b.month ? -1 : 1;
    if (a.day != b.day) return a.day < b.day ? -1 : 1;
    return 0;
}

CampaignStatus campaignStatusFromName(std::string_view name) {
    return static_cast<CampaignStatus>(indexOfName(kCampaignStatusNames, name));
}
AdGroupStatus adGroupStatusFromName(std::string_view name) {
    return static_cast<AdGroupStatus>(indexOfName(kAdGroupStatusNames, name));
}
std::string_view campaignStatusName(CampaignStatus status) {
    const auto i = static_cast<size_t>(status);
    return i < kCampaignStatusNames.size() ? kCampaignStatusNames[i] : std::string_view{};
}
std::string_view adGroupStatusName(AdGroupStatus status) {
    const auto i = static_cast<size_t>(status);
    return i < kAdGroupStatusNames.size() ? kAdGroupStatusNames[i] : std::string_view{};
}

MatchType matchTypeFromName(std::string_view name) {
    if (equalsIgnoreCase(name, "Broad")) return MatchType::Broad;
    if (equalsIgnoreCase(name, "Phrase")) return MatchType::Phrase;
    return MatchType::Exact;
}
std::string_view matchTypeName(MatchType type) {
    const auto i = static_cast<size_t>(type);
    return i < kMatchTypeNames.size() ? kMatchTypeNames[i] : kMatchTypeNames[2];
}

size_t characterCount(std::string_view text) {
    size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

size_t wordCount(std::string_view text) { return splitAny(text, " ").size(); }

std::string_view cutWhole(std::string_view text, size_t bytes) {
    if (text.size() <= bytes) return text;
    size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

AccountKeyword keywordFromTextForm(std::string_view form) {
    form = cutWhole(form, 253);
    AccountKeyword keyword;
    if (form.size() >= 2 && form.front() == '"' && form.back() == '"') {
        keyword.matchType = MatchType::Phrase;
        form = form.substr(1, form.size() - 2);
    } else if (form.size() >= 2 && form.front() == '[' && form.back() == ']') {
        keyword.matchType = MatchType::Exact;
        form = form.substr(1, form.size() - 2);
    }
    keyword.text = std::string(form);
    return keyword;
}

std::string keywordTextForm(const AccountKeyword& keyword) {
    switch (keyword.matchType) {
    case MatchType::Phrase: return "\"" + keyword.text + "\"";
    case MatchType::Exact: return "[" + keyword.text + "]";
    default: return keyword.text;
    }
}

std::string keywordFileEntry(const AccountKeyword& keyword) {
    return keyword.text + "/" + std::string(matchTypeName(keyword.matchType)) + "/" +
           std::to_string(centsToMicros(keyword.bid));
}

std::string keywordFileText(const std::vector<AccountKeyword>& keywords) {
    std::string text;
    for (size_t i = 0; i < keywords.size(); ++i) {
        if (i) text += ';';
        text += keywordFileEntry(keywords[i]);
    }
    return text;
}

std::optional<std::vector<AccountKeyword>> parseKeywordFileText(std::string_view text) {
    std::vector<AccountKeyword> keywords;
    if (text.empty()) return keywords;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string_view entry = text.substr(start, end - start);
        // The text may hold "/" itself, so the type and bid are taken from the right.
        const size_t bidSlash = entry.rfind('/');
        if (bidSlash == std::string_view::npos || bidSlash == 0) return std::nullopt;
        const size_t typeSlash = entry.rfind('/', bidSlash - 1);
        if (typeSlash == std::string_view::npos) return std::nullopt;
        const std::string_view type = entry.substr(typeSlash + 1, bidSlash - typeSlash - 1);
        const std::string_view bid = entry.substr(bidSlash + 1);
        int64_t micros = 0;
        const auto [ptr, ec] = std::from_chars(bid.data(), bid.data() + bid.size(), micros);
        if (ec != std::errc() || ptr != bid.data() + bid.size() || bid.empty()) return std::nullopt;
        if (!equalsIgnoreCase(type, "Broad") && !equalsIgnoreCase(type, "Phrase") && !equalsIgnoreCase(type, "Exact"))
            return std::nullopt;
        keywords.push_back({std::string(entry.substr(0, typeSlash)), matchTypeFromName(type), microsToCents(micros)});
        start = end + 1;
    }
    return keywords;
}

bool isUploadableText(std::string_view text) { return text.find_first_of(";/\t\r\n") == std::string_view::npos; }

std::string_view takenAccountName(std::string_view typed) {
    return trimSpaces(clipToCharacters(typed, kNameCharacters));
}

bool isFaithfulName(std::string_view name) {
    return !name.empty() && trimSpaces(name).size() == name.size() && name.find_first_of("\"\r\n") == std::string_view::npos;
}

AccountAd accountAdFromAd(const Ad& ad) {
    AccountAd result;
    result.headline = ad.title;
    result.description1 = ad.line1;
    result.description2 = ad.line2;
    result.displayUrl = ad.displayUrl;
    result.destinationUrl = ad.destinationUrl;
    return result;
}

Ad adFromAccountAd(const AccountAd& ad) {
    Ad result;
    result.title = ad.headline;
    result.line1 = ad.description1;
    result.line2 = ad.description2;
    result.displayUrl = ad.displayUrl;
    result.destinationUrl = ad.destinationUrl;
    return result;
}

}  // namespace pw
