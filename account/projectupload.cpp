#include "account/projectupload.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "account/changequeue.h"
#include "account/moneytext.h"
#include "account/toolcommands.h"
#include "core/atomicfile.h"

namespace pw {

namespace {

constexpr std::string_view kRecommendation =
    " It is recommended that you fix this before proceeding.\nDo you want to continue anyway?";

// A new file for the user alone; false when the name is taken meanwhile or
// the write fails. Not flushed one by one: an upload writes hundreds, and
// flushFolder makes them durable together before the line is queued.
bool writeNewPrivateFile(const std::string& path, std::string_view text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    bool ok = true;
    while (ok && !text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        ok = n > 0;
        if (ok) text.remove_prefix(static_cast<size_t>(n));
    }
    ok = ::close(fd) == 0 && ok;
    if (!ok) removeFile(path);
    return ok;
}

bool flushFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::syncfs(fd) == 0;
    ::close(fd);
    return ok;
}

// The first "<prefix><n>.in" in the Google folder that does not exist, n below 5000.
std::optional<std::string> freeBatchPath(const ProgramFolder& folder, const std::string& prefix) {
    for (int n = 0; n < 5000; ++n) {
        std::string path = folder.googleFolder() + "/" + prefix + std::to_string(n) + ".in";
        if (!fileExists(path)) return path;
    }
    return std::nullopt;
}

struct GroupUpload {
    AccountAdGroup adGroup;
    std::vector<AccountKeyword> keywords;
};

struct GroupFigures {
    size_t phrases = 0;
    size_t largestWordCount = 0;
    const Phrase* firstLong = nullptr;
    const Phrase* firstUnfit = nullptr;  // a text the files cannot hold
};

GroupFigures figuresOf(const Group& group) {
    GroupFigures figures;
    for (const Phrase& phrase : group.phrases) {
        if (!phrase.visible()) continue;
        ++figures.phrases;
        figures.largestWordCount = std::max(figures.largestWordCount, static_cast<size_t>(phrase.wordCount()));
        if (!figures.firstLong && characterCount(phrase.text()) >= kLongKeywordCharacters) figures.firstLong = &phrase;
        if (!figures.firstUnfit && !isUploadableText(phrase.text())) figures.firstUnfit = &phrase;
    }
    return figures;
}

MessageText warning(std::string text, std::string_view caption) {
    return {std::move(text) + std::string(kRecommendation), std::string(caption)};
}

std::optional<MessageText> refusalOf(const Group& group, const GroupFigures& figures) {
    const std::string tail = "\" holds \";\", \"/\", a tab or a line break, which the account tool cannot take. "
                             "Rename it before uploading.";
    if (!isUploadableText(group.name))
        return MessageText{"The name of the group \"" + group.name + tail, "Invalid input"};
    if (!isFaithfulName(group.name))
        return MessageText{"The name of the group \"" + group.name +
                               "\" begins or ends with a blank or holds a double quote, which the account tool would "
                               "change. Rename it before uploading.",
                           "Invalid input"};
    if (figures.firstUnfit)
        return MessageText{"Group '" + group.name + "': the phrase \"" + std::string(figures.firstUnfit->text()) + tail,
                           "Invalid input"};
    return std::nullopt;
}

AccountAdGroup adGroupFor(int32_t campaignId, const Group& group, const KeywordTypesChoice& choice) {
    AccountAdGroup adGroup;
    adGroup.campaignId = campaignId;
    adGroup.name = group.name;
    adGroup.maxCpc = choice.maxCpc;
    adGroup.maxCpm = choice.maxCpm;
    adGroup.maxContentCpc = choice.maxContentCpc;
    adGroup.status = AdGroupStatus::Enabled;
    return adGroup;
}

UploadOutcome notQueued() {
    return {UploadResult::NotQueued, {std::string(kNotQueuedText), std::string(kNotQueuedCaption)}, {}};
}

UploadOutcome queued(const ProgramFolder& folder, const CommandLine& line) {
    if (!line || !flushFolder(folder.googleFolder()) || !queueChange(folder, *line)) return notQueued();
    return {UploadResult::Queued, {std::string(kQueuedText), std::string(kQueuedCaption)}, *line};
}

std::string batchLine(const AccountAdGroup& g, const std::string& keywordFile) {
    return "-campaignID=" + std::to_string(g.campaignId) + "\t-name=" + g.name +
           "\t-maxcpc=" + std::to_string(centsToMicros(g.maxCpc)) + "\t-maxcpm=" + std::to_string(centsToMicros(g.maxCpm)) +
           "\t-maxContentCpc=" + std::to_string(centsToMicros(g.maxContentCpc)) + "\t-status=Enabled\t-keywordFile=" +
           keywordFile + "\n";
}

}  // namespace

void clickAllTypes(KeywordTypesForm& form, bool checked) {
    form.all = form.broad = form.phrase = form.exact = checked;
}

void clickKeywordType(KeywordTypesForm& form, KeywordType type, bool checked) {
    (type == KeywordType::Broad ? form.broad : type == KeywordType::Phrase ? form.phrase : form.exact) = checked;
    form.all = form.broad && form.phrase && form.exact;
}

bool canAcceptKeywordTypes(const KeywordTypesForm& form) { return form.broad || form.phrase || form.exact; }

KeywordTypesCheck checkKeywordTypes(const KeywordTypesForm& form, bool typesOnly) {
    KeywordTypesCheck check;
    check.choice.broad = form.broad;
    check.choice.phrase = form.phrase;
    check.choice.exact = form.exact;
    auto fail = [&](KeywordTypesProblem problem, KeywordTypesField field, std::string text) {
        check.problem = problem;
        check.field = field;
        check.message = {std::move(text), "Invalid input"};
        return check;
    };
    if (!canAcceptKeywordTypes(form)) return fail(KeywordTypesProblem::NoType, KeywordTypesField::MaxCpc, "");
    if (typesOnly) return check;
    const struct {
        const std::string& text;
        int32_t& cents;
        KeywordTypesField field;
        std::string_view name;
    } amounts[] = {{form.maxCpc, check.choice.maxCpc, KeywordTypesField::MaxCpc, "maxCPC"},
                   {form.maxCpm, check.choice.maxCpm, KeywordTypesField::MaxCpm, "maxCPM"},
                   {form.maxContentCpc, check.choice.maxContentCpc, KeywordTypesField::MaxContentCpc, "maxContentCPC"}};
    for (const auto& amount : amounts) {
        const auto cents = parseMoneyText(amount.text);
        if (!cents)
            return fail(KeywordTypesProblem::BadAmount, amount.field,
                        "Please enter the " + std::string(amount.name) +
                            " correctly! Don't use more than 2 decimals, enter only digits and the decimal dot!");
        amount.cents = *cents;
    }
    if (check.choice.maxCpc > 0 && check.choice.maxCpm > 0)
        return fail(KeywordTypesProblem::BothBids, KeywordTypesField::MaxCpc, "You cannot set both maxCPC and maxCPM!");
    if (check.choice.maxCpc == 0 && check.choice.maxCpm == 0)
        return fail(KeywordTypesProblem::NoBid, KeywordTypesField::MaxCpc,
                    "You must set at least one of maxCPC and maxCPM!");
    return check;
}

int32_t keywordBid(const KeywordTypesChoice& choice) { return choice.maxCpc >= 1 ? choice.maxCpc : choice.maxCpm; }

std::vector<AccountKeyword> groupKeywords(const Group& group, const KeywordTypesChoice& choice) {
    std::vector<AccountKeyword> keywords;
    const int32_t bid = keywordBid(choice);
    for (const Phrase& phrase : group.phrases) {
        if (!phrase.visible()) continue;
        const std::string text(phrase.text());
        if (choice.broad) keywords.push_back({text, MatchType::Broad, bid});
        if (choice.phrase) keywords.push_back({text, MatchType::Phrase, bid});
        if (choice.exact) keywords.push_back({text, MatchType::Exact, bid});
    }
    return keywords;
}

std::optional<std::string> writeKeywordFile(const ProgramFolder& folder, const std::vector<AccountKeyword>& keywords) {
    for (int n = 0; n < 4999; ++n) {
        std::string path = folder.googleFolder() + "/kw" + std::to_string(n) + ".key";
        if (fileExists(path)) continue;
        if (!writeNewPrivateFile(path, keywordFileText(keywords))) return std::nullopt;
        return path;
    }
    return std::nullopt;
}

UploadOutcome uploadProject(const ProgramFolder& folder, const Project& project, const AccountCampaign& campaign,
                            const AccountProfile& profile, const KeywordTypesChoice& choice,
                            const UploadWarningAnswer& answer) {
    const size_t types = static_cast<size_t>(choice.typeCount());
    bool warnedKeywords = false, warnedWords = false, warnedLength = false;
    // Every group is checked for texts the files cannot hold before any
    // warning, so that nobody answers warnings for an upload refused later.
    std::vector<GroupFigures> allFigures;
    allFigures.reserve(project.groups.size());
    for (const auto& group : project.groups) {
        allFigures.push_back(figuresOf(*group));
        if (auto refusal = refusalOf(*group, allFigures.back())) return {UploadResult::Refused, *refusal, {}};
    }
    std::vector<GroupUpload> uploads;
    uploads.reserve(project.groups.size());
    for (size_t g = 0; g < project.groups.size(); ++g) {
        const auto& group = project.groups[g];
        const GroupFigures& figures = allFigures[g];
        if (!warnedKeywords && types * figures.phrases > kMaxUploadKeywords) {
            warnedKeywords = true;
            if (!answer(UploadWarning::TooManyKeywords,
                        warning("The maximum number of keywords allowed for an ad group is 2000! Group '" + group->name +
                                    "' has " + std::to_string(types * figures.phrases) + "!",
                                "Too many keywords")))
                return {UploadResult::Aborted, {}, {}};
        }
        if (!warnedWords && figures.largestWordCount > kMaxUploadWords) {
            warnedWords = true;
            if (!answer(UploadWarning::TooManyWords,
                        warning("No more than 10 words per keyword phrase allowed! Group '" + group->name +
                                    "' has a keyword phrase with " + std::to_string(figures.largestWordCount) + " words!",
                                "Too many words")))
                return {UploadResult::Aborted, {}, {}};
        }
        if (!warnedLength && figures.firstLong) {
            warnedLength = true;
            if (!answer(UploadWarning::KeywordTooLong,
                        warning("The maximum length of a keyword is 80 characters! Group '" + group->name +
                                    "' contains a keyword of " +
                                    std::to_string(characterCount(figures.firstLong->text()) + 1) + "!",
                                "Keyword too long")))
                return {UploadResult::Aborted, {}, {}};
        }
        uploads.push_back({adGroupFor(campaign.id, *group, choice), groupKeywords(*group, choice)});
    }

    const auto batchPath = freeBatchPath(folder, std::to_string(campaign.id));
    if (!batchPath) return notQueued();
    std::string batch = "-batchAction=createAdGroupList\n";
    std::vector<std::string> written;
    for (const GroupUpload& upload : uploads) {
        const auto keywordPath = writeKeywordFile(folder, upload.keywords);
        if (!keywordPath) {
            for (const std::string& path : written) removeFile(path);
            return notQueued();
        }
        written.push_back(*keywordPath);
        batch += batchLine(upload.adGroup, *keywordPath);
    }
    batch += "-end_createAdGroupList";
    if (!writeNewPrivateFile(*batchPath, batch)) {
        for (const std::string& path : written) removeFile(path);
        return notQueued();
    }
    return queued(folder, uploadGroupsCommand(profile, *batchPath, campaign.name));
}

UploadOutcome uploadGroup(const ProgramFolder& folder, const Project& project, std::string_view groupName,
                          int32_t campaignId, const AccountProfile& profile, const KeywordTypesChoice& choice,
                          const UploadWarningAnswer& answer) {
    const Group* group = findGroup(const_cast<Project&>(project), groupName);
    if (!group) return {UploadResult::Aborted, {}, {}};
    // The name goes onto the command line in double quotes: the ad group
    // editor's words for it.
    if (group->name.find('"') != std::string::npos)
        return {UploadResult::Refused, {"Please don't use quotes in the ad group name!", "Invalid input"}, {}};
    const GroupFigures figures = figuresOf(*group);
    if (auto refusal = refusalOf(*group, figures)) return {UploadResult::Refused, *refusal, {}};
    const size_t types = static_cast<size_t>(choice.typeCount());
    if (types * figures.phrases > kMaxUploadKeywords &&
        !answer(UploadWarning::TooManyKeywords,
                warning("The maximum number of keywords allowed for an ad group is 2000!", "Too many keywords")))
        return {UploadResult::Aborted, {}, {}};
    if (figures.largestWordCount > kMaxUploadWords &&
        !answer(UploadWarning::TooManyWords,
                warning("No more than 10 words per keyword phrase allowed!", "Too many words")))
        return {UploadResult::Aborted, {}, {}};
    if (figures.firstLong &&
        !answer(UploadWarning::KeywordTooLong,
                warning("The maximum length of a keyword is 80 characters! Group '" + group->name +
                            "' contains a keyword of " + std::to_string(characterCount(figures.firstLong->text()) + 1) +
                            "!",
                        "Keyword too long")))
        return {UploadResult::Aborted, {}, {}};
    const AccountAdGroup adGroup = adGroupFor(campaignId, *group, choice);
    const auto targetPath = freeBatchPath(folder, std::to_string(campaignId) + group->name);
    if (!targetPath) return notQueued();
    const auto keywordPath = writeKeywordFile(folder, groupKeywords(*group, choice));
    if (!keywordPath) return notQueued();
    UploadOutcome outcome = queued(folder, uploadGroupCommand(profile, adGroup, *targetPath, *keywordPath));
    if (outcome.result != UploadResult::Queued) removeFile(*keywordPath);
    return outcome;
}

}  // namespace pw
