#include "app/cli/accountcommands.h"

#include <future>
#include <iostream>

#include "account/accountjson.h"
#include "account/accounttool.h"
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
        if (!setDefaultProfile(settings, folder, options.name, false)) {
            io.err << "Cannot save the settings\n";
            return kFailed;
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
    std::promise<ReadResult> done;
    int32_t processId = 0;
    const bool started = startAccountRead(
        folder, *profile, request,
        [&done, kind = request.kind](const std::optional<std::string>& output) {
            done.set_value(finishAccountRead(kind, output));
        },
        processId);
    if (!started) {
        io.err << kToolStartFailedText << "\n";
        return kFailed;
    }
    const ReadResult result = done.get_future().get();
    switch (result.status) {
    case ReadResult::Status::ToolError: io.err << result.errorMessage << "\n"; return kToolRefused;
    case ReadResult::Status::Read: break;
    default: io.err << "The account tool left no answer.\n"; return kFailed;
    }
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

}  // namespace pw::cli
