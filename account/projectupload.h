#pragma once
// Uploading project groups into a campaign: every visible phrase of a group
// becomes one keyword per chosen match type, all with one bid. Nothing is
// sent: the upload writes keyword files and an ad group batch file and
// queues one "-parent" change; its commit creates the groups and then
// uploads their current ads. The project is only read.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "account/accountentities.h"
#include "account/accountprofile.h"
#include "account/profilerules.h"
#include "core/project.h"
#include "io/programfolder.h"

namespace pw {

// The chooser "Set default properties" as its fields hold it.
struct KeywordTypesForm {
    std::string maxCpc = "0.01";
    std::string maxCpm = "0.00";
    std::string maxContentCpc = "0.00";
    bool all = false;
    bool broad = false;
    bool phrase = false;
    bool exact = false;
};
// "All" sets the three; unchecking a type unchecks "All", checking the last
// unchecked one checks it.
void clickAllTypes(KeywordTypesForm& form, bool checked);
enum class KeywordType { Broad, Phrase, Exact };
void clickKeywordType(KeywordTypesForm& form, KeywordType type, bool checked);
// "OK" is enabled while a type is checked.
bool canAcceptKeywordTypes(const KeywordTypesForm& form);

// What the chooser returns (bids in cents).
struct KeywordTypesChoice {
    int32_t maxCpc = 0;
    int32_t maxCpm = 0;
    int32_t maxContentCpc = 0;
    bool broad = false;
    bool phrase = false;
    bool exact = false;
    int typeCount() const { return int(broad) + int(phrase) + int(exact); }
};

enum class KeywordTypesField { MaxCpc, MaxCpm, MaxContentCpc };
enum class KeywordTypesProblem { None, BadAmount, BothBids, NoBid, NoType };
struct KeywordTypesCheck {
    KeywordTypesProblem problem = KeywordTypesProblem::None;
    KeywordTypesField field = KeywordTypesField::MaxCpc;  // where the focus goes, text selected
    KeywordTypesChoice choice;
    MessageText message;  // caption "Invalid input", warning icon
    bool ok() const { return problem == KeywordTypesProblem::None; }
};
// "OK": in types-only mode only the types count; in full mode the three
// amounts are read as money and exactly one of max CPC and max CPM is set.
KeywordTypesCheck checkKeywordTypes(const KeywordTypesForm& form, bool typesOnly);

// Every keyword gets max CPC when it is at least a cent, else max CPM.
int32_t keywordBid(const KeywordTypesChoice& choice);
// The visible phrases of the group, one keyword per checked type (broad,
// phrase, exact), each with the bid.
std::vector<AccountKeyword> groupKeywords(const Group& group, const KeywordTypesChoice& choice);

// Writes "Google/kw<n>.key" with the first free n below 4999; the path, or
// none when no name is free or the file cannot be written. The file is made
// durable when the upload's line is queued.
std::optional<std::string> writeKeywordFile(const ProgramFolder& folder, const std::vector<AccountKeyword>& keywords);

// The warnings an upload may show, each at most once per upload. The caller
// answers: true goes on ("Yes"), false aborts ("No").
enum class UploadWarning { TooManyKeywords, TooManyWords, KeywordTooLong };
using UploadWarningAnswer = std::function<bool(UploadWarning, const MessageText&)>;
constexpr size_t kMaxUploadKeywords = 2000;
constexpr size_t kMaxUploadWords = 10;
constexpr size_t kLongKeywordCharacters = 80;

enum class UploadResult {
    Queued,        // "Action queued and ready to commit!"
    Aborted,       // a warning answered No, or no such group: nothing written
    Refused,       // a group name or phrase the files cannot hold: `message`
    NotQueued,     // no free file name, a file not written, or the queue not written
};
struct UploadOutcome {
    UploadResult result = UploadResult::NotQueued;
    MessageText message;  // what the window shows (not for Aborted)
    std::string line;     // the queued line
};

// The whole project into the campaign, groups in project order.
UploadOutcome uploadProject(const ProgramFolder& folder, const Project& project, const AccountCampaign& campaign,
                            const AccountProfile& profile, const KeywordTypesChoice& choice,
                            const UploadWarningAnswer& answer);
// One project group into the campaign of the ad group manager.
UploadOutcome uploadGroup(const ProgramFolder& folder, const Project& project, std::string_view groupName,
                          int32_t campaignId, const AccountProfile& profile, const KeywordTypesChoice& choice,
                          const UploadWarningAnswer& answer);

constexpr std::string_view kConfirmProjectUploadText =
    "This will export all the ad groups in your current project into the current campaign!\nAre you sure you want to "
    "proceed?";
constexpr std::string_view kConfirmProjectUploadCaption = "Confirm project export";

}  // namespace pw
