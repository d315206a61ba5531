#pragma once
// The rules of the profile chooser, editor and rename dialog as engine
// functions: what may be saved, under which file name, and what setting a
// default profile drops. Windows show the messages; nothing here does.

#include <optional>
#include <string>
#include <string_view>

#include "account/accountprofile.h"
#include "io/appsettings.h"

namespace pw {

// The editor's fields, in the order they are checked.
enum class ProfileField { Name, Email, Password, ClientEmail, Token, ProxyAddress, ProxyPort, ProxyUser, ProxyPassword };

enum class ProfileProblem {
    None,
    Missing,       // name, manager account, password or token empty
    TooLong,       // over the field's limit
    DoubleQuote,   // would break the tool's quoted command-line value
    BadFileName,   // empty, ".", "..", or holding "/", a NUL or ".google"
    Duplicate,     // a profile file of that name exists
};

struct ProfileCheck {
    ProfileProblem problem = ProfileProblem::None;
    ProfileField field = ProfileField::Name;
    bool ok() const { return problem == ProfileProblem::None; }
};

struct MessageText {
    std::string text;
    std::string caption;
};

// The editor's limit for a field, in bytes of its record field less the NUL
// (the port: 5 digits).
size_t profileFieldLimit(ProfileField field);
std::string_view profileFieldLabel(ProfileField field);

// "Save" is enabled while name, manager account, password and token are all
// filled in.
bool canSaveProfile(const AccountProfile& profile);
// Checks every field of an edited profile before it is saved: required
// fields, lengths, double quotes in anything that goes onto the command line,
// and the name as a file name.
ProfileCheck checkProfile(const AccountProfile& profile);
// The message a window shows for a failed check.
MessageText profileProblemMessage(const ProfileCheck& check);

// The port as the editor reads its text: the leading digits, 0 when none.
int32_t proxyPortFromText(std::string_view text);
// Shown empty when 0 or less.
std::string proxyPortText(int32_t port);

// The fixed texts of the chooser's answers.
enum class ProfileMessage {
    DefaultNotLoaded,    // "Cannot load default profile!"
    NoDefaultProfile,    // the main window's "Manage your Google account" without a default
    AlreadyExists,
    CouldNotLoad,
    ConfirmDelete,       // with the profile name
    CouldNotDelete,
    CouldNotRename,
    UploadRunning,       // "Set default" while a commit runs: refused
};
MessageText profileMessage(ProfileMessage message, std::string_view name = {});

enum class ProfileSaveResult { Saved, Invalid, AlreadyExists, WriteFailed };
// Creating a profile: checks it, creates the Google folder, refuses an
// existing file and writes the record under the entered name.
ProfileSaveResult createProfile(const ProgramFolder& folder, const AccountProfile& profile, ProfileCheck* check = nullptr);
// Editing: writes the record back to the file it was loaded from.
ProfileSaveResult updateProfile(const ProgramFolder& folder, std::string_view fileName, const AccountProfile& profile,
                                ProfileCheck* check = nullptr);
// Moves the file; the record's own name field and the default stay. Refused
// when a profile of the new name exists, which the move would replace.
bool renameProfile(const ProgramFolder& folder, std::string_view from, std::string_view to);
bool deleteProfile(const ProgramFolder& folder, std::string_view fileName);

// The chooser's "Default" column: the name equals the default without regard to case.
bool isDefaultProfile(std::string_view name, std::string_view defaultName);

// The chooser's rows: every profile file's name and whether it is the default.
struct ProfileRow {
    std::string name;
    bool isDefault = false;
    bool operator==(const ProfileRow&) const = default;
};
std::vector<ProfileRow> profileRows(const ProgramFolder& folder, std::string_view defaultName);

// Why a read of the account could not start, as a window says it: a profile
// whose values cannot go onto the tool's command line (a double quote put
// into its file by hand) names the field; anything else is a file error.
MessageText readStartFailedMessage(const AccountProfile& profile);

// Changing the default drops what belonged to the former one: the change
// queue, the account caches and the leftover keyword and batch files; then
// the settings record gets the name. Naming the default again changes
// nothing, and nothing changes while a commit runs in any process on the
// folder (it belongs to the current default and puts its lines back).
enum class DefaultProfileResult { Changed, AlreadyDefault, CommitRunning, NotStored };
DefaultProfileResult setDefaultProfile(SettingsStore& settings, const ProgramFolder& folder, std::string_view name);
// Deletes "kw*.key" and "*.in" in the Google folder.
void removeLeftoverUploadFiles(const ProgramFolder& folder);

// Where the token button sends the user; a setting of this program.
constexpr std::string_view kTokenRequestPage = "https://ads.example.com/apply-for-developer-token";

}  // namespace pw
