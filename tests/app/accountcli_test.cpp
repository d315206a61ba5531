// phrasewright-cli account, run as a program: it installs the account tool
// built beside it and reads the sandbox account through it.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <map>
#include <random>
#include <thread>

#include "core/filelock.h"
#include "core/project.h"
#include "core/projectfile.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

class AccountCli : public ::testing::Test {
protected:
    test::TempFolder dir;

    // Exit status; stdout and stderr in out and err.
    int run(const std::string& arguments) { return cli("account --data-dir '" + dir.path() + "' " + arguments); }
    int cli(const std::string& arguments) {
        const std::string command = std::string(PW_CLI_PATH) + " " + arguments + " >" + dir.file("out.txt") + " 2>" +
                                    dir.file("err.txt");
        const int status = std::system(command.c_str());
        out = test::readFile(dir.file("out.txt"));
        err = test::readFile(dir.file("err.txt"));
        return WEXITSTATUS(status);
    }
    // Starts `phrasewright-cli account ...` beside this test, its output into `outPath`.
    pid_t start(std::vector<std::string> arguments, const std::string& outPath = "/dev/null") {
        arguments.insert(arguments.begin(), {PW_CLI_PATH, "account", "--data-dir", dir.path()});
        const pid_t child = ::fork();
        if (child == 0) {
            const int fd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(fd, 1);
            ::dup2(fd, 2);
            std::vector<char*> argv;
            for (std::string& a : arguments) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(PW_CLI_PATH, argv.data());
            ::_exit(127);
        }
        return child;
    }
    static int exitStatus(pid_t child) {
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static bool waitForFile(const std::string& path) {
        for (int i = 0; i < 6000 && !std::filesystem::exists(path); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return std::filesystem::exists(path);
    }
    std::string out, err;
};

TEST_F(AccountCli, ProfilesAndReads) {
    EXPECT_EQ(run("campaigns"), 2);
    EXPECT_EQ(err, "Cannot load default profile!\n");

    EXPECT_EQ(run("profile main --email m@x.com --password 'p\"w' --token tk"), 1);
    EXPECT_EQ(err, "The field 'Google manager password:' cannot contain a double quote (\")!\n");
    ASSERT_EQ(run("profile main --email m@x.com --password pw --token tk --client-email c@x.com --default"), 0);
    ASSERT_EQ(run("profiles"), 0);
    const auto profiles = nlohmann::json::parse(out);
    ASSERT_EQ(profiles.size(), 1u);
    EXPECT_EQ(profiles[0]["default"], true);
    EXPECT_EQ(profiles[0]["record"]["clientAccount"], "c@x.com");
    EXPECT_EQ(out.find("pw\""), std::string::npos);  // no password in the listing

    ASSERT_EQ(run("campaigns"), 0) << err;
    EXPECT_EQ(nlohmann::json::parse(out), nlohmann::json::array());
    EXPECT_EQ(run("keywords 3 4"), 3);
    EXPECT_EQ(err, "There is no ad group with the id 4 in the campaign 3\n");

    // The sandbox remembers the password it first saw for this manager account.
    ASSERT_EQ(run("profile main --email m@x.com --password other --token tk"), 0);
    EXPECT_EQ(run("ads 1"), 3);
    EXPECT_EQ(err, "The login email or password is not valid\n");
}

// A profile, and the sandbox's whole account as the tool dumps it.
class AccountCommit : public AccountCli {
protected:
    void SetUp() override { ASSERT_EQ(run("profile main --email m@x.com --password pw --token tk --default"), 0) << err; }
    nlohmann::json sandbox() {
        const std::string command = "cd '" + dir.file("Google") + "' && ./pwram --dump >" + dir.file("dump.json");
        EXPECT_EQ(std::system(command.c_str()), 0);
        const auto accounts = nlohmann::json::parse(test::readFile(dir.file("dump.json")))["accounts"];
        return accounts.empty() ? nlohmann::json::object() : accounts[0];
    }
    nlohmann::json queue() {
        EXPECT_EQ(run("queue"), 0) << err;
        return nlohmann::json::parse(out);
    }
    // Campaign 1 holding the sample list's groups "flights" and "hotels", broad keywords.
    void sampleAccount() {
        ASSERT_EQ(run("create-campaign --name Spring --daily-budget 10"), 0) << err;
        ASSERT_EQ(run("commit"), 0) << err;
        const std::string project = dir.file("sample.pwj");
        ASSERT_EQ(cli("new '" + project + "'"), 0) << err;
        ASSERT_EQ(cli("import '" + project + "' '" + PW_EXAMPLES + "/sample-list.csv'"), 0) << err;
        ASSERT_EQ(cli("group '" + project + "' flights --filter flights"), 0) << err;
        ASSERT_EQ(cli("group '" + project + "' hotels --filter hotels"), 0) << err;
        ASSERT_EQ(run("upload '" + project + "' --campaign-id 1 --types broad --max-cpc 0.25"), 0) << err;
        ASSERT_EQ(run("commit"), 0) << err;
    }
};

TEST_F(AccountCommit, CampaignThenProjectUploadWithAdsReadBack) {
    EXPECT_EQ(run("create-campaign --name Spring --daily-budget 12.345"), 1);
    EXPECT_EQ(err, "Please enter the daily budget correctly! Don't use more than 2 decimals, enter only digits and the "
                   "decimal dot!\n");
    EXPECT_EQ(run("create-campaign --name Spring --daily-budget 10 --start 2030/01/02 --end 2030/01/02"), 1);
    ASSERT_EQ(run("create-campaign --name Spring --daily-budget 10.00"), 0) << err;
    EXPECT_EQ(out, "Action queued and ready to commit!\n");
    EXPECT_EQ(queue(), nlohmann::json::parse(R"([{"action":"Create campaign","target":"Spring","failed":false}])"));
    ASSERT_EQ(run("commit"), 0) << err;
    EXPECT_EQ(queue(), nlohmann::json::array());
    ASSERT_EQ(run("campaigns"), 0);
    const auto campaigns = nlohmann::json::parse(out);
    ASSERT_EQ(campaigns.size(), 1u);
    EXPECT_EQ(campaigns[0]["name"], "Spring");
    EXPECT_EQ(campaigns[0]["dailyBudget"], 1000);

    // The sample list, two groups, and a current ad in one of them.
    const std::string project = dir.file("sample.pwj");
    ASSERT_EQ(cli("new '" + project + "'"), 0) << err;
    ASSERT_EQ(cli("import '" + project + "' '" + PW_EXAMPLES + "/sample-list.csv'"), 0) << err;
    ASSERT_EQ(cli("group '" + project + "' flights --filter flights"), 0) << err;
    ASSERT_EQ(cli("group '" + project + "' hotels --filter hotels"), 0) << err;
    {
        Project p;
        p.path = project;
        ASSERT_EQ(loadProject(p), LoadCode::Loaded);
        findGroup(p, "hotels")->adLists[AdListKind::Current].push_back(
            Ad{"Paris hotels", "Near the tower", "Book today", "hotels.example", "hotels.example/paris"});
        ASSERT_TRUE(saveProject(p));
    }
    const int32_t campaignId = campaigns[0]["id"];
    ASSERT_EQ(run("upload '" + project + "' --campaign-id " + std::to_string(campaignId) +
                  " --types broad,phrase,exact --max-cpc 0.25"),
              0)
        << err;
    EXPECT_EQ(queue()[0]["action"], "Upload ad groups");
    ASSERT_EQ(run("commit --project '" + project + "'"), 0) << err;

    const auto groups = sandbox()["campaigns"][0]["adGroups"];
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0]["name"], "flights");
    EXPECT_EQ(groups[1]["name"], "hotels");
    EXPECT_EQ(groups[1]["maxCpc"], 25);
    EXPECT_EQ(groups[0]["keywords"].size(), 3 * 7u);  // seven flights phrases, three types
    EXPECT_EQ(groups[1]["keywords"][0]["bid"], 25);
    ASSERT_EQ(groups[1]["ads"].size(), 1u);
    EXPECT_EQ(groups[1]["ads"][0]["headline"], "Paris hotels");
    EXPECT_EQ(groups[1]["ads"][0]["destinationUrl"], "http://hotels.example/paris");
    EXPECT_TRUE(groups[0]["ads"].empty());
    EXPECT_EQ(queue(), nlohmann::json::array());
    EXPECT_FALSE(std::filesystem::exists(dir.file("Google/kw0.key")));

    // Refused by the account: it comes back marked, and stays out of a plain commit.
    ASSERT_EQ(run("create-campaign --name Spring --daily-budget 5"), 0);
    EXPECT_EQ(run("commit"), 3);
    EXPECT_EQ(err, "A campaign named 'Spring' already exists\n");
    EXPECT_EQ(queue(), nlohmann::json::parse(R"([{"action":"Create campaign","target":"Spring","failed":true}])"));
    EXPECT_EQ(run("commit"), 0);
    EXPECT_EQ(out, "Nothing to commit.\n");
    ASSERT_EQ(run("clear"), 0);
    EXPECT_EQ(queue(), nlohmann::json::array());
}

TEST_F(AccountCommit, AnUploadWhoseCampaignReadGaveNoAnswerSaysSoInsteadOfAMissingCampaign) {
    const std::string project = dir.file("empty.pwj");
    ASSERT_EQ(cli("new '" + project + "'"), 0) << err;
    // A tool that ends without an output file; newer than the built one, so it stays installed.
    test::writeFile(dir.file("Google/pwram"), "#!/bin/sh\nexit 0\n");
    std::filesystem::permissions(dir.file("Google/pwram"), std::filesystem::perms::owner_all);
    EXPECT_EQ(run("upload '" + project + "' --campaign-id 1 --types broad --max-cpc 0.25"), 1);
    EXPECT_EQ(err, "The account tool left no answer.\n");
    EXPECT_EQ(queue(), nlohmann::json::array());
}

// Another program committing on the same folder has taken every line: the
// second commit says so rather than "Nothing to commit.".
TEST_F(AccountCommit, ACommitRunningElsewhereIsReportedEvenWithNothingLeftToCommit) {
    const auto elsewhere = FileLock::tryAcquire(dir.file("Google/google.commit.lock"));
    ASSERT_TRUE(elsewhere);
    EXPECT_EQ(run("commit"), 1);
    EXPECT_EQ(err, "Another commit is running; commit again when it has ended.\n");
}

// A double quote put into a profile's password by hand: the read names the
// field instead of asking for the program to be reinstalled.
TEST_F(AccountCommit, AQuoteInAHandEditedPasswordIsNamed) {
    const std::string path = dir.file("Google/main.google");
    std::string bytes = test::readFile(path);
    ASSERT_EQ(bytes.substr(256, 2), "pw");  // the password field
    bytes[256] = '"';
    test::writeFile(path, bytes);
    EXPECT_EQ(run("campaigns"), 1);
    EXPECT_EQ(err, "The field 'Google manager password:' cannot contain a double quote (\")!\n");
}

// Only a real change of the default drops the queue, and never while a commit runs.
TEST_F(AccountCommit, NamingTheDefaultAgainOrDuringACommitKeepsTheQueue) {
    ASSERT_EQ(run("create-campaign --name Spring --daily-budget 10"), 0) << err;
    ASSERT_EQ(run("profile main --email m@x.com --password pw --token tk --default"), 0) << err;
    EXPECT_EQ(queue().size(), 1u);
    ASSERT_EQ(run("profile other --email o@x.com --password pw --token tk"), 0) << err;
    {
        const auto elsewhere = FileLock::tryAcquire(dir.file("Google/google.commit.lock"));
        ASSERT_TRUE(elsewhere);
        EXPECT_EQ(run("profile other --email o@x.com --password pw --token tk --default"), 1);
        EXPECT_EQ(err, "Cannot change the default profile while a Google upload is in progress!\n");
    }
    EXPECT_EQ(queue().size(), 1u);
    ASSERT_EQ(run("profile other --email o@x.com --password pw --token tk --default"), 0) << err;
    EXPECT_EQ(queue(), nlohmann::json::array());
}

// A keyword read and an ad group read at once, in two runs of the command
// line: each prints its own answer.
TEST_F(AccountCommit, TwoReadsAtOnceEachGetTheirOwnAnswer) {
    sampleAccount();
    // The sandbox tool behind a wrapper: a keyword read, once it has
    // answered, ends only when the file "go" appears.
    const std::string tool = dir.file("Google/pwram");
    std::filesystem::copy_file(tool, dir.file("Google/pwram-real"));
    test::writeFile(tool, "#!/bin/sh\nopts=$(cat)\nprintf '%s' \"$opts\" | ./pwram-real \"$@\"\ncode=$?\n"
                          "case \"$opts\" in *listKeywords*) touch answered; "
                          "while [ ! -f go ]; do sleep 0.01; done ;; esac\nexit $code\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);

    const pid_t keywords = start({"keywords", "1", "1"}, dir.file("keywords.txt"));
    ASSERT_TRUE(waitForFile(dir.file("Google/answered")));
    ASSERT_EQ(run("adgroups 1"), 0) << err;
    EXPECT_EQ(nlohmann::json::parse(out).size(), 2u);
    test::writeFile(dir.file("Google/go"), "");
    ASSERT_EQ(exitStatus(keywords), 0) << test::readFile(dir.file("keywords.txt"));
    EXPECT_EQ(nlohmann::json::parse(test::readFile(dir.file("keywords.txt"))).size(), 7u);  // flights' phrases
}

// Commits killed at random moments, half of them just as a change's run is
// about to start: every change reaches the account exactly once.
TEST_F(AccountCommit, CommitsKilledAtRandomMomentsSendEveryChangeExactlyOnce) {
    sampleAccount();
    const std::string queueFile = dir.file("Google/google.queue");
    const std::string commitFile = dir.file("Google/google.commit");
    int queued = 0;
    const auto queueAds = [&](int count) {
        std::ofstream file(queueFile, std::ios::app | std::ios::binary);
        for (int end = queued + count; queued < end; ++queued)
            file << "Google/pwram  -action=createCreative -adGroupID=\"1\" -headline=\"Ad " << queued
                 << "\" -descr1=\"Cheap\" -descr2=\"Today\" -displayURL=\"x.example\" -destURL=\"http://x.example\" "
                    "-approved=\"true\" -email=\"m@x.com\" -password=\"pw\" -token=\"tk\" -clientEmail=\"\" "
                    "-useragent=\"Phrasewright\" -outfile=\"pwr_ga.out\"\n";
    };
    std::mt19937 random(4711);
    constexpr int kKills = 100;
    int kills = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(4);
    for (; kills < kKills && std::chrono::steady_clock::now() < deadline; ++kills) {
        if (test::readFile(queueFile).empty() && !std::filesystem::exists(commitFile)) queueAds(4);
        // The commit file is replaced whole: a new one has a new inode.
        const auto fileId = [&] {
            struct stat info {};
            return ::stat(commitFile.c_str(), &info) == 0 ? info.st_ino : 0;
        };
        const ino_t before = fileId();
        const pid_t commit = start({"commit"});
        if (kills % 2 == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution(0, 300)(random)));
        } else {
            for (int i = 0; i < 8000; ++i) {
                const ino_t now = fileId();
                if (now != 0 && now != before && test::readFile(commitFile).ends_with("#run\n")) break;
                std::this_thread::sleep_for(std::chrono::microseconds(250));
            }
        }
        ::kill(commit, SIGKILL);
        exitStatus(commit);
    }
    ASSERT_EQ(kills, kKills);
    ASSERT_EQ(run("commit"), 0) << err;
    EXPECT_EQ(queue(), nlohmann::json::array());

    const auto account = sandbox();
    std::map<std::string, int> sent;
    for (const auto& ad : account["campaigns"][0]["adGroups"][0]["ads"]) ++sent[ad["headline"].get<std::string>()];
    EXPECT_EQ(sent.size(), static_cast<size_t>(queued));
    for (const auto& [headline, times] : sent) EXPECT_EQ(times, 1) << headline;
}

TEST_F(AccountCommit, AKilledCommitLosesNoChangeAndRunsNoneTwice) {
    for (int i = 0; i < 10; ++i) ASSERT_EQ(run("create-campaign --name C" + std::to_string(i) + " --daily-budget 1"), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(PW_CLI_PATH, PW_CLI_PATH, "account", "--data-dir", dir.path().c_str(), "commit", nullptr);
        ::_exit(127);
    }
    // Killed once some changes are done and some are not.
    const std::string commitFile = dir.file("Google/google.commit");
    bool killedHalfway = false;
    for (int i = 0; i < 20000 && !killedHalfway; ++i) {
        const std::string text = test::readFile(commitFile);
        // The commit file: its lines, then a "#done" for each change done.
        long lines = 0;
        for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
            const std::string_view line = std::string_view(text).substr(at, text.find('\n', at) - at);
            lines += line == "#done" ? -1 : !line.starts_with('#');
            if (text.find('\n', at) == std::string::npos) break;
        }
        if (lines > 0 && lines <= 7) {
            ::kill(child, SIGKILL);
            killedHalfway = true;
        } else {
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(killedHalfway);
    ASSERT_TRUE(WIFSIGNALED(status));

    // The next start puts the rest back and says so; committing them again
    // leaves each campaign exactly once (a second run would be refused).
    const auto left = queue();
    EXPECT_NE(err.find("The last commit did not end."), std::string::npos) << err;
    EXPECT_GT(left.size(), 0u);
    EXPECT_LT(left.size(), 10u);
    ASSERT_EQ(run("commit"), 0) << err;
    const auto campaigns = sandbox()["campaigns"];
    ASSERT_EQ(campaigns.size(), 10u);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(campaigns[i]["name"], "C" + std::to_string(i));
    EXPECT_EQ(queue(), nlohmann::json::array());
}

}  // namespace
}  // namespace pw
