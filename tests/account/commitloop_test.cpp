// The commit loop against a stand-in account tool: a script that answers
// each run as its options ask and logs what it was given.

#include "account/commitloop.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <future>
#include <thread>

#include "account/accountfolder.h"
#include "account/accounttool.h"
#include "account/changequeue.h"
#include "account/toolrecords.h"
#include "core/atomicfile.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

// -name="fail..." is refused, -name="wait..." waits for the file "go",
// -name="crash..." exits 3 and -name="killed..." is killed, both without an
// answer, -name="quiet..." exits 0 without one; an UploadGroups run answers
// with "created.out". Every run logs its name and the batch file it was given.
constexpr const char* kStandIn = R"sh(#!/bin/sh
opts=$(cat)
printf '%s\n' "$opts" | grep -o -- '-name="[^"]*"' >> runs.log
batch=$(printf '%s' "$opts" | sed -n 's/.*-inFile="\([^"]*\)".*/\1/p')
[ -n "$batch" ] && [ -f "$batch" ] && { cat "$batch"; echo; } >> runs.log
case "$opts" in
  *'-name="fail'*) printf 'GOOGLE_API_ERROR: No such thing\r\n' > pwr_ga.out; exit 1 ;;
  *'-name="wait'*) while [ ! -f go ]; do sleep 0.01; done ;;
  *'-name="crash'*) exit 3 ;;
  *'-name="killed'*) kill -9 $$ ;;
  *'-name="quiet'*) exit 0 ;;
esac
case "$opts" in
  *-todo=UploadGroups*) cp created.out pwr_ga.out ;;
  *) printf 'done\r\n' > pwr_ga.out ;;
esac
)sh";

class CommitLoop : public ::testing::Test {
protected:
    test::TempFolder temp;
    ProgramFolder folder{temp.path()};

    void SetUp() override {
        createFolder(folder.googleFolder());
        const std::string tool = googleFile(folder, "pwram");
        ASSERT_TRUE(replaceFileAtomically(tool, kStandIn));
        ::chmod(tool.c_str(), 0700);
    }
    static std::string line(const std::string& name, const std::string& tool = "Google/pwram") {
        return tool + "  -action=createCampaign -name=\"" + name + "\" -outfile=\"pwr_ga.out\"";
    }
    CommitStart commit(std::vector<std::string> lines, CurrentAds ads = {}) {
        for (const std::string& l : lines) EXPECT_TRUE(queueChange(folder, l));
        AccountProfile profile;
        profile.email = "m@x.com";
        profile.password = "pw";
        profile.token = "tk";
        return startCommit({folder, std::move(lines), profile, std::move(ads)});
    }
    std::string runs() const { return test::readFile(googleFile(folder, "runs.log")); }
    // The stand-in has read its options and logged the name.
    void waitUntilRunning(const std::string& name) const {
        for (int i = 0; i < 30000 && runs().find(name) == std::string::npos; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_NE(runs().find(name), std::string::npos);
    }
    CommitStatus finished() {
        EXPECT_TRUE(waitForCommitEnd(std::chrono::seconds(30)));
        EXPECT_FALSE(commitInProgress());
        return commitStatus();
    }
};

TEST_F(CommitLoop, RunsEveryChangeAndEmptiesTheQueue) {
    ASSERT_TRUE(queueChange(folder, line("stays")));
    ASSERT_EQ(commit({line("a"), line("b"), line("c")}), CommitStart::Started);
    const CommitStatus status = finished();
    EXPECT_EQ(status.done, 3u);
    EXPECT_EQ(status.failed, 0u);
    EXPECT_TRUE(status.campaignsTouched);
    EXPECT_EQ(runs(), "-name=\"a\"\n-name=\"b\"\n-name=\"c\"\n");
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("stays")}));
    EXPECT_FALSE(fileExists(googleFile(folder, kCommitFile)));
    EXPECT_EQ(commit({}), CommitStart::NothingChosen);
}

TEST_F(CommitLoop, ARefusedChangeReturnsMarkedWithTheRestBehindIt) {
    ASSERT_TRUE(queueChange(folder, line("stays")));
    ASSERT_EQ(commit({line("a"), line("fail"), line("c")}), CommitStart::Started);
    const CommitStatus status = finished();
    EXPECT_EQ(status.done, 1u);
    EXPECT_EQ(status.failed, 1u);
    EXPECT_EQ(status.lastError, "No such thing");
    EXPECT_EQ(runs(), "-name=\"a\"\n-name=\"fail\"\n");
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("stays"), line("fail") + " -failed", line("c")}));

    // Committed again, it is not marked twice.
    ASSERT_TRUE(clearChanges(folder, {line("stays"), line("c")}) == ClearResult::Cleared);
    ASSERT_EQ(commit({line("fail") + " -failed"}), CommitStart::Started);
    finished();
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("fail") + " -failed"}));
}

TEST_F(CommitLoop, ARunThatEndsBadlyWithoutAnAnswerIsAFailedChange) {
    // Exit 0 without an answer is a change done; an error exit is not.
    ASSERT_EQ(commit({line("quiet"), line("crash"), line("c")}), CommitStart::Started);
    CommitStatus status = finished();
    EXPECT_EQ(status.done, 1u);
    EXPECT_EQ(status.failed, 1u);
    EXPECT_EQ(status.lastError, "The account tool stopped without an answer (exit status 3).");
    EXPECT_FALSE(status.startFailed);
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("crash") + " -failed", line("c")}));

    ASSERT_EQ(clearChanges(folder, readQueuedChanges(folder)), ClearResult::Cleared);
    ASSERT_EQ(commit({line("killed"), line("c")}), CommitStart::Started);
    status = finished();
    EXPECT_EQ(status.done, 0u);
    EXPECT_EQ(status.lastError, "The account tool stopped without an answer (ended by signal 9).");
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("killed") + " -failed", line("c")}));
}

TEST_F(CommitLoop, StopLetsTheRunningChangeFinishAndReturnsTheRest) {
    ASSERT_EQ(commit({line("wait"), line("b"), line("c")}), CommitStart::Started);
    EXPECT_TRUE(commitInProgress());
    EXPECT_EQ(commitStatusLine(commitStatus()), "Create campaign \"wait\"...");
    EXPECT_EQ(commit({line("x")}), CommitStart::AlreadyRunning);
    requestCommitStop();
    EXPECT_EQ(commitStatusLine(commitStatus()), kStoppingText);
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, "go"), ""));
    const CommitStatus status = finished();
    EXPECT_EQ(status.done, 1u);
    EXPECT_EQ(runs(), "-name=\"wait\"\n");
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("x"), line("b"), line("c")}));
}

TEST_F(CommitLoop, AGroupUploadIsFollowedByTheAdsOfTheGroupsItCreated) {
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, "created.out"),
                                      createdAdGroupRecord({11, "shoes"}) + createdAdGroupRecord({12, "boots"}) +
                                          createdAdGroupRecord({13, "no ads"})));
    const std::string batch = googleFile(folder, "70.in");
    const std::string keywords = googleFile(folder, "kw0.key");
    ASSERT_TRUE(replaceFileAtomically(batch, "-batchAction=createAdGroupList\n-campaignID=7\t-name=shoes\t-keywordFile=" +
                                                 keywords + "\n-end_createAdGroupList"));
    ASSERT_TRUE(replaceFileAtomically(keywords, "red shoes/Broad/10000"));
    CurrentAds ads;
    ads["shoes"] = {Ad{"Shoes", "Red ones", "Cheap", "shoes.example", "shoes.example/red"}};
    ads["boots"] = {Ad{"Boots", "Tall", "Warm", "boots.example", "http://boots.example"}};
    const std::string upload =
        "Google/pwram  -batch=true -inFile=\"" + batch + "\" -todo=UploadGroups -parent -name=\"camp\" -outfile=\"pwr_ga.out\"";
    ASSERT_EQ(commit({upload, line("after")}, ads), CommitStart::Started);
    const CommitStatus status = finished();
    EXPECT_EQ(status.done, 4u);
    const std::string log = runs();
    const size_t boots = log.find("-name=\"boots\"");
    const size_t shoes = log.find("-name=\"shoes\"\n-batchAction=createCreativeList");
    ASSERT_NE(boots, std::string::npos) << log;
    ASSERT_NE(shoes, std::string::npos) << log;
    EXPECT_LT(log.find("-name=\"camp\""), boots);
    EXPECT_LT(boots, shoes);  // the later group's ads run first
    EXPECT_LT(shoes, log.find("-name=\"after\""));
    EXPECT_NE(log.find("-adGroupID=11\t-headline=Shoes\t-descr1=Red ones\t-descr2=Cheap\t-displayURL=shoes.example\t"
                       "-destURL=http://shoes.example/red\t-approved=true\n-end_createCreativeList"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("no ads"), std::string::npos);
    // The files of changes that ran are gone.
    EXPECT_FALSE(fileExists(batch));
    EXPECT_FALSE(fileExists(keywords));
    EXPECT_TRUE(readQueuedChanges(folder).empty());
}

// An upload group whose ads cannot follow (the account did not report it
// created under the name it was given) is reported, not counted as done.
TEST_F(CommitLoop, AGroupWhoseAdsCannotFollowIsReported) {
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, "created.out"), createdAdGroupRecord({11, "shoes"})));
    const std::string batch = googleFile(folder, "70.in");
    ASSERT_TRUE(replaceFileAtomically(batch, "-batchAction=createAdGroupList\n-campaignID=7\t-name=shoes\n"
                                             "-campaignID=7\t-name= paris\n-end_createAdGroupList"));
    CurrentAds ads;
    ads["shoes"] = {Ad{"Shoes", "Red ones", "Cheap", "shoes.example", "shoes.example/red"}};
    ads[" paris"] = {Ad{"Paris", "Hotels", "Cheap", "paris.example", "paris.example"}};
    const std::string upload =
        "Google/pwram  -batch=true -inFile=\"" + batch + "\" -todo=UploadGroups -parent -name=\"camp\" -outfile=\"pwr_ga.out\"";
    ASSERT_EQ(commit({upload}, ads), CommitStart::Started);
    const CommitStatus status = finished();
    EXPECT_EQ(status.done, 2u);  // the upload and the ads of "shoes"
    EXPECT_EQ(status.adsNotUploaded, 1u);
    EXPECT_EQ(status.lastError, "The ads of the ad groups \" paris\" were not uploaded.");
}

TEST_F(CommitLoop, AToolThatCannotStartEndsTheCommit) {
    const std::string tool = googleFile(folder, "pwram");
    // The first change: nothing ran, the lines go back unmarked at the front.
    ASSERT_TRUE(queueChange(folder, line("stays")));
    ::chmod(tool.c_str(), 0600);
    ASSERT_EQ(commit({line("a"), line("b")}), CommitStart::ToolNotStarted);
    ::chmod(tool.c_str(), 0700);
    EXPECT_FALSE(commitInProgress());
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("a"), line("b"), line("stays")}));
    ASSERT_EQ(clearChanges(folder, readQueuedChanges(folder)), ClearResult::Cleared);

    // A later change: the commit ends instead of staying in progress for ever.
    ASSERT_EQ(commit({line("wait"), line("b"), line("c")}), CommitStart::Started);
    waitUntilRunning("wait");
    ::chmod(tool.c_str(), 0600);
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, "go"), ""));
    const CommitStatus status = finished();
    ::chmod(tool.c_str(), 0700);
    EXPECT_EQ(status.done, 1u);
    EXPECT_EQ(status.lastError, kNextChangeNotStartedText);
    EXPECT_TRUE(status.startFailed);
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("b") + " -failed", line("c")}));
}

// A damaged queue line never starts a program: it is marked failed with the
// reason, and the changes around it are sent.
TEST_F(CommitLoop, ALineThatDoesNotNameTheToolIsMarkedFailedAndTheCommitGoesOn) {
    const std::string other = "/bin/true  -action=createCampaign -name=\"t\" -outfile=\"pwr_ga.out\"";
    const std::string elsewhere = "Google/other  -action=createCampaign -name=\"o\"";
    ASSERT_EQ(commit({other, line("a"), elsewhere, line("b")}), CommitStart::Started);
    const CommitStatus status = finished();
    EXPECT_EQ(status.done, 2u);
    EXPECT_EQ(status.failed, 2u);
    EXPECT_EQ(status.lastError, kNotAToolLineText);
    EXPECT_FALSE(status.startFailed);
    EXPECT_EQ(runs(), "-name=\"a\"\n-name=\"b\"\n");
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{other + " -failed", elsewhere + " -failed"}));

    // Nothing but damaged lines: the commit ends at once, nothing runs.
    ASSERT_EQ(commit({"garbage"}), CommitStart::Started);
    EXPECT_EQ(finished().failed, 1u);
    EXPECT_EQ(readQueuedChanges(folder).back(), "garbage -failed");
}

// The change list was read before another process committed its lines: a
// commit of that stale selection sends nothing that left the queue.
TEST_F(CommitLoop, ASelectionReadBeforeAnotherCommitSendsNothingTwice) {
    ASSERT_TRUE(queueChange(folder, line("a")));
    ASSERT_TRUE(queueChange(folder, line("b")));
    const std::vector<std::string> stale = readQueuedChanges(folder);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool ok = startCommit({folder, {line("a")}, std::nullopt, {}}) == CommitStart::Started &&
                        waitForCommitEnd(std::chrono::seconds(60)) && commitStatus().done == 1;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    ASSERT_EQ(startCommit({folder, stale, std::nullopt, {}}), CommitStart::Started);
    EXPECT_EQ(finished().done, 1u);
    EXPECT_EQ(runs(), "-name=\"a\"\n-name=\"b\"\n");
    EXPECT_EQ(startCommit({folder, stale, std::nullopt, {}}), CommitStart::NothingChosen);
    EXPECT_EQ(runs(), "-name=\"a\"\n-name=\"b\"\n");
}

TEST_F(CommitLoop, LinesOfACommitThatDidNotEndGoBackToTheFront) {
    const std::string commitFile = googleFile(folder, kCommitFile);
    ASSERT_TRUE(queueChange(folder, line("queued")));
    ASSERT_TRUE(queueChange(folder, line("b")));  // also in the commit file: a crash between the two writes

    // The first line had been started and its run ended well: it is done.
    ASSERT_TRUE(replaceFileAtomically(commitFile, "#run 0\n" + line("a") + "\n" + line("b") + "\n"));
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, kChangeOutput), "done\r\n"));
    CommitRecovery recovery = recoverInterruptedCommit(folder);
    EXPECT_EQ(recovery.completed, 1u);
    EXPECT_EQ(recovery.returned, 1u);
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("b"), line("queued")}));
    EXPECT_FALSE(fileExists(commitFile));
    EXPECT_EQ(commitRecoveryMessage(recovery),
              "The last commit did not end. 1 change that was not sent is back at the top of the change list.");

    // Refused: it comes back marked. Not started or no answer: unmarked.
    ASSERT_TRUE(replaceFileAtomically(commitFile, "#run 0\n" + line("c") + "\n"));
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, kChangeOutput), "GOOGLE_API_ERROR: no\r\n"));
    recovery = recoverInterruptedCommit(folder);
    EXPECT_TRUE(recovery.lastFailed);
    ASSERT_TRUE(replaceFileAtomically(commitFile, "#run 0\n" + line("d") + "\n" + line("e") + "\n"));
    EXPECT_EQ(recoverInterruptedCommit(folder).returned, 2u);
    EXPECT_EQ(readQueuedChanges(folder),
              (std::vector<std::string>{line("d"), line("e"), line("c") + " -failed", line("b"), line("queued")}));
    EXPECT_EQ(recoverInterruptedCommit(folder).returned, 0u);
    EXPECT_EQ(commitRecoveryMessage({}), "");
}

// The commit file is a log appended to as changes run: replayed in order,
// it gives the lines not yet done and the one whose run was starting.
TEST_F(CommitLoop, TheCommitLogIsReplayedInOrder) {
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, kCommitFile),
                                      line("a") + "\n#=#odd line\n" + line("b") + "\n#run\n#done\n#front " + line("ads") +
                                          "\n#run\n"));
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, kChangeOutput), "done\r\n"));
    const CommitRecovery recovery = recoverInterruptedCommit(folder);
    EXPECT_EQ(recovery.completed, 1u);  // "ads" had run
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{"#odd line", line("b")}));
}

TEST_F(CommitLoop, RecoveryRemovesTempFilesAndSaysWhenCreatedGroupsMissTheirAds) {
    // Temporary files of atomic writes a kill left: they hold the password.
    for (const char* name : {"google.commit.Ab12Cd", "google.queue.Xy34Zw", "google.commit.lock", "google.queue.lock"})
        ASSERT_TRUE(replaceFileAtomically(googleFile(folder, name), "x"));
    // A group upload had finished, but the ads of the groups it created were not sent.
    const std::string upload = "Google/pwram  -batch=true -inFile=\"" + googleFile(folder, "70.in") +
                               "\" -todo=UploadGroups -parent -name=\"camp\" -outfile=\"pwr_ga.out\"";
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, kCommitFile), "#run 0\n" + upload + "\n"));
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, kChangeOutput), createdAdGroupRecord({11, "shoes"})));
    const CommitRecovery recovery = recoverInterruptedCommit(folder);
    EXPECT_EQ(recovery.completed, 1u);
    EXPECT_EQ(recovery.returned, 0u);
    EXPECT_TRUE(recovery.createdGroupsWithoutAds);
    EXPECT_EQ(commitRecoveryMessage(recovery),
              "The last commit did not end. The ad group upload that was running finished, but the ads of the ad "
              "groups it created were not uploaded.");
    EXPECT_FALSE(fileExists(googleFile(folder, "google.commit.Ab12Cd")));
    EXPECT_FALSE(fileExists(googleFile(folder, "google.queue.Xy34Zw")));
    EXPECT_TRUE(fileExists(googleFile(folder, "google.commit.lock")));
    EXPECT_TRUE(fileExists(googleFile(folder, "google.queue.lock")));
}

// A commit killed while its change runs: the next start waits for that run
// and judges it by its answer, so the change is neither lost nor sent again.
TEST_F(CommitLoop, RecoveryWaitsForTheRunOfAKilledCommit) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        commit({line("wait"), line("b")});
        waitForCommitEnd(std::chrono::seconds(60));
        ::_exit(0);
    }
    waitUntilRunning("wait");
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);

    auto recovered = std::async(std::launch::async, [&] { return recoverInterruptedCommit(folder); });
    EXPECT_EQ(recovered.wait_for(std::chrono::milliseconds(300)), std::future_status::timeout);
    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, "go"), ""));
    const CommitRecovery recovery = recovered.get();
    EXPECT_EQ(recovery.completed, 1u);
    EXPECT_EQ(recovery.returned, 1u);
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("b")}));
    EXPECT_EQ(runs(), "-name=\"wait\"\n");
}

// The command line commits beside the program: while one process commits,
// another neither commits, nor puts its lines back, nor deletes its files.
TEST_F(CommitLoop, ACommitOfAnotherProcessIsLeftAlone) {
    const std::string keywords = googleFile(folder, "kw0.key");
    ASSERT_TRUE(replaceFileAtomically(keywords, "red shoes/Broad/10000"));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool ok = commit({line("wait"), line("b")}) == CommitStart::Started &&
                        waitForCommitEnd(std::chrono::seconds(60)) && commitStatus().done == 2;
        ::_exit(ok ? 0 : 1);
    }
    const std::string commitFile = googleFile(folder, kCommitFile);
    waitUntilRunning("wait");
    // The other process notes the run before it starts it.
    const auto runNoted = [](const std::string& text) { return text.ends_with("#run\n"); };
    std::string running = test::readFile(commitFile);
    for (int i = 0; i < 30000 && !runNoted(running); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        running = test::readFile(commitFile);
    }
    ASSERT_TRUE(runNoted(running)) << running;

    EXPECT_EQ(commit({line("x")}), CommitStart::AlreadyRunning);
    EXPECT_EQ(recoverInterruptedCommit(folder).returned, 0u);
    EXPECT_EQ(test::readFile(commitFile), running);
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{line("x")}));
    ASSERT_EQ(clearChanges(folder, {line("x")}), ClearResult::Cleared);
    EXPECT_FALSE(hasUncommittedChanges(folder));
    EXPECT_TRUE(fileExists(keywords));  // the other commit may still need it

    ASSERT_TRUE(replaceFileAtomically(googleFile(folder, "go"), ""));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(runs(), "-name=\"wait\"\n-name=\"b\"\n");
    EXPECT_FALSE(fileExists(commitFile));
    EXPECT_FALSE(hasUncommittedChanges(folder));
    EXPECT_FALSE(fileExists(keywords));  // now no commit needs it
}

}  // namespace
}  // namespace pw
