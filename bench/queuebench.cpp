// The change queue and the commit at 100,000 queued lines, each figure beside
// a plain append of the same lines measured in the same run:
//  - the time a commit spends per change with 100,000 lines waiting against
//    the same with 100 (the tool run is the same quick stand-in in both);
//  - putting back 100,000 lines after the first change of a commit is refused;
//  - clearing 100,000 lines.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "account/accountfolder.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "core/atomicfile.h"

using namespace pw;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Answers at once; a change named "fail..." is refused.
constexpr const char* kStandIn = R"sh(#!/bin/sh
opts=$(cat)
case "$opts" in *'-name="fail'*) printf 'GOOGLE_API_ERROR: refused\r\n' > pwr_ga.out; exit 1 ;; esac
printf 'done\r\n' > pwr_ga.out
)sh";

std::string change(const std::string& name) {
    return "Google/pwram  -action=createCampaign -name=\"" + name +
           "\" -status=\"Active\" -dailyBudget=\"10000\" -email=\"bench@x.com\" -password=\"pw\" -token=\"tk\" "
           "-clientEmail=\"\" -useragent=\"Phrasewright\" -outfile=\"pwr_ga.out\"";
}

std::vector<std::string> changes(size_t count, const std::string& first = "c") {
    std::vector<std::string> lines;
    lines.reserve(count);
    for (size_t i = 0; i < count; ++i) lines.push_back(change((i == 0 ? first : "c") + std::to_string(i)));
    return lines;
}

// The baseline: the same lines appended to a file in one write and flushed.
double plainAppend(const ProgramFolder& folder, const std::vector<std::string>& lines) {
    const std::string path = googleFile(folder, "plain.queue");
    const auto start = Clock::now();
    std::string text;
    for (const std::string& line : lines) (text += line) += '\n';
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0 || ::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()) || ::fsync(fd) != 0)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    if (fd >= 0) ::close(fd);
    const double seconds = secondsSince(start);
    removeFile(path);
    return seconds;
}

void waitUntilDone(size_t done) {
    while (commitInProgress() && commitStatus().done < done) std::this_thread::sleep_for(std::chrono::microseconds(200));
}

// Seconds per change while `queued` lines wait, over `measured` changes.
double perChange(const ProgramFolder& folder, size_t queued, size_t measured) {
    writeQueuedChanges(folder, changes(queued));
    if (startCommit({folder, {}, std::nullopt, {}, ChangeChoice::EveryQueued}) != CommitStart::Started) return -1;
    waitUntilDone(1);
    const auto start = Clock::now();
    waitUntilDone(1 + measured);
    const double seconds = secondsSince(start) / static_cast<double>(measured);
    requestCommitStop();
    waitForCommitEnd();
    writeQueuedChanges(folder, {});
    return seconds;
}

}  // namespace

int main() {
    char pattern[] = "/tmp/pwqueuebench-XXXXXX";
    const ProgramFolder folder(::mkdtemp(pattern));
    createFolder(folder.googleFolder());
    const std::string tool = googleFile(folder, "pwram");
    if (!replaceFileAtomically(tool, kStandIn) || ::chmod(tool.c_str(), 0700) != 0) return 1;

    constexpr size_t kBig = 100000;
    constexpr size_t kSmall = 100;
    constexpr size_t kMeasured = 50;
    const double append = plainAppend(folder, changes(kBig));
    std::printf("plain append of %zu lines (baseline): %.4f s\n", kBig, append);

    const double small = perChange(folder, kSmall, kMeasured);
    const double big = perChange(folder, kBig, kMeasured);
    std::printf("per change, %zu lines queued: %.2f ms; %zu lines queued: %.2f ms; difference %.2f ms (target < 2 ms), "
                "%.3fx the baseline\n",
                kSmall, small * 1e3, kBig, big * 1e3, (big - small) * 1e3, (big - small) / append);

    writeQueuedChanges(folder, changes(kBig, "fail"));
    auto start = Clock::now();
    startCommit({folder, {}, std::nullopt, {}, ChangeChoice::EveryQueued});
    waitForCommitEnd();
    const double putBack = secondsSince(start);
    std::printf("commit refused at its first change, %zu lines put back: %.3f s (target < 1 s), %.1fx the baseline\n",
                kBig - 1, putBack, putBack / append);

    start = Clock::now();
    clearChanges(folder, readQueuedChanges(folder));
    const double cleared = secondsSince(start);
    std::printf("clearing %zu lines: %.3f s (target < 0.5 s), %.1fx the baseline\n", kBig, cleared, cleared / append);
    return readQueuedChanges(folder).empty() ? 0 : 1;
}
