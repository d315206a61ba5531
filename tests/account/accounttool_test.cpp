// Runs of the account tool through the bridge: reads end to end, refusals,
// stopping, a missing tool, and what other processes can see of a run.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "account/toolrecords.h"
#include "tests/account/sandboxfolder.h"

namespace pw {
namespace {

using test::SandboxFolder;

AccountProfile profile() {
    AccountProfile p;
    p.name = "main";
    p.email = "m@x.com";
    p.password = "Secret-Passw0rd-4711";
    p.token = "tk";
    return p;
}

ReadResult readThroughBridge(const ProgramFolder& folder, const ReadRequest& request) {
    std::promise<ReadResult> done;
    int32_t pid = 0;
    EXPECT_TRUE(startAccountRead(
        folder, profile(), request,
        [&](const std::optional<std::string>& path) { done.set_value(finishAccountRead(request.kind, path)); }, pid));
    EXPECT_GT(pid, 0);
    return done.get_future().get();
}

// Every read's answer file is deleted once read, whatever the answer.
bool answerFilesLeft(const ProgramFolder& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder.googleFolder())) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(".out") && (name.starts_with("lc") || name.starts_with("lad"))) return true;
    }
    return false;
}

bool waitFor(auto condition) {
    for (int i = 0; i < 3000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(AccountTool, ReadEndToEnd) {
    SandboxFolder sandbox;
    AccountCampaign c;
    c.name = "Spring";
    c.startDate = {1, 1, 2026};
    c.endDate = {1, 1, 2099};
    c.dailyBudget = 500;
    ASSERT_TRUE(sandbox.run(*createCampaignCommand(profile(), c)));

    const ReadResult result = readThroughBridge(sandbox.folder(), {AccountRead::Campaigns});
    ASSERT_EQ(result.status, ReadResult::Status::Read);
    ASSERT_EQ(result.campaigns.size(), 1u);
    EXPECT_EQ(result.campaigns[0].name, "Spring");
    EXPECT_EQ(result.campaigns[0].dailyBudget, 500);
    EXPECT_FALSE(answerFilesLeft(sandbox.folder()));
    EXPECT_FALSE(fetchFlags().campaignFetchRunning);
}

// The editors' limit in characters is the account's: a 43-character Japanese
// name (129 bytes) goes through and reads back; 127 characters are refused.
TEST(AccountTool, NameLimitCountsCharacters) {
    SandboxFolder sandbox;
    AccountCampaign c;
    c.startDate = {1, 1, 2026};
    c.endDate = {1, 1, 2099};
    c.dailyBudget = 500;
    for (int i = 0; i < 43; ++i) c.name += "\xE6\x97\xA5";
    EXPECT_EQ(sandbox.run(*createCampaignCommand(profile(), c)).value_or("").find(kToolErrorMarker), std::string::npos);
    c.name = std::string(kNameCharacters + 1, 'n');
    EXPECT_NE(sandbox.run(*createCampaignCommand(profile(), c)).value_or("").find(kToolErrorMarker), std::string::npos);
    const ReadResult result = readThroughBridge(sandbox.folder(), {AccountRead::Campaigns});
    ASSERT_EQ(result.campaigns.size(), 1u);
    EXPECT_EQ(characterCount(result.campaigns[0].name), 43u);
}

TEST(AccountTool, RefusalReachesTheWindowAsText) {
    SandboxFolder sandbox;
    const ReadResult result = readThroughBridge(sandbox.folder(), {AccountRead::AdGroups, 999});
    EXPECT_EQ(result.status, ReadResult::Status::ToolError);
    EXPECT_EQ(result.errorMessage, "There is no campaign with the id 999");
    EXPECT_FALSE(answerFilesLeft(sandbox.folder()));

    // A change that would put a campaign's end into the past.
    AccountCampaign old;
    old.name = "Old";
    old.startDate = {1, 1, 2001};
    old.endDate = {1, 2, 2099};
    old.dailyBudget = 100;
    old.id = readCampaignRecords(sandbox.run(*createCampaignCommand(profile(), old)).value_or("")).at(0).id;
    old.endDate = {1, 2, 2001};
    const std::string answer = sandbox.run(*modifyCampaignCommand(profile(), old)).value_or("");
    const std::string path = googleFile(sandbox.folder(), "pwr_ga.out");
    test::writeFile(path, answer);
    EXPECT_EQ(readToolError(path), std::string(kCampaignEndedText));
}

TEST(AccountTool, ReadToolErrorCases) {
    test::TempFolder dir;
    const std::string path = dir.file("pwr_ga.out");
    const struct {
        std::string text;
        std::optional<std::string> error;
        bool deleted;
    } cases[] = {
        {"DEFINE CAMPAIGN\r\n", std::nullopt, false},
        {"GOOGLE_API_ERROR: Quota used up\r\nmore\r\n", "Quota used up", true},
        {"noise GOOGLE_API_ERROR: at the end", "at the end", true},
        {"GOOGLE_API_ERROR: \n", "", true},
        {"GOOGLE_API_ERROR: " + std::string(255, 'x') + "\r\n", "", true},
        {"GOOGLE_API_ERROR: " + std::string(254, 'x') + "\r\n", std::string(254, 'x'), true},
        {"GOOGLE_API_ERROR: Can't set the campaign end date to the past.\r\n", std::string(kCampaignEndedText), true},
    };
    for (const auto& c : cases) {
        test::writeFile(path, c.text);
        EXPECT_EQ(readToolError(path), c.error) << c.text;
        EXPECT_EQ(!fileExists(path), c.deleted) << c.text;
    }
    EXPECT_EQ(readToolError(dir.file("missing.out")), std::nullopt);
}

// A stand-in tool that keeps what it received and waits to be stopped.
std::string installWaitingTool(const ProgramFolder& folder) {
    const std::string path = googleFile(folder, "pwram");
    test::writeFile(path, "#!/bin/sh\ncat > received.txt\nsleep 60\n");
    ::chmod(path.c_str(), 0700);
    return "Google/pwram";
}

TEST(AccountTool, StoppingARunAndNoPasswordInAnyProcessList) {
    SandboxFolder sandbox;
    const std::string line = installWaitingTool(sandbox.folder()) + "  -action=listCampaigns" +
                             readCommand(profile(), {AccountRead::Campaigns})->substr(36);
    ASSERT_NE(line.find("Secret-Passw0rd-4711"), std::string::npos);

    std::atomic<int> calls = 0;
    std::promise<std::optional<std::string>> ended;
    ToolExit howItEnded;
    int32_t pid = 0;
    ASSERT_TRUE(startAccountTool(
        sandbox.folder(), line,
        [&](const std::optional<std::string>& path, const ToolExit& exit) {
            howItEnded = exit;
            if (++calls == 1) ended.set_value(path);
        },
        std::string_view("lc.out"), pid));

    const std::string received = googleFile(sandbox.folder(), "received.txt");
    ASSERT_TRUE(waitFor([&] {
        std::string text;
        return readWholeFile(received, text) && text.find("-outfile=") != std::string::npos;
    }));
    std::string text;
    readWholeFile(received, text);
    EXPECT_EQ(text, line.substr(std::string("Google/pwram").size()));  // the options, byte for byte

    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::string cmdline;
        if (!readWholeFile(entry.path().string() + "/cmdline", cmdline)) continue;
        EXPECT_EQ(cmdline.find("Secret-Passw0rd-4711"), std::string::npos) << entry.path();
    }

    cancelAccountRead(pid, false);
    const auto output = ended.get_future().get();
    EXPECT_EQ(output, googleFile(sandbox.folder(), "lc.out"));
    EXPECT_EQ(howItEnded, (ToolExit{0, SIGKILL}));
    EXPECT_EQ(finishAccountRead(AccountRead::Campaigns, output).status, ReadResult::Status::Cancelled);
    fetchFlags().fetchWindowClosed = true;
    EXPECT_EQ(finishAccountRead(AccountRead::Campaigns, output).status, ReadResult::Status::WindowClosed);
    EXPECT_TRUE(waitFor([&] { return !stopAccountTool(pid); }));  // no longer ours to stop
    EXPECT_EQ(calls, 1);
}

TEST(AccountTool, AMissingToolIsAFileError) {
    SandboxFolder sandbox;
    ASSERT_TRUE(removeFile(googleFile(sandbox.folder(), "pwram")));
    std::atomic<bool> called = false;
    int32_t pid = 0;
    EXPECT_FALSE(startAccountRead(
        sandbox.folder(), profile(), {AccountRead::Campaigns}, [&](const auto&) { called = true; }, pid));
    EXPECT_FALSE(called);
    EXPECT_FALSE(fetchFlags().campaignFetchRunning);
    EXPECT_FALSE(startAccountTool(sandbox.folder(), "", [](const auto&, const auto&) {}, std::nullopt, pid));
}

TEST(AccountTool, InstallKeepsACurrentCopyAndReplacesAnOlderOne) {
    SandboxFolder sandbox;
    EXPECT_EQ(installAccountTool(sandbox.folder(), PW_TOOL_PATH), ToolInstallResult::AlreadyCurrent);
    const std::string installed = googleFile(sandbox.folder(), "pwram");
    std::filesystem::last_write_time(installed, std::filesystem::last_write_time(PW_TOOL_PATH) - std::chrono::hours(1));
    EXPECT_EQ(installAccountTool(sandbox.folder(), PW_TOOL_PATH), ToolInstallResult::Installed);
    EXPECT_EQ(installAccountTool(sandbox.folder(), "/nowhere/pwram"), ToolInstallResult::BuiltToolMissing);
}

}  // namespace
}  // namespace pw
