// The change queue file and what the change list shows of its lines.

#include "account/changequeue.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "account/accountfolder.h"
#include "core/atomicfile.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

class ChangeQueue : public ::testing::Test {
protected:
    test::TempFolder temp;
    ProgramFolder folder{temp.path()};
    void SetUp() override { createFolder(folder.googleFolder()); }
    std::string queueText() const { return test::readFile(changeQueuePath(folder)); }
};

TEST_F(ChangeQueue, QueuesEachLineOnceForTheUserAlone) {
    EXPECT_FALSE(hasUncommittedChanges(folder));
    ASSERT_TRUE(queueChange(folder, "Google/pwram  -action=createCampaign -name=\"A\""));
    EXPECT_TRUE(queueChange(folder, "Google/pwram  -action=createCampaign -name=\"A\""));
    ASSERT_TRUE(queueChange(folder, "Google/pwram  -action=createCampaign -name=\"B\" -failed"));
    // The failed form in the queue counts for the plain line.
    EXPECT_TRUE(queueChange(folder, "Google/pwram  -action=createCampaign -name=\"B\""));
    EXPECT_FALSE(queueChange(folder, ""));
    EXPECT_FALSE(queueChange(folder, "two\nlines"));
    EXPECT_EQ(queueText(),
              "Google/pwram  -action=createCampaign -name=\"A\"\n"
              "Google/pwram  -action=createCampaign -name=\"B\" -failed\n");
    EXPECT_TRUE(hasUncommittedChanges(folder));

    struct stat info {};
    ASSERT_EQ(::stat(changeQueuePath(folder).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // every line holds the password

    EXPECT_EQ(failedForm("x -failed"), "x -failed");
    EXPECT_EQ(failedForm("x"), "x -failed");
}

// Private files are created and replaced for the user alone without the
// process-wide umask changing (other threads create files meanwhile).
TEST_F(ChangeQueue, PrivateFilesAreTheUsersAloneAndTheUmaskStays) {
    const mode_t before = ::umask(022);
    const std::string fresh = googleFile(folder, "fresh.in");
    const std::string shared = googleFile(folder, "shared.in");
    test::writeFile(shared, "old");
    ::chmod(shared.c_str(), 0644);
    for (const std::string& path : {fresh, shared}) {
        ASSERT_TRUE(writePrivateFile(path, "secret")) << path;
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u) << path;
        EXPECT_EQ(test::readFile(path), "secret");
    }
    EXPECT_EQ(::umask(before), 022u);
}

TEST_F(ChangeQueue, AnEmptyQueueDropsLeftoverUploadFiles) {
    for (const char* name : {"kw0.key", "5" "0.in", "keep.txt"})
        ASSERT_TRUE(replaceFileAtomically(googleFile(folder, name), "x"));
    ASSERT_TRUE(queueChange(folder, "line"));
    EXPECT_TRUE(hasUncommittedChanges(folder));
    EXPECT_TRUE(fileExists(googleFile(folder, "kw0.key")));  // still needed by the queued line
    ASSERT_EQ(clearChanges(folder, {"line"}), ClearResult::Cleared);
    EXPECT_FALSE(hasUncommittedChanges(folder));
    EXPECT_FALSE(fileExists(googleFile(folder, "kw0.key")));
    EXPECT_FALSE(fileExists(googleFile(folder, "50.in")));
    EXPECT_TRUE(fileExists(googleFile(folder, "keep.txt")));
}

TEST_F(ChangeQueue, ClearingKeepsLinesQueuedSinceTheListWasRead) {
    for (const char* line : {"a", "b", "c"}) ASSERT_TRUE(queueChange(folder, line));
    const std::vector<std::string> listed = readQueuedChanges(folder);
    ASSERT_TRUE(queueChange(folder, "d -failed"));  // the commit loop returned one meanwhile
    ASSERT_EQ(clearChanges(folder, selectedChanges(listed, {true, false, true})), ClearResult::Cleared);
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{"b", "d -failed"}));
}

// The command line queues while the program rewrites the queue: no line
// appended by one process is lost by the other's rewrite.
TEST_F(ChangeQueue, AnotherProcessesAppendsSurviveRewrites) {
    constexpr int kLines = 200;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        bool ok = true;
        for (int i = 0; i < kLines; ++i) ok = queueChange(folder, "child " + std::to_string(i)) && ok;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        ASSERT_TRUE(queueChange(folder, "mine"));
        ASSERT_EQ(clearChanges(folder, {"mine"}), ClearResult::Cleared);
    }
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::vector<std::string> expected;
    for (int i = 0; i < kLines; ++i) expected.push_back("child " + std::to_string(i));
    EXPECT_EQ(readQueuedChanges(folder), expected);
}

TEST(ChangeLabels, ActionAndTargetOfEachKindOfLine) {
    const struct {
        const char* line;
        const char* action;
        const char* target;
    } cases[] = {
        {"t -action=modifyCampaign -name=\"Old\" -status=\"Deleted\"", "Delete campaign", "Old"},
        {"t -action=modifyCampaign -name=\"Old\" -status=\"Paused\"", "Modify campaign", "Old"},
        {"t -action=createCampaign -name=\"New\"", "Create campaign", "New"},
        {"t -action=createAdGroup -parent -name=\"g\"", "Upload ad group", "g"},
        {"t -action=createAdGroup -name=\"g\"", "Create ad group", "g"},
        {"t -action=modifyAdGroup -name=\"g\" -keywordFile=\"k\"", "Set ad group keywords", "g"},
        {"t -action=modifyAdGroup -name=\"g\"", "Modify ad group", "g"},
        {"t -action=deleteCreative -name=\"Head\"", "Delete ad", "Head"},
        {"t -action=createCreative -headline=\"Head\"", "Create ad", "Head"},
        {"t -action=modifyCreative -headline=\"Head\"", "Modify ad", "Head"},
        {"t -batch=true -todo=UploadAds -name=\"g\"", "Upload ads", "g"},
        {"t -batch=true -todo=UploadGroups -parent -name=\"c\"", "Upload ad groups", "c"},
        {"t -action=listCampaigns", "Unknown action", "Unknown target"},
        {"t -name=\"unclosed", "Unknown action", "Unknown target"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(changeActionLabel(c.line), c.action) << c.line;
        EXPECT_EQ(changeTargetLabel(c.line), c.target) << c.line;
    }
    const std::string far = "t -name=\"" + std::string(128, 'x') + "\"";
    EXPECT_EQ(changeTargetLabel(far), "Unknown target");
    EXPECT_EQ(changeTargetLabel("t -name=\"" + std::string(127, 'x') + "\""), std::string(127, 'x'));
    // The limit counts characters: 127 of two bytes each still show.
    std::string accented;
    for (int i = 0; i < 127; ++i) accented += "é";
    EXPECT_EQ(changeTargetLabel("t -name=\"" + accented + "\""), accented);
}

TEST(ChangeList, ChildRowsFollowTheirParent) {
    const std::vector<std::string> lines = {
        "t -todo=UploadGroups -parent -name=\"c\"", "t -todo=UploadAds -child -name=\"g\"",
        "t -action=createCampaign -name=\"x\" -child", "t -action=createCampaign -name=\"y\" -failed"};
    const auto rows = changeRows(lines);
    EXPECT_EQ(rows[1].action, "|--Upload ads");
    EXPECT_EQ(rows[1].target, "|--g");
    EXPECT_TRUE(rows[3].failed);
    EXPECT_FALSE(rows[3].child);

    std::vector<bool> selected(4, true);
    selected[0] = false;  // the user deselects the parent
    followParentSelection(lines, selected);
    EXPECT_EQ(selected, (std::vector<bool>{false, false, false, true}));
    EXPECT_TRUE(anyChangeSelected(selected));
    EXPECT_FALSE(anyChangeSelected({false, false}));
    EXPECT_EQ(selectedChanges(lines, selected), (std::vector<std::string>{lines[3]}));
}

// Names and paths are the user's: markers inside them mean nothing.
TEST(ChangeList, MarkersCountOnlyAsTheirOwnWords) {
    const struct {
        const char* line;
        bool failed, parent, child;
    } cases[] = {
        {"t -action=createCampaign -name=\"D -failed\" -outfile=\"o\"", false, false, false},
        {"t -action=createCampaign -name=\"D -failed\" -outfile=\"o\" -failed", true, false, false},
        {"t -batch=true -inFile=\"/home/a-child/x-failed/50.in\" -todo=UploadAds -name=\"g\"", false, false, false},
        {"t -batch=true -inFile=\"/data/-child/50.in\" -todo=UploadGroups -parent -name=\"-child\"", false, true, false},
        {"t -batch=true -inFile=\"/data/-parent/51.in\" -todo=UploadAds -child -name=\"-parent\"", false, false, true},
        {"t -todo=UploadAds\t-child\t-name=\"g\" -failed", true, false, true},
        {"t -name=\"x\" -parented -childish", false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isFailedChange(c.line), c.failed) << c.line;
        EXPECT_EQ(isParentChange(c.line), c.parent) << c.line;
        EXPECT_EQ(isChildChange(c.line), c.child) << c.line;
        const ChangeRow row = changeRows({c.line}).front();
        EXPECT_EQ(row.failed, c.failed) << c.line;
        EXPECT_EQ(row.child, c.child) << c.line;
    }
    EXPECT_EQ(failedForm("t -name=\"D -failed\""), "t -name=\"D -failed\" -failed");
}

}  // namespace
}  // namespace pw
