#include "app/cli/accountcommands.h"

#include <ctime>
#include <future>
#include <iostream>

#include "account/accountjson.h"
#include "account/accounttool.h"
#include "account/campaignrules.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "account/projectupload.h"
#include "core/projectfile.h"
#include "account/profilerules.h"
#include "account/toolinstall.h"

namespace pw::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kFailed = 1;
constexpr int kNoProfile = 2;
constexpr int kToolRefused = 3;

ProgramFolder folderFor(const std::string& dataDir) {
    ProgramFolder folder = ProgramFolder::standard(dataDir);
    createFolder(folder.root());
    createFolder(folder.programSubfolder());
    return folder;
}

// Puts the tool into the Google folder, as the program does at start-up.
ProgramFolder accountFolder(const std::string& dataDir) {
    ProgramFolder folder = folderFor(dataDir);
    installAccountTool(folder, builtAccountToolPath());
    return folder;
}

// The account commands that touch the queue first put back what a commit
// that did not end left behind, and say so.
ProgramFolder queueFolder(const Streams& io, const std::string& dataDir) {
    ProgramFolder folder = accountFolder(dataDir);
    const std::string message = commitRecoveryMessage(recoverInterruptedCommit(folder));
    if (!message.empty()) io.err << message << "\n";
    return folder;
}

std::optional<AccountProfile> defaultProfile(const Streams& io, const ProgramFolder& folder) {
    auto profile = loadDefaultProfile(folder, SettingsStore(folder).values().defaultProfile);
    if (!profile) io.err << profileMessage(ProfileMessage::DefaultNotLoaded).text << "\n";
    return profile;
}

// Runs a read and waits for its end.
ReadResult readNow(const ProgramFolder& folder, const AccountProfile& profile, const ReadRequest& request,
                   bool& started) {
    std::promise<ReadResult> done;
    int32_t processId = 0;
    started = startAccountRead(
        folder, profile, request,
        [&done, kind = request.kind](const std::optional<std::string>& output) {
            done.set_value(finishAccountRead(kind, output));
        },
        processId);
    if (!started) return {};
    return done.get_future().get();
}

// Why a read gave no records, said on the error stream; 0 when it gave them.
int readFailure(const Streams& io, const AccountProfile& profile, bool started, const ReadResult& result) {
    if (!started) {
        io.err << readStartFailedMessage(profile).text << "\n";
        return kFailed;
    }
    switch (result.status) {
    case ReadResult::Status::ToolError: io.err << result.errorMessage << "\n"; return kToolRefused;
    case ReadResult::Status::Read: return 0;
    default: io.err << kNoAnswerText << "\n"; return kFailed;
    }
}

// The project an upload reads, or the window's words for why it cannot be loaded.
bool openProject(const Streams& io, const std::string& path, Project& project) {
    project.path = path;
    const LoadCode code = loadProject(project);
    if (code == LoadCode::Loaded) return true;
    io.err << loadMessage(code).text << "\n";
    return false;
}

AccountDate todayUtc(int yearsAhead = 0) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    if (yearsAhead) return {31, 12, utc.tm_year + 1900 + yearsAhead};
    return {utc.tm_mday, utc.tm_mon + 1, utc.tm_year + 1900};
}

}  // namespace

int accountProfile(const Streams& io, const std::string& dataDir, const ProfileOptions& options) {
    const ProgramFolder folder = accountFolder(dataDir);
    const std::string path = profilePath(folder, options.name);
    const std::optional<AccountProfile> existing = fileExists(path) ? loadProfile(path) : std::nullopt;
    AccountProfile profile = existing.value_or(AccountProfile{});
    profile.name = existing ? profile.name : options.name;
    profile.email = options.email;
    profile.password = options.password;
    if (options.password == "-" && !std::getline(std::cin, profile.password)) profile.password.clear();
    profile.token = options.token;
    if (options.clientEmail) profile.clientEmail = *options.clientEmail;

    ProfileCheck check;
    const ProfileSaveResult result = existing ? updateProfile(folder, options.name, profile, &check)
                                              : createProfile(folder, profile, &check);
    if (result == ProfileSaveResult::Invalid || result == ProfileSaveResult::AlreadyExists) {
        io.err << profileProblemMessage(check).text << "\n";
        return kFailed;
    }
    if (result == ProfileSaveResult::WriteFailed) {
        io.err << "Cannot save the profile " << path << "\n";
        return kFailed;
    }
    if (options.makeDefault) {
        SettingsStore settings(folder);
        switch (setDefaultProfile(settings, folder, options.name)) {
        case DefaultProfileResult::Changed:
        case DefaultProfileResult::AlreadyDefault: break;
        case DefaultProfileResult::CommitRunning:
            io.err << profileMessage(ProfileMessage::UploadRunning).text << "\n";
            return kFailed;
        case DefaultProfileResult::NotStored: io.err << "Cannot save the settings\n"; return kFailed;
        }
    }
    io.out << (existing ? "Updated" : "Created") << " profile '" << options.name << "'"
           << (options.makeDefault ? " (default)" : "") << "\n";
    return 0;
}

int accountProfiles(const Streams& io, const std::string& dataDir) {
    const ProgramFolder folder = folderFor(dataDir);
    const std::string defaultName = SettingsStore(folder).values().defaultProfile;
    Json profiles = Json::array();
    for (const std::string& name : listProfiles(folder)) {
        const auto profile = loadProfile(profilePath(folder, name));
        Json row{{"profile", name}, {"default", isDefaultProfile(name, defaultName)}};
        if (profile) row["record"] = toJson(*profile);
        profiles.push_back(std::move(row));
    }
    io.out << profiles.dump(2) << "\n";
    return 0;
}

int accountRead(const Streams& io, const std::string& dataDir, const ReadRequest& request) {
    const ProgramFolder folder = accountFolder(dataDir);
    const auto profile = loadDefaultProfile(folder, SettingsStore(folder).values().defaultProfile);
    if (!profile) {
        io.err << profileMessage(ProfileMessage::DefaultNotLoaded).text << "\n";
        return kNoProfile;
    }
    bool started = false;
    const ReadResult result = readNow(folder, *profile, request, started);
    if (const int failed = readFailure(io, *profile, started, result)) return failed;
    Json records;
    switch (request.kind) {
    case AccountRead::Campaigns: records = toJsonArray(result.campaigns); break;
    case AccountRead::AdGroups: records = toJsonArray(result.adGroups); break;
    case AccountRead::Keywords: records = toJsonArray(result.keywords); break;
    case AccountRead::Ads: records = toJsonArray(result.ads); break;
    }
    io.out << records.dump(2) << "\n";
    return 0;
}

int accountQueue(const Streams& io, const std::string& dataDir) {
    const ProgramFolder folder = queueFolder(io, dataDir);
    Json rows = Json::array();
    for (const ChangeRow& row : changeRows(readQueuedChanges(folder)))
        rows.push_back({{"action", row.action}, {"target", row.target}, {"failed", row.failed}});
    io.out << rows.dump(2) << "\n";
    return 0;
}

int accountUpload(const Streams& io, const std::string& dataDir, const UploadOptions& options) {
    const ProgramFolder folder = queueFolder(io, dataDir);
    KeywordTypesForm form;
    form.maxCpc = options.maxCpc;
    form.maxCpm = options.maxCpm;
    form.maxContentCpc = options.maxContentCpc;
    for (const std::string& type : options.types) {
        if (type == "broad") form.broad = true;
        else if (type == "phrase") form.phrase = true;
        else if (type == "exact") form.exact = true;
        else {
            io.err << "Unknown keyword type '" << type << "' (broad, phrase, exact)\n";
            return kFailed;
        }
    }
    const KeywordTypesCheck check = checkKeywordTypes(form, false);
    if (!check.ok()) {
        io.err << (check.message.text.empty() ? "Choose at least one keyword type." : check.message.text) << "\n";
        return kFailed;
    }
    Project project;
    if (!openProject(io, options.project, project)) return kFailed;
    const auto profile = defaultProfile(io, folder);
    if (!profile) return kNoProfile;
    // The campaign's name goes onto the line; the account says which it is.
    bool started = false;
    const ReadResult campaigns = readNow(folder, *profile, {AccountRead::Campaigns}, started);
    // Only a read that gave the list can say a campaign is missing.
    if (const int failed = readFailure(io, *profile, started, campaigns)) return failed;
    const auto campaign = std::find_if(campaigns.campaigns.begin(), campaigns.campaigns.end(),
                                       [&](const AccountCampaign& c) { return c.id == options.campaignId; });
    if (campaign == campaigns.campaigns.end()) {
        io.err << "There is no campaign with the id " << options.campaignId << "\n";
        return kFailed;
    }
    const UploadOutcome outcome =
        uploadProject(folder, project, *campaign, *profile, check.choice, [&](UploadWarning, const MessageText& m) {
            io.err << m.caption << ": " << m.text << (options.yes ? " -- yes (--yes)\n" : "\n");
            return options.yes;
        });
    switch (outcome.result) {
    case UploadResult::Queued: io.out << outcome.message.text << "\n"; return 0;
    case UploadResult::Aborted: io.err << "Nothing was queued (add --yes to upload anyway).\n"; return kFailed;
    default: io.err << outcome.message.text << "\n"; return kFailed;
    }
}

int accountCreateCampaign(const Streams& io, const std::string& dataDir, const CampaignOptions& options) {
    const ProgramFolder folder = queueFolder(io, dataDir);
    CampaignForm form;
    form.name = options.name;
    form.status = campaignStatusFromName(options.status);
    form.dailyBudget = options.dailyBudget;
    const auto start = options.start.empty() ? std::optional(todayUtc()) : parseDate(options.start);
    const auto end = options.end.empty() ? std::optional(todayUtc(1)) : parseDate(options.end);
    if (!start || !end || !isValidDate(*start) || !isValidDate(*end)) {
        io.err << "Dates are written YYYY/MM/DD\n";
        return kFailed;
    }
    form.startDate = *start;
    form.endDate = *end;
    const CampaignCheck check = checkCampaignForm(form);
    if (!check.ok()) {
        io.err << campaignProblemMessage(check.problem).text << "\n";
        return kFailed;
    }
    const auto profile = defaultProfile(io, folder);
    if (!profile) return kNoProfile;
    AccountCampaign campaign;
    campaign.showInGoogleSearch = true;
    applyCampaignForm(form, check, campaign);
    const CommandLine line = createCampaignCommand(*profile, campaign);
    if (!line || !queueChange(folder, *line)) {
        io.err << kNotQueuedText << "\n";
        return kFailed;
    }
    io.out << kQueuedText << "\n";
    return 0;
}

int accountCommit(const Streams& io, const std::string& dataDir, bool all, const std::string& projectPath) {
    const ProgramFolder folder = queueFolder(io, dataDir);
    const auto profile = defaultProfile(io, folder);
    if (!profile) return kNoProfile;
    // The queue is read when the commit holds its lock, never before: a
    // commit running meanwhile takes its lines out first.
    CommitRequest request{folder, {}, profile, {}, all ? ChangeChoice::EveryQueued : ChangeChoice::NotFailed};
    if (!projectPath.empty()) {
        Project project;
        if (!openProject(io, projectPath, project)) return kFailed;
        request.currentAds = currentAdsOf(project);
    }
    switch (startCommit(std::move(request))) {
    case CommitStart::Started: break;
    case CommitStart::NothingChosen: io.out << "Nothing to commit.\n"; return 0;
    case CommitStart::ToolNotStarted: io.err << kToolStartFailedText << "\n"; return kFailed;
    case CommitStart::QueueNotWritten: io.err << kClearFailedText << "\n"; return kFailed;
    case CommitStart::AlreadyRunning: io.err << kCommitAlreadyRunningText << "\n"; return kFailed;
    default: return kFailed;
    }
    std::string shown;
    while (!waitForCommitEnd(std::chrono::milliseconds(100))) {
        const CommitStatus status = commitStatus();
        const std::string text = "[" + std::to_string(status.done + 1) + "/" +
                                 std::to_string(status.done + status.remaining) + "] " + commitStatusLine(status);
        if (text != shown) io.out << (shown = text) << "\n" << std::flush;
    }
    const CommitStatus status = commitStatus();
    io.out << "Committed " << status.done << " change" << (status.done == 1 ? "" : "s") << ".\n";
    if (status.failed == 0 && status.lastError.empty()) return 0;
    io.err << status.lastError << "\n";
    return kToolRefused;
}

int accountClear(const Streams& io, const std::string& dataDir) {
    const ProgramFolder folder = queueFolder(io, dataDir);
    if (clearChanges(folder, readQueuedChanges(folder)) != ClearResult::Cleared) {
        io.err << kClearFailedText << "\n";
        return kFailed;
    }
    hasUncommittedChanges(folder);  // drops the keyword and batch files left behind
    io.out << kClearedText << "\n";
    return 0;
}

}  // namespace pw::cli
