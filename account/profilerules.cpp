#include "account/profilerules.h"

#include <filesystem>

#include "account/accountcaches.h"
#include "account/accountfolder.h"
#include "account/accounttool.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "core/text.h"

namespace pw {

LockedCache<AccountCampaign>& campaignCache() {
    static LockedCache<AccountCampaign> cache;
    return cache;
}
LockedCache<AccountAdGroup>& adGroupCache() {
    static LockedCache<AccountAdGroup> cache;
    return cache;
}

namespace {

const std::string& fieldOf(const AccountProfile& p, ProfileField field) {
    static const std::string none;
    switch (field) {
    case ProfileField::Name: return p.name;
    case ProfileField::Email: return p.email;
    case ProfileField::Password: return p.password;
    case ProfileField::ClientEmail: return p.clientEmail;
    case ProfileField::Token: return p.token;
    case ProfileField::ProxyAddress: return p.proxyAddress;
    case ProfileField::ProxyUser: return p.proxyUser;
    case ProfileField::ProxyPassword: return p.proxyPassword;
    default: return none;
    }
}

constexpr ProfileField kTextFields[] = {ProfileField::Name,         ProfileField::Email,     ProfileField::Password,
                                        ProfileField::ClientEmail,  ProfileField::Token,     ProfileField::ProxyAddress,
                                        ProfileField::ProxyUser,    ProfileField::ProxyPassword};

// The profile list cuts file names at the first ".google": a name holding it
// would be listed as another one and could not be loaded.
bool validFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos && name.find(kProfileExtension) == std::string_view::npos;
}

}  // namespace

size_t profileFieldLimit(ProfileField field) {
    switch (field) {
    case ProfileField::Token: return AccountProfile::kTokenSize - 1;
    case ProfileField::ProxyAddress: return AccountProfile::kProxyAddressSize - 1;
    case ProfileField::ProxyPort: return 5;
    default: return 127;
    }
}

std::string_view profileFieldLabel(ProfileField field) {
    switch (field) {
    case ProfileField::Name: return "Profile name:";
    case ProfileField::Email: return "Google manager account:";
    case ProfileField::Password: return "Google manager password:";
    case ProfileField::ClientEmail: return "Google client account:";
    case ProfileField::Token: return "Google token:";
    case ProfileField::ProxyAddress: return "Proxy address:";
    case ProfileField::ProxyPort: return "Proxy port:";
    case ProfileField::ProxyUser: return "Proxy user:";
    case ProfileField::ProxyPassword: return "Proxy password:";
    }
    return {};
}

bool canSaveProfile(const AccountProfile& p) {
    return !p.name.empty() && !p.email.empty() && !p.password.empty() && !p.token.empty();
}

ProfileCheck checkProfile(const AccountProfile& p) {
    for (ProfileField field : {ProfileField::Name, ProfileField::Email, ProfileField::Password, ProfileField::Token})
        if (fieldOf(p, field).empty()) return {ProfileProblem::Missing, field};
    for (ProfileField field : kTextFields) {
        const std::string& text = fieldOf(p, field);
        // The record keeps bytes; a text must fit its field with the NUL.
        if (text.size() > profileFieldLimit(field)) return {ProfileProblem::TooLong, field};
        // The tool's values are quoted without escaping, so a quote would end one early.
        if (field != ProfileField::Name && text.find('"') != std::string::npos)
            return {ProfileProblem::DoubleQuote, field};
    }
    if (p.proxyPort < 0 || p.proxyPort > 99999) return {ProfileProblem::TooLong, ProfileField::ProxyPort};
    if (!validFileName(p.name)) return {ProfileProblem::BadFileName, ProfileField::Name};
    return {};
}

MessageText profileProblemMessage(const ProfileCheck& check) {
    const std::string label(profileFieldLabel(check.field));
    switch (check.problem) {
    case ProfileProblem::None: return {};
    case ProfileProblem::Missing:
        return {"Please fill in the field '" + label + "'!", "Invalid input"};
    case ProfileProblem::TooLong:
        return {"The field '" + label + "' may hold at most " + std::to_string(profileFieldLimit(check.field)) +
                    (check.field == ProfileField::ProxyPort ? " digits!" : " bytes!"),
                "Invalid input"};
    case ProfileProblem::DoubleQuote:
        return {"The field '" + label + "' cannot contain a double quote (\")!", "Invalid input"};
    case ProfileProblem::BadFileName:
        return {"A profile name cannot be '.' or '..' or contain '/' or '.google'!", "Invalid input"};
    case ProfileProblem::Duplicate: return profileMessage(ProfileMessage::AlreadyExists);
    }
    return {};
}

int32_t proxyPortFromText(std::string_view text) {
    const int32_t port = parseLeadingInt(text);
    return port > 0 ? port : 0;
}

std::string proxyPortText(int32_t port) { return port > 0 ? std::to_string(port) : std::string(); }

MessageText profileMessage(ProfileMessage message, std::string_view name) {
    switch (message) {
    case ProfileMessage::DefaultNotLoaded: return {"Cannot load default profile!", "Profile error"};
    case ProfileMessage::NoDefaultProfile:
        return {"Before you can manage your Google account, you must setup a default profile!",
                "Default profile not found"};
    case ProfileMessage::AlreadyExists:
        return {"This Google profile already exists! Please choose a different name!", "Duplicate profile"};
    case ProfileMessage::CouldNotLoad: return {"Could not load profile!", "Load error"};
    case ProfileMessage::ConfirmDelete:
        return {"Are you sure you want to delete Google profile '" + std::string(name) + "'?", "Confirm delete"};
    case ProfileMessage::CouldNotDelete: return {"The profile could not be deleted!", "Delete error"};
    case ProfileMessage::CouldNotRename: return {"The profile could not be renamed!", "Rename error"};
    case ProfileMessage::UploadRunning:
        return {"Cannot change the default profile while a Google upload is in progress!", "Google upload active"};
    }
    return {};
}

ProfileSaveResult createProfile(const ProgramFolder& folder, const AccountProfile& profile, ProfileCheck* check) {
    ProfileCheck result = checkProfile(profile);
    if (result.ok() && fileExists(profilePath(folder, profile.name)))
        result = {ProfileProblem::Duplicate, ProfileField::Name};
    if (check) *check = result;
    if (result.problem == ProfileProblem::Duplicate) return ProfileSaveResult::AlreadyExists;
    if (!result.ok()) return ProfileSaveResult::Invalid;
    createGoogleFolder(folder);
    return saveProfile(profile, profilePath(folder, profile.name)) ? ProfileSaveResult::Saved
                                                                    : ProfileSaveResult::WriteFailed;
}

ProfileSaveResult updateProfile(const ProgramFolder& folder, std::string_view fileName, const AccountProfile& profile,
                                ProfileCheck* check) {
    ProfileCheck result = checkProfile(profile);
    if (result.ok() && !validFileName(fileName)) result = {ProfileProblem::BadFileName, ProfileField::Name};
    if (check) *check = result;
    if (!result.ok()) return ProfileSaveResult::Invalid;
    createGoogleFolder(folder);
    return saveProfile(profile, profilePath(folder, fileName)) ? ProfileSaveResult::Saved
                                                               : ProfileSaveResult::WriteFailed;
}

bool renameProfile(const ProgramFolder& folder, std::string_view from, std::string_view to) {
    if (from == to) return true;
    if (!validFileName(from) || !validFileName(to)) return false;
    // A move onto another profile's file would silently replace that profile.
    if (fileExists(profilePath(folder, to))) return false;
    std::error_code ec;
    std::filesystem::rename(profilePath(folder, from), profilePath(folder, to), ec);
    return !ec;
}

bool deleteProfile(const ProgramFolder& folder, std::string_view fileName) {
    return validFileName(fileName) && removeFile(profilePath(folder, fileName));
}

bool isDefaultProfile(std::string_view name, std::string_view defaultName) {
    return !defaultName.empty() && equalsIgnoreCase(name, defaultName);
}

std::vector<ProfileRow> profileRows(const ProgramFolder& folder, std::string_view defaultName) {
    std::vector<ProfileRow> rows;
    for (std::string& name : listProfiles(folder)) {
        const bool isDefault = isDefaultProfile(name, defaultName);
        rows.push_back({std::move(name), isDefault});
    }
    return rows;
}

void removeLeftoverUploadFiles(const ProgramFolder& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder.googleFolder(), ec)) {
        const std::string name = entry.path().filename().string();
        const bool keywordFile = name.starts_with("kw") && name.ends_with(".key");
        const bool batchFile = name.ends_with(".in");
        if ((keywordFile || batchFile) && entry.is_regular_file(ec)) removeFile(entry.path().string());
    }
}

MessageText readStartFailedMessage(const AccountProfile& profile) {
    const ProfileCheck check = checkProfile(profile);
    if (check.problem == ProfileProblem::DoubleQuote) return profileProblemMessage(check);
    return {std::string(kToolStartFailedText), std::string(kToolStartFailedCaption)};
}

DefaultProfileResult setDefaultProfile(SettingsStore& settings, const ProgramFolder& folder, std::string_view name) {
    if (isDefaultProfile(name, settings.values().defaultProfile)) return DefaultProfileResult::AlreadyDefault;
    // Held while the queue goes: no commit can start in between.
    const std::optional<FileLock> noCommit = lockOutCommits(folder);
    if (!noCommit) return DefaultProfileResult::CommitRunning;
    // The new default is stored first: when it cannot be, the old default
    // keeps its queued changes.
    if (!settings.setDefaultProfile(name)) return DefaultProfileResult::NotStored;
    clearAccountCaches();
    writeQueuedChanges(folder, {});
    removeLeftoverUploadFiles(folder);
    return DefaultProfileResult::Changed;
}

}  // namespace pw
