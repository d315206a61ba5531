// The project upload and its commit at scale: a project of 200 groups of
// 1,000 phrases each, uploaded with three match types (600,000 keywords),
// then committed through the sandbox account tool.
//
// The sandbox refuses more than 2,000 keywords per ad group, as the
// advertising service does, so the commit is timed on the same number of
// keywords spread over 400 groups of 500 phrases.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <string>

#include "account/accountfolder.h"
#include "account/accounttool.h"
#include "account/changequeue.h"
#include "account/commitloop.h"
#include "account/projectupload.h"
#include "account/toolinstall.h"
#include "account/toolrecords.h"
#include "bench/toolrunner.h"
#include "core/atomicfile.h"

using namespace pw;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

Project generatedProject(int groups, int phrases) {
    Project project;
    for (int g = 0; g < groups; ++g) {
        Group& group = appendGroup(project, "group " + std::to_string(g));
        group.phrases.reserve(phrases);
        for (int p = 0; p < phrases; ++p)
            group.phrases.emplace_back("cheap flights to city " + std::to_string(g) + " number " + std::to_string(p));
    }
    return project;
}


}  // namespace

int main() {
    char pattern[] = "/tmp/pwaccountbench-XXXXXX";
    const ProgramFolder folder(::mkdtemp(pattern));
    createFolder(folder.googleFolder());
    if (installAccountTool(folder, PW_TOOL_PATH) != ToolInstallResult::Installed) {
        std::fprintf(stderr, "cannot install the account tool\n");
        return 1;
    }
    AccountProfile profile{.name = "bench", .email = "bench@x.com", .password = "pw", .token = "tk"};
    AccountCampaign campaign{.name = "Bench", .startDate = {1, 1, 2030}, .endDate = {1, 1, 2031}, .dailyBudget = 1000};
    const auto created = readCampaignRecords(bench::runToolNow(folder, *createCampaignCommand(profile, campaign)));
    if (created.empty()) {
        std::fprintf(stderr, "cannot create the campaign\n");
        return 1;
    }
    campaign = created[0];
    const KeywordTypesChoice choice{.maxCpc = 25, .broad = true, .phrase = true, .exact = true};
    const auto yes = [](UploadWarning, const MessageText&) { return true; };

    const Project wide = generatedProject(200, 1000);
    auto start = std::chrono::steady_clock::now();
    UploadOutcome outcome = uploadProject(folder, wide, campaign, profile, choice, yes);
    std::printf("upload of 200 groups x 1000 phrases x 3 types (600,000 keywords): files written and queued in %.2f s\n",
                secondsSince(start));
    if (outcome.result != UploadResult::Queued) return 1;
    clearChanges(folder, readQueuedChanges(folder));
    hasUncommittedChanges(folder);

    const Project deep = generatedProject(400, 500);
    start = std::chrono::steady_clock::now();
    outcome = uploadProject(folder, deep, campaign, profile, choice, yes);
    std::printf("upload of 400 groups x 500 phrases x 3 types (600,000 keywords): %.2f s\n", secondsSince(start));
    if (outcome.result != UploadResult::Queued) return 1;
    start = std::chrono::steady_clock::now();
    if (startCommit({folder, readQueuedChanges(folder), profile, {}}) != CommitStart::Started) return 1;
    waitForCommitEnd();
    const CommitStatus status = commitStatus();
    std::printf("commit of those 600,000 keywords through the sandbox tool: %.2f s (%zu done, %zu failed%s%s)\n",
                secondsSince(start), status.done, status.failed, status.lastError.empty() ? "" : ": ",
                status.lastError.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(folder.root(), ignored);
    return status.failed == 0 ? 0 : 1;
}
