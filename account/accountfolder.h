#pragma once
// The files of the Google folder under the program folder: the tool, its
// output files, the change queue, and the keyword and batch files of uploads.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <string_view>

#include "core/atomicfile.h"
#include "io/programfolder.h"

namespace pw {

// The tool as command lines name it, relative to the program folder.
constexpr std::string_view kToolCommandPath = "Google/pwram";
constexpr std::string_view kToolFileName = "pwram";

constexpr std::string_view kCampaignListOutput = "lc.out";
constexpr std::string_view kAccountListOutput = "lad.out";
constexpr std::string_view kChangeOutput = "pwr_ga.out";
constexpr std::string_view kChangeQueueFile = "google.queue";
// Lock files shared by every process on the folder (the program and the
// command line): one commit at a time, one rewrite of the queue at a time.
constexpr std::string_view kCommitLockFile = "google.commit.lock";
constexpr std::string_view kQueueLockFile = "google.queue.lock";
// Locked by the running change's tool itself for as long as it lives.
constexpr std::string_view kRunLockFile = "google.run.lock";

inline std::string googleFile(const ProgramFolder& folder, std::string_view name) {
    return folder.googleFolder() + "/" + std::string(name);
}

// Files that hold the account password or the account's data (the queue,
// the commit file, keyword and batch files): written whole, replaced
// atomically, readable by the user alone. The file is made the user's alone
// before it is replaced (the replacement keeps that mode), never through the
// process-wide umask, which other threads' files would catch.
inline bool writePrivateFile(const std::string& path, std::string_view text) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const bool created = fd >= 0;
    if (created) ::close(fd);
    else if (::chmod(path.c_str(), 0600) != 0) return false;
    const bool ok = replaceFileAtomically(path, text);
    if (!ok && created) removeFile(path);
    return ok;
}

}  // namespace pw
