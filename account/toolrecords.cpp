#include "account/toolrecords.h"

#include <charconv>

#include "account/geotargets.h"
#include "core/text.h"

namespace pw {

namespace {

constexpr size_t kLongestValue = 4095;

// Walks the value lines of one record, key after key.
class RecordCursor {
public:
    RecordCursor(std::string_view text, size_t pos, std::string_view kind) : text_(text), kind_(kind) {
        const size_t marker = text_.find("DEFINE " + kind_, pos);
        ok_ = marker != std::string_view::npos;
        pos_ = ok_ ? marker + 7 + kind_.size() : text_.size();
    }

    bool ok() const { return ok_; }

    // The raw value after the key, up to the line feed; none when the key is
    // missing or the raw value is not shorter than `rawLimit`.
    std::optional<std::string_view> raw(std::string_view key, size_t rawLimit = kLongestValue + 1) {
        if (!ok_) return std::nullopt;
        const size_t at = text_.find(key, pos_);
        if (at == std::string_view::npos) return fail();
        const size_t start = at + key.size();
        const size_t end = std::min(text_.find('\n', start), text_.size());
        pos_ = end;
        const std::string_view value = text_.substr(start, end - start);
        if (value.size() >= rawLimit) return fail();
        return value;
    }
    std::optional<std::string_view> value(std::string_view key, size_t rawLimit = kLongestValue + 1) {
        auto v = raw(key, rawLimit);
        if (v) return trimSpaces(*v);
        return std::nullopt;
    }
    std::optional<int64_t> number(std::string_view key) {
        auto v = value(key);
        if (!v) return std::nullopt;
        int64_t n = 0;
        const auto [ptr, ec] = std::from_chars(v->data(), v->data() + v->size(), n);
        if (ec != std::errc() || ptr == v->data()) return fail();
        return n;
    }
    std::optional<int32_t> id(std::string_view key) {
        auto n = number(key);
        if (!n || *n < INT32_MIN || *n > INT32_MAX) return fail();
        return static_cast<int32_t>(*n);
    }
    // Micro-units read as 64 bits; an amount beyond the cents we hold fails.
    std::optional<int32_t> money(std::string_view key) {
        auto n = number(key);
        if (!n) return std::nullopt;
        const int64_t cents = *n / kMicrosPerCent;
        if (cents < INT32_MIN || cents > INT32_MAX) return fail();
        return static_cast<int32_t>(cents);
    }
    std::optional<bool> flag(std::string_view key) {
        auto v = value(key);
        if (!v) return std::nullopt;
        return equalsIgnoreCase(*v, "true");
    }
    std::optional<AccountDate> date(std::string_view key) {
        auto v = value(key);
        if (!v) return std::nullopt;
        auto d = parseDate(*v);
        if (!d) return fail();
        return d;
    }

    // The end line must follow; the position stays after the last value.
    bool finish(size_t& pos) {
        if (!ok_ || text_.find("END " + kind_, pos_) == std::string_view::npos) return false;
        pos = pos_;
        return true;
    }

    std::nullopt_t fail() {
        ok_ = false;
        return std::nullopt;
    }

private:
    std::string_view text_;
    std::string kind_;
    size_t pos_ = 0;
    bool ok_ = false;
};

template <typename Record, typename Reader>
std::vector<Record> readAll(std::string_view text, Reader read) {
    std::vector<Record> records;
    size_t pos = 0;
    Record record;
    while (read(text, pos, record)) {
        records.push_back(record);
        record = Record{};
    }
    return records;
}

std::string line(std::string_view key, std::string_view value) {
    return std::string(key).append(value).append("\r\n");
}
std::string line(std::string_view key, int64_t value) { return line(key, std::to_string(value)); }
std::string flagText(bool on) { return on ? "true" : "false"; }

}  // namespace

bool readCampaignRecord(std::string_view text, size_t& pos, AccountCampaign& c) {
    RecordCursor r(text, pos, "CAMPAIGN");
    auto id = r.id("ID = ");
    auto name = r.value("Name = ");
    auto status = r.value("Status = ");
    if (status && campaignStatusFromName(*status) == CampaignStatus::Unknown) r.fail();
    auto start = r.date("StartDay = ");
    auto end = r.date("EndDay = ");
    auto budget = r.money("DailyBudget = ");
    auto geo = r.value("GeoTargeting = ");
    auto countries = geo ? parseQuotedCountries(*geo) : std::nullopt;
    if (!countries) r.fail();
    auto lang = r.value("LanguageTargeting = ");
    auto languages = lang ? parseQuotedLanguages(*lang) : std::nullopt;
    if (!languages) r.fail();
    auto google = r.flag("ShowInGoogleSearch = ");
    auto network = r.flag("ShowInNetworkSearch = ");
    auto content = r.flag("ShowInContentSearch = ");
    auto separate = r.flag("SeparateContentBids = ");
    if (!r.finish(pos)) return false;
    c.id = *id;
    c.name = std::string(*name);
    c.status = campaignStatusFromName(*status);
    c.startDate = *start;
    c.endDate = *end;
    c.dailyBudget = *budget;
    c.countries = *countries;
    c.languages = *languages;
    c.showInGoogleSearch = *google;
    c.showInNetworkSearch = *network;
    c.showInContentNetwork = *content;
    c.separateContentBids = *separate;
    return true;
}

bool readAdGroupRecord(std::string_view text, size_t& pos, AccountAdGroup& g) {
    RecordCursor r(text, pos, "ADGROUP");
    auto id = r.id("ID = ");
    auto campaignId = r.id("Campaign ID = ");
    auto name = r.value("Name = ");
    auto status = r.value("Status = ");
    if (status && adGroupStatusFromName(*status) == AdGroupStatus::Unknown) r.fail();
    auto cpc = r.money("MaxCpc = ");
    auto cpm = r.money("MaxCpm = ");
    auto contentCpc = r.money("MaxContentCpc = ");
    if (!r.finish(pos)) return false;
    g.id = *id;
    g.campaignId = *campaignId;
    g.name = std::string(*name);
    g.status = adGroupStatusFromName(*status);
    g.maxCpc = *cpc;
    g.maxCpm = *cpm;
    g.maxContentCpc = *contentCpc;
    return true;
}

bool readAdRecord(std::string_view text, size_t& pos, AccountAd& ad) {
    RecordCursor r(text, pos, "CREATIVE");
    auto id = r.id("ID = ");
    auto headline = r.value("Headline = ", AccountAd::kHeadlineSize - 1);
    auto adGroupId = r.id("AdGroupID = ");
    auto d1 = r.value("Decription1 = ", AccountAd::kDescriptionSize - 1);
    auto d2 = r.value("Decription2 = ", AccountAd::kDescriptionSize - 1);
    auto display = r.value("DisplayURL = ", AccountAd::kUrlSize - 1);
    auto destination = r.value("DestinationURL = ", AccountAd::kUrlSize - 1);
    auto deleted = r.flag("Deleted = ");
    auto approved = r.flag("Approved = ");
    if (!r.finish(pos)) return false;
    ad.id = *id;
    ad.headline = std::string(*headline);
    ad.adGroupId = *adGroupId;
    ad.description1 = std::string(*d1);
    ad.description2 = std::string(*d2);
    ad.displayUrl = std::string(*display);
    ad.destinationUrl = std::string(*destination);
    ad.deleted = *deleted;
    ad.approved = *approved;
    return true;
}

bool readKeywordRecord(std::string_view text, size_t& pos, AccountKeyword& k) {
    RecordCursor r(text, pos, "KEYWORD");
    auto keywordText = r.value("Text = ", 255);
    auto type = r.value("Type = ", 255);
    auto bid = r.money("MaxCpc = ");
    if (!r.finish(pos)) return false;
    k.text = std::string(cutWhole(*keywordText, AccountKeyword::kTextKept));
    k.matchType = matchTypeFromName(*type);
    k.bid = *bid;
    return true;
}

std::optional<CreatedAdGroup> readCreatedAdGroup(std::string_view text, size_t& pos) {
    RecordCursor r(text, pos, "CREATE_ADGROUP");
    auto id = r.id("id = ");
    auto name = r.value("name = ");
    size_t end = pos;
    if (!r.finish(end) || *id <= 0) return std::nullopt;
    pos = end;
    return CreatedAdGroup{*id, std::string(*name)};
}

std::vector<AccountCampaign> readCampaignRecords(std::string_view text) {
    return readAll<AccountCampaign>(text, readCampaignRecord);
}
std::vector<AccountAdGroup> readAdGroupRecords(std::string_view text) {
    return readAll<AccountAdGroup>(text, readAdGroupRecord);
}
std::vector<AccountAd> readAdRecords(std::string_view text) { return readAll<AccountAd>(text, readAdRecord); }
std::vector<AccountKeyword> readKeywordRecords(std::string_view text) {
    return readAll<AccountKeyword>(text, readKeywordRecord);
}
std::vector<CreatedAdGroup> readCreatedAdGroups(std::string_view text) {
    std::vector<CreatedAdGroup> groups;
    size_t pos = 0;
    while (auto g = readCreatedAdGroup(text, pos)) groups.push_back(*g);
    return groups;
}

std::string campaignRecord(const AccountCampaign& c) {
    return "DEFINE CAMPAIGN\r\n" + line("ID = ", c.id) + line("Name = ", c.name) +
           line("Status = ", campaignStatusName(c.status)) + line("StartDay = ", formatDate(c.startDate, '-')) +
           line("EndDay = ", formatDate(c.endDate, '-')) + line("DailyBudget = ", centsToMicros(c.dailyBudget)) +
           line("GeoTargeting = ", quotedCountryCodes(c.countries)) +
           line("LanguageTargeting = ", quotedLanguageCodes(c.languages)) +
           line("ShowInGoogleSearch = ", flagText(c.showInGoogleSearch)) +
           line("ShowInNetworkSearch = ", flagText(c.showInNetworkSearch)) +
           line("ShowInContentSearch = ", flagText(c.showInContentNetwork)) +
           line("SeparateContentBids = ", flagText(c.separateContentBids)) + "END CAMPAIGN\r\n";
}

std::string adGroupRecord(const AccountAdGroup& g) {
    return "DEFINE ADGROUP\r\n" + line("ID = ", g.id) + line("Campaign ID = ", g.campaignId) + line("Name = ", g.name) +
           line("Status = ", adGroupStatusName(g.status)) + line("MaxCpc = ", centsToMicros(g.maxCpc)) +
           line("MaxCpm = ", centsToMicros(g.maxCpm)) + line("MaxContentCpc = ", centsToMicros(g.maxContentCpc)) +
           "END ADGROUP\r\n";
}

std::string adRecord(const AccountAd& ad) {
    return "DEFINE CREATIVE\r\n" + line("ID = ", ad.id) + line("Headline = ", ad.headline) +
           line("AdGroupID = ", ad.adGroupId) + line("Decription1 = ", ad.description1) +
           line("Decription2 = ", ad.description2) + line("DisplayURL = ", ad.displayUrl) +
           line("DestinationURL = ", ad.destinationUrl) + line("Deleted = ", flagText(ad.deleted)) +
           line("Approved = ", flagText(ad.approved)) + "END CREATIVE\r\n";
}

std::string keywordRecord(const AccountKeyword& k) {
    return "DEFINE KEYWORD\r\n" + line("Text = ", k.text) + line("Type = ", matchTypeName(k.matchType)) +
           line("MaxCpc = ", centsToMicros(k.bid)) + "END KEYWORD\r\n";
}

std::string createdAdGroupRecord(const CreatedAdGroup& created) {
    return "DEFINE CREATE_ADGROUP\r\n" + line("id = ", created.id) + line("name = ", created.name) +
           "END CREATE_ADGROUP\r\n";
}

std::string toolErrorLine(std::string_view message) {
    return std::string(kToolErrorMarker).append(message).append("\r\n");
}

}  // namespace pw
