#include "account/accounttool.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <set>
#include <thread>

#include "account/accountfolder.h"
#include "account/toolcommandline.h"
#include "account/toolrecords.h"
#include "core/atomicfile.h"

extern char** environ;

namespace pw {

namespace {

// The runs still going. A run leaves the set just before its process is
// reaped, so a stop never reaches a process id the system has given away.
struct RunningTools {
    std::mutex lock;
    std::set<pid_t> ids;
};
RunningTools& runningTools() {
    static RunningTools tools;
    return tools;
}

// Where the first word of the line ends (blanks inside quotes belong to it).
size_t endOfFirstWord(std::string_view line) {
    size_t i = line.find_first_not_of(" \t");
    bool inQuotes = false;
    for (; i < line.size(); ++i) {
        if (line[i] == '"') inQuotes = !inQuotes;
        else if ((line[i] == ' ' || line[i] == '\t') && !inQuotes) break;
    }
    return std::min(i, line.size());
}

// The options as an unnamed file that is whole before the tool starts: a
// program killed just after the start cannot hand the tool half of them.
int optionsFile(std::string_view options) {
    const int fd = ::memfd_create("pwram-options", MFD_CLOEXEC);
    if (fd < 0) return -1;
    while (!options.empty()) {
        const ssize_t written = ::write(fd, options.data(), options.size());
        if (written <= 0) {
            ::close(fd);
            return -1;
        }
        options.remove_prefix(static_cast<size_t>(written));
    }
    if (::lseek(fd, 0, SEEK_SET) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A copy above the standard descriptors, so that placing it never meets itself.
int highCopy(int fd) { return fd < 0 ? -1 : ::fcntl(fd, F_DUPFD_CLOEXEC, 10); }

// The options file, above the standard descriptors.
int highOptionsFile(std::string_view options) {
    const int fd = optionsFile(options);
    const int high = highCopy(fd);
    if (fd >= 0) ::close(fd);
    return high;
}

void watchRun(pid_t pid, ToolEndCallback onEnd, std::optional<std::string> outputPath) {
    siginfo_t info{};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    ToolExit exit;
    {
        std::lock_guard guard(runningTools().lock);
        runningTools().ids.erase(pid);
        int status = 0;
        if (::waitpid(pid, &status, 0) == pid) {
            if (WIFEXITED(status)) exit.exitStatus = WEXITSTATUS(status);
            if (WIFSIGNALED(status)) exit.signal = WTERMSIG(status);
        }
    }
    try {
        onEnd(outputPath, exit);
    } catch (...) {
        // The window's callback shows its own error; an escaped one must not end the program.
    }
}

}  // namespace

bool isOwnToolLine(std::string_view commandLine) {
    const size_t start = std::min(commandLine.find_first_not_of(" \t"), commandLine.size());
    return commandLine.substr(start, endOfFirstWord(commandLine) - start) == kToolCommandPath;
}

bool startAccountTool(const ProgramFolder& folder, std::string_view commandLine, ToolEndCallback onEnd,
                      std::optional<std::string_view> outputName, int32_t& keptProcessId, int heldForRunFd) {
    if (!isOwnToolLine(commandLine) || !onEnd) return false;
    const std::string program = folder.root() + std::string(kToolCommandPath);
    const std::string options(commandLine.substr(endOfFirstWord(commandLine)));
    const std::string workingFolder = folder.googleFolder();

    std::optional<std::string> outputPath;
    if (outputName) {
        outputPath = workingFolder + "/" + std::string(*outputName);
        removeFile(*outputPath);
    }

    const int optionsFd = highOptionsFile(options);
    if (optionsFd < 0) return false;
    const int heldFd = heldForRunFd >= 0 ? highCopy(heldForRunFd) : -1;
    if (heldForRunFd >= 0 && heldFd < 0) {  // the run would not hold what it must
        ::close(optionsFd);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, optionsFd, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (heldFd >= 0) posix_spawn_file_actions_adddup2(&actions, heldFd, 3);
    posix_spawn_file_actions_addclosefrom_np(&actions, heldFd >= 0 ? 4 : 3);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());

    std::string flag(kOptionsOnStdinFlag);
    char* argv[] = {const_cast<char*>(program.c_str()), flag.data(), nullptr};
    pid_t pid = 0;
    int started = 0;
    {
        // Registered before a stop could ask for it, reaped only by its watcher.
        std::lock_guard guard(runningTools().lock);
        started = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
        if (started == 0) runningTools().ids.insert(pid);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(optionsFd);
    if (heldFd >= 0) ::close(heldFd);
    if (started != 0) return false;
    keptProcessId = static_cast<int32_t>(pid);
    std::thread(watchRun, pid, std::move(onEnd), std::move(outputPath)).detach();
    return true;
}

std::string toolExitText(const ToolExit& exit) {
    if (exit.signal != 0)
        return "The account tool stopped without an answer (ended by signal " + std::to_string(exit.signal) + ").";
    return "The account tool stopped without an answer (exit status " + std::to_string(exit.exitStatus) + ").";
}

bool stopAccountTool(int32_t keptProcessId) {
    std::lock_guard guard(runningTools().lock);
    if (!runningTools().ids.contains(static_cast<pid_t>(keptProcessId))) return false;
    return ::kill(static_cast<pid_t>(keptProcessId), SIGKILL) == 0;
}

std::optional<std::string> readToolError(const std::string& outputPath) {
    std::string text;
    if (!readWholeFile(outputPath, text)) return std::nullopt;
    const size_t marker = text.find(kToolErrorMarker);
    if (marker == std::string::npos) return std::nullopt;
    removeFile(outputPath);
    const size_t start = marker + kToolErrorMarker.size();
    const size_t lineFeed = text.find('\n', start);
    std::string message = text.substr(start, lineFeed == std::string::npos ? std::string::npos : lineFeed - start);
    if (lineFeed != std::string::npos && !message.empty() && message.back() == '\r') message.pop_back();
    if (message.size() >= 255) return std::string();
    if (message.find("Can't set the campaign end date to the past") != std::string::npos)
        return std::string(kCampaignEndedText);
    return message;
}

FetchFlags& fetchFlags() {
    static FetchFlags flags;
    return flags;
}

std::string privateReadOutputName(AccountRead kind) {
    static std::atomic<unsigned> serial{0};
    std::string name(readOutputName(kind));
    const size_t dot = name.rfind('.');
    return name.substr(0, dot) + "-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) + name.substr(dot);
}

bool startAccountRead(const ProgramFolder& folder, const AccountProfile& profile, const ReadRequest& request,
                      ToolOutputCallback onEnd, int32_t& keptProcessId) {
    const std::string outputName = privateReadOutputName(request.kind);
    const CommandLine line = readCommand(profile, request, outputName);
    if (!line || !onEnd) return false;
    FetchFlags& flags = fetchFlags();
    flags.fetchCancelled = false;
    flags.fetchWindowClosed = false;
    if (request.kind == AccountRead::Campaigns) flags.campaignFetchRunning = true;
    const bool started = startAccountTool(
        folder, *line, [onEnd = std::move(onEnd)](const std::optional<std::string>& path, const ToolExit&) { onEnd(path); },
        outputName, keptProcessId);
    if (!started && request.kind == AccountRead::Campaigns) flags.campaignFetchRunning = false;
    return started;
}

void cancelAccountRead(int32_t keptProcessId, bool windowClosing) {
    FetchFlags& flags = fetchFlags();
    flags.fetchCancelled = true;
    if (windowClosing) flags.fetchWindowClosed = true;
    stopAccountTool(keptProcessId);
}

ReadResult finishAccountRead(AccountRead kind, const std::optional<std::string>& outputPath) {
    FetchFlags& flags = fetchFlags();
    if (kind == AccountRead::Campaigns) flags.campaignFetchRunning = false;
    ReadResult result;
    if (flags.fetchCancelled) {
        if (outputPath) removeFile(*outputPath);
        result.status = flags.fetchWindowClosed ? ReadResult::Status::WindowClosed : ReadResult::Status::Cancelled;
        return result;
    }
    if (!outputPath) return result;
    if (auto error = readToolError(*outputPath)) {
        result.status = ReadResult::Status::ToolError;
        result.errorMessage = *error;
        return result;
    }
    std::string text;
    const bool read = readWholeFile(*outputPath, text);
    removeFile(*outputPath);
    if (!read) return result;
    switch (kind) {
    case AccountRead::Campaigns: result.campaigns = readCampaignRecords(text); break;
    case AccountRead::AdGroups: result.adGroups = readAdGroupRecords(text); break;
    case AccountRead::Keywords: result.keywords = readKeywordRecords(text); break;
    case AccountRead::Ads: result.ads = readAdRecords(text); break;
    }
    result.status = ReadResult::Status::Read;
    return result;
}

std::optional<std::string> readProblemText(const ReadResult& result) {
    switch (result.status) {
    case ReadResult::Status::ToolError:
        return result.errorMessage.empty() ? std::nullopt : std::optional(result.errorMessage);
    case ReadResult::Status::NoOutput: return std::string(kNoAnswerText);
    default: return std::nullopt;
    }
}

}  // namespace pw
