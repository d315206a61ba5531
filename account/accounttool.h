#pragma once
// Runs the account tool: one process per operation, started directly (never
// through a shell) in the Google folder, each watched by its own thread that
// calls the run's end callback once the tool has ended.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "account/accountentities.h"
#include "account/accountprofile.h"
#include "account/toolcommands.h"
#include "io/programfolder.h"

namespace pw {

// How the tool's process ended.
struct ToolExit {
    int exitStatus = 0;  // its exit status when it exited
    int signal = 0;      // the signal that ended it, 0 when it exited
    bool succeeded() const { return signal == 0 && exitStatus == 0; }
    bool operator==(const ToolExit&) const = default;
};
// Why a run that ended badly left no answer, as the windows show it.
std::string toolExitText(const ToolExit& exit);

// Called exactly once per run, on the run's watcher thread, with the output
// file's full path (none when the run named no output file) and how the
// process ended.
using ToolEndCallback = std::function<void(const std::optional<std::string>& outputPath, const ToolExit& exit)>;
// The reads judge a run by its output file alone.
using ToolOutputCallback = std::function<void(const std::optional<std::string>& outputPath)>;

// The tool receives its options on standard input after this flag, so that
// no password shows in the process list.
constexpr std::string_view kOptionsOnStdinFlag = "--options-on-stdin";

// The line's first word names the account tool of the program folder; no
// other program is ever started from a line.
bool isOwnToolLine(std::string_view commandLine);
// Deletes the output file, then starts the account tool of the program
// folder with the rest of the line on its standard input. False when the
// line does not name that tool or it cannot be started; the callback is then
// never called. `keptProcessId` receives the new process id. A descriptor
// given as `heldForRunFd` is inherited by the run, so that a lock on it is
// held for exactly as long as the run lives (even when this program dies).
bool startAccountTool(const ProgramFolder& folder, std::string_view commandLine, ToolEndCallback onEnd,
                      std::optional<std::string_view> outputName, int32_t& keptProcessId, int heldForRunFd = -1);
// Ends the run with that id, if it is still one of ours and still running.
// Its watcher then calls the callback as for any other end.
bool stopAccountTool(int32_t keptProcessId);

// What the tool reported: none when the file holds no "GOOGLE_API_ERROR: "
// line (or cannot be opened). Otherwise the file is deleted and the result
// is the text to show: empty when there is nothing to show (empty or 255
// characters and longer), and the ended-campaign text in place of the tool's
// own about an end date in the past.
std::optional<std::string> readToolError(const std::string& outputPath);

// Shared between the reading windows and the watcher threads.
struct FetchFlags {
    std::atomic<bool> fetchCancelled{false};
    std::atomic<bool> fetchWindowClosed{false};
    std::atomic<bool> campaignFetchRunning{false};
};
FetchFlags& fetchFlags();

// Starts one of the four reads with the profile; `campaignFetchRunning` is
// set for a campaign read, the cancel flags are cleared. Each read names an
// answer file of its own ("lad-<process>-<n>.out"), so that reads running at
// once (two windows, or the command line beside the program) never take or
// delete each other's answers.
bool startAccountRead(const ProgramFolder& folder, const AccountProfile& profile, const ReadRequest& request,
                      ToolOutputCallback onEnd, int32_t& keptProcessId);

// The window's stop button (windowClosing false), or the window closing while
// its read runs: marks the read cancelled and stops its run. The caller holds
// the commit lock, as for any stop of a run.
void cancelAccountRead(int32_t keptProcessId, bool windowClosing);

struct ReadResult {
    enum class Status {
        Cancelled,     // the user stopped it: re-enable the window
        WindowClosed,  // stopped by closing the window: nothing more to do
        ToolError,     // `errorMessage` (maybe empty) for the "Google error" box
        NoOutput,      // no output file or a short read
        Read,          // the records of the request's kind
    };
    Status status = Status::NoOutput;
    std::string errorMessage;
    std::vector<AccountCampaign> campaigns;
    std::vector<AccountAdGroup> adGroups;
    std::vector<AccountKeyword> keywords;
    std::vector<AccountAd> ads;
};
// The end callback's work for a read: checks the fetch flags and the tool
// error, reads the records and deletes the output file (whatever the end). Clears
// `campaignFetchRunning` first for a campaign read.
ReadResult finishAccountRead(AccountRead kind, const std::optional<std::string>& outputPath);

// What a window says after a read that gave no records: the tool's refusal,
// or that no answer of its own arrived (then no list is shown, never an
// empty one). None after records, a stop, or a refusal without text.
std::optional<std::string> readProblemText(const ReadResult& result);

// The fixed texts of the tool's failures as the windows show them.
constexpr std::string_view kToolStartFailedText =
    "An error occurred with one of Phrasewright's files! Please reinstall the application!";
constexpr std::string_view kToolStartFailedCaption = "File error";
constexpr std::string_view kToolErrorCaption = "Google error";
// A read that found no answer of its own: the window says so and shows no list.
constexpr std::string_view kNoAnswerText = "The account tool left no answer.";
constexpr std::string_view kCampaignEndedText = "Cannot modify campaign because it has already ended!";

}  // namespace pw
