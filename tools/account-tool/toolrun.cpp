#include "tools/account-tool/toolrun.h"

#include <charconv>

#include "account/geotargets.h"
#include "account/toolrecords.h"
#include "core/atomicfile.h"
#include "core/text.h"

namespace pw::tool {

namespace {

[[noreturn]] void refuse(const std::string& message) { throw ServiceRefusal(message); }

bool flagValue(std::string_view value) { return equalsIgnoreCase(trimSpaces(value), "true"); }

int32_t centsOf(const ToolOptions& o, std::string_view name) {
    const int64_t micros = o.number(name);
    if (micros < INT32_MIN * kMicrosPerCent || micros > INT32_MAX * kMicrosPerCent)
        refuse("The value of -" + std::string(name) + " is out of range");
    return microsToCents(micros);
}

AccountDate dateOf(const ToolOptions& o, std::string_view name) {
    auto date = parseDate(o.text(name));
    if (!date) refuse("The value of -" + std::string(name) + " is not a valid date");
    return *date;
}

// Applies every campaign option given; the others keep the record's values.
void applyCampaignOptions(const ToolOptions& o, AccountCampaign& c) {
    if (auto name = o.optionalText("name")) c.name = *name;
    if (auto status = o.optionalText("status")) {
        c.status = campaignStatusFromName(*status);
        if (c.status == CampaignStatus::Unknown) refuse("Unknown campaign status '" + *status + "'");
    }
    if (o.has("startDate")) c.startDate = dateOf(o, "startDate");
    if (o.has("endDate")) c.endDate = dateOf(o, "endDate");
    if (o.has("dailyBudget")) c.dailyBudget = centsOf(o, "dailyBudget");
    if (auto countries = o.optionalText("countries")) {
        auto flags = parseCountryCodeList(*countries);
        if (!flags) refuse("Unknown country code in -countries");
        c.countries = *flags;
    }
    if (auto languages = o.optionalText("languages")) {
        auto flags = parseLanguageCodeList(*languages);
        if (!flags) refuse("Unknown language code in -languages");
        c.languages = *flags;
    }
    if (auto v = o.optionalText("ShowInGoogleSearch")) c.showInGoogleSearch = flagValue(*v);
    if (auto v = o.optionalText("ShowInNetworkSearch")) c.showInNetworkSearch = flagValue(*v);
    if (auto v = o.optionalText("ShowInContentSearch")) c.showInContentNetwork = flagValue(*v);
    if (auto v = o.optionalText("SeparateContentBids")) c.separateContentBids = flagValue(*v);
}

void applyAdGroupOptions(const ToolOptions& o, AccountAdGroup& g) {
    if (auto name = o.optionalText("name")) g.name = *name;
    if (o.has("maxCpc")) g.maxCpc = centsOf(o, "maxCpc");
    if (o.has("maxCpm")) g.maxCpm = centsOf(o, "maxCpm");
    if (o.has("maxContentCpc")) g.maxContentCpc = centsOf(o, "maxContentCpc");
    if (auto status = o.optionalText("status")) {
        g.status = adGroupStatusFromName(*status);
        if (g.status == AdGroupStatus::Unknown) refuse("Unknown ad group status '" + *status + "'");
    }
}

void applyAdOptions(const ToolOptions& o, AccountAd& ad) {
    if (o.has("adGroupID")) ad.adGroupId = o.id("adGroupID");
    if (auto v = o.optionalText("headline")) ad.headline = *v;
    if (auto v = o.optionalText("descr1")) ad.description1 = *v;
    if (auto v = o.optionalText("descr2")) ad.description2 = *v;
    if (auto v = o.optionalText("displayURL")) ad.displayUrl = *v;
    if (auto v = o.optionalText("destURL")) ad.destinationUrl = *v;
    if (auto v = o.optionalText("approved")) ad.approved = flagValue(*v);
}

std::string readNamedFile(std::string_view what, const std::string& path) {
    std::string text;
    if (path.empty() || !readWholeFile(path, text)) refuse("Cannot read the " + std::string(what) + " '" + path + "'");
    return text;
}

std::vector<AccountKeyword> readKeywordFile(const std::string& path) {
    auto keywords = parseKeywordFileText(readNamedFile("keyword file", path));
    if (!keywords) refuse("The keyword file '" + path + "' is malformed or truncated");
    return *keywords;
}

// The lines of a batch file between its first line and its end line; every
// line's tab-separated options. Refuses a file whose first or last line is
// not the expected one.
std::vector<ToolOptions> readBatchFile(const std::string& path, std::string_view action);

// Runs `step` for every line of the batch file; a refusal names the line.
template <typename Step>
void forEachBatchLine(const std::string& path, std::string_view action, Step step) {
    const std::vector<ToolOptions> lines = readBatchFile(path, action);
    for (size_t i = 0; i < lines.size(); ++i) {
        try {
            lines[i].requireWellFormed();
            step(lines[i]);
        } catch (const ServiceRefusal& e) {
            refuse("Line " + std::to_string(i + 2) + " of the batch file '" + path + "': " + e.what());
        }
    }
}

std::vector<ToolOptions> readBatchFile(const std::string& path, std::string_view action) {
    const std::string text = readNamedFile("batch file", path);
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!line.empty()) lines.push_back(line);
        start = end + 1;
    }
    const std::string first = "-batchAction=" + std::string(action);
    const std::string last = "-end_" + std::string(action);
    if (lines.empty() || lines.front() != first) refuse("The batch file '" + path + "' does not start with " + first);
    if (lines.size() < 2 || lines.back() != last) refuse("The batch file '" + path + "' is truncated: " + last + " is missing");
    std::vector<ToolOptions> entries;
    for (size_t i = 1; i + 1 < lines.size(); ++i) {
        std::vector<std::string> words;
        for (std::string_view word : splitAny(lines[i], "\t")) words.emplace_back(word);
        entries.push_back(ToolOptions::parse(words));
    }
    return entries;
}

AccountAdGroup createGroup(const ToolOptions& o, int32_t campaignId, AccountService& service) {
    AccountAdGroup g;
    g.campaignId = campaignId;
    o.text("name");
    applyAdGroupOptions(o, g);
    g = service.createAdGroup(g);
    if (auto file = o.optionalText("keywordFile")) service.setKeywords(g.id, readKeywordFile(*file));
    return g;
}

AccountAd createAdFrom(const ToolOptions& o, AccountService& service) {
    AccountAd ad;
    o.id("adGroupID");
    o.text("headline");
    applyAdOptions(o, ad);
    return service.createAd(ad);
}

std::string uploadGroups(const ToolOptions& o, AccountService& service) {
    std::string out;
    forEachBatchLine(o.text("inFile"), "createAdGroupList", [&](const ToolOptions& line) {
        const AccountAdGroup g = createGroup(line, line.id("campaignID"), service);
        out += createdAdGroupRecord({g.id, g.name});
    });
    return out;
}

std::string uploadAds(const ToolOptions& o, AccountService& service) {
    std::string out;
    forEachBatchLine(o.text("inFile"), "createCreativeList",
                     [&](const ToolOptions& line) { out += adRecord(createAdFrom(line, service)); });
    return out;
}

template <typename Entity, typename Writer>
std::string records(const std::vector<Entity>& entities, Writer write) {
    std::string out;
    for (const Entity& e : entities) out += write(e);
    return out;
}

std::string runNamedAction(const ToolOptions& o, AccountService& service) {
    const std::string& action = o.text("action");
    if (action == "listCampaigns") return records(service.listCampaigns(), campaignRecord);
    if (action == "listAdGroups") return records(service.listAdGroups(o.id("campaignID")), adGroupRecord);
    if (action == "listKeywords") {
        const int32_t groupId = o.id("adGroupID");
        const auto group = service.findAdGroup(groupId);
        if (!group || group->campaignId != o.id("campaignID"))
            refuse("There is no ad group with the id " + std::to_string(groupId) + " in the campaign " +
                   std::to_string(o.id("campaignID")));
        return records(service.listKeywords(groupId), keywordRecord);
    }
    if (action == "listCreatives") return records(service.listAds(o.id("adGroupID")), adRecord);

    if (action == "createCampaign") {
        AccountCampaign c;
        c.countries.fill(true);
        c.languages.fill(true);
        for (const char* required : {"name", "startDate", "endDate", "dailyBudget"}) o.text(required);
        applyCampaignOptions(o, c);
        return campaignRecord(service.createCampaign(c));
    }
    if (action == "modifyCampaign") {
        const int32_t id = o.id("id");
        auto c = service.findCampaign(id);
        if (!c) refuse("There is no campaign with the id " + std::to_string(id));
        applyCampaignOptions(o, *c);
        return campaignRecord(service.modifyCampaign(*c));
    }
    if (action == "createAdGroup") {
        const AccountAdGroup g = createGroup(o, o.id("campaignID"), service);
        return createdAdGroupRecord({g.id, g.name});
    }
    if (action == "modifyAdGroup") {
        const int32_t id = o.id("id");
        auto g = service.findAdGroup(id);
        if (!g) refuse("There is no ad group with the id " + std::to_string(id));
        const int32_t campaignId = o.id("campaignID");
        if (g->campaignId != campaignId)
            refuse("The ad group " + std::to_string(id) + " does not belong to the campaign " +
                   std::to_string(campaignId));
        applyAdGroupOptions(o, *g);
        *g = service.modifyAdGroup(*g);
        if (auto file = o.optionalText("keywordFile")) service.setKeywords(id, readKeywordFile(*file));
        return adGroupRecord(*g);
    }
    if (action == "createCreative") return adRecord(createAdFrom(o, service));
    if (action == "modifyCreative" || action == "deleteCreative") {
        const int32_t id = o.id("id");
        auto ad = service.findAd(id);
        if (!ad) refuse("There is no ad with the id " + std::to_string(id));
        if (action == "deleteCreative") {
            if (ad->adGroupId != o.id("adGroupID"))
                refuse("The ad " + std::to_string(id) + " does not belong to the ad group " +
                       std::to_string(o.id("adGroupID")));
            ad->deleted = true;
        } else {
            applyAdOptions(o, *ad);
        }
        return adRecord(service.modifyAd(*ad));
    }
    refuse("Unknown action '" + action + "'");
}

}  // namespace

ToolOptions ToolOptions::parse(const std::vector<std::string>& words) {
    ToolOptions options;
    for (const std::string& word : words) {
        if (word.empty() || word[0] != '-') continue;
        auto option = parseToolOption(word);
        if (option) options.options_[foldedCopy(option->name)] = std::move(*option);
        else options.malformed_.push_back(word);
    }
    return options;
}

void ToolOptions::requireWellFormed() const {
    if (!malformed_.empty()) refuse("Malformed option: " + malformed_.front());
}

const ToolOption* ToolOptions::find(std::string_view name) const {
    const auto it = options_.find(foldedCopy(name));
    return it == options_.end() ? nullptr : &it->second;
}

bool ToolOptions::has(std::string_view name) const { return find(name) != nullptr; }

const std::string& ToolOptions::text(std::string_view name) const {
    const ToolOption* option = find(name);
    if (!option) refuse("The option -" + std::string(name) + " is missing");
    if (!option->hasValue) refuse("The option -" + std::string(name) + " has no value");
    return option->value;
}

std::optional<std::string> ToolOptions::optionalText(std::string_view name) const {
    if (!has(name)) return std::nullopt;
    return text(name);
}

int64_t ToolOptions::number(std::string_view name) const {
    const std::string_view value = trimSpaces(text(name));
    int64_t n = 0;
    const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (value.empty() || ec != std::errc() || ptr != value.data() + value.size())
        refuse("The value of -" + std::string(name) + " is not a whole number");
    return n;
}

int32_t ToolOptions::id(std::string_view name) const {
    const int64_t n = number(name);
    if (n < 1 || n > INT32_MAX) refuse("The value of -" + std::string(name) + " is not a valid id");
    return static_cast<int32_t>(n);
}

std::string runAction(const ToolOptions& o, AccountService& service) {
    o.requireWellFormed();
    service.login({o.text("email"), o.text("password"), o.text("token"), o.optionalText("clientEmail").value_or("")});
    if (auto todo = o.optionalText("todo")) {
        if (*todo == "UploadGroups") return uploadGroups(o, service);
        if (*todo == "UploadAds") return uploadAds(o, service);
        refuse("Unknown batch action '" + *todo + "'");
    }
    return runNamedAction(o, service);
}

}  // namespace pw::tool
