// Uploading project groups: the chooser's rules, the warnings, and the
// keyword and batch files the queued change names.

#include "account/projectupload.h"

#include <gtest/gtest.h>

#include "account/accountfolder.h"
#include "account/changequeue.h"
#include "core/atomicfile.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

TEST(KeywordTypes, TheChooserChecksAmountsAndTypes) {
    KeywordTypesForm form;
    EXPECT_FALSE(canAcceptKeywordTypes(form));
    clickAllTypes(form, true);
    EXPECT_TRUE(form.broad && form.phrase && form.exact);
    clickKeywordType(form, KeywordType::Phrase, false);
    EXPECT_FALSE(form.all);
    clickKeywordType(form, KeywordType::Phrase, true);
    EXPECT_TRUE(form.all);

    const struct {
        const char *cpc, *cpm, *content;
        KeywordTypesProblem problem;
        KeywordTypesField field;
        int32_t bid;
    } cases[] = {
        {"0.25", "0.00", "0", KeywordTypesProblem::None, KeywordTypesField::MaxCpc, 25},
        {"0.00", "0.50", "", KeywordTypesProblem::None, KeywordTypesField::MaxCpc, 50},
        {"0.255", "0", "0", KeywordTypesProblem::BadAmount, KeywordTypesField::MaxCpc, 0},
        {"0.25", "1,5", "0", KeywordTypesProblem::BadAmount, KeywordTypesField::MaxCpm, 0},
        {"0.25", "0", "x", KeywordTypesProblem::BadAmount, KeywordTypesField::MaxContentCpc, 0},
        {"0.25", "0.01", "0", KeywordTypesProblem::BothBids, KeywordTypesField::MaxCpc, 0},
        {"0", ".", "0", KeywordTypesProblem::NoBid, KeywordTypesField::MaxCpc, 0},
    };
    for (const auto& c : cases) {
        form.maxCpc = c.cpc;
        form.maxCpm = c.cpm;
        form.maxContentCpc = c.content;
        const KeywordTypesCheck check = checkKeywordTypes(form, false);
        EXPECT_EQ(check.problem, c.problem) << c.cpc << " " << c.cpm << " " << c.content;
        EXPECT_EQ(check.field, c.field) << c.cpc;
        if (check.ok()) EXPECT_EQ(keywordBid(check.choice), c.bid);
    }
    form.maxCpm = "1,5";
    EXPECT_EQ(checkKeywordTypes(form, false).message.text,
              "Please enter the maxCPM correctly! Don't use more than 2 decimals, enter only digits and the decimal dot!");
    EXPECT_TRUE(checkKeywordTypes(form, true).ok());  // types only: the amounts are not read
}

class ProjectUpload : public ::testing::Test {
protected:
    test::TempFolder temp;
    ProgramFolder folder{temp.path()};
    Project project;
    AccountProfile profile{.name = "p", .email = "m@x.com", .password = "pw", .token = "tk"};
    AccountCampaign campaign{.id = 7, .name = "Spring"};
    KeywordTypesChoice choice{.maxCpc = 25, .broad = true, .phrase = true};
    std::vector<std::string> warnings;

    void SetUp() override { createFolder(folder.googleFolder()); }
    Group& group(const std::string& name, std::vector<std::string> phrases) {
        Group& g = appendGroup(project, name);
        for (const std::string& p : phrases) g.phrases.emplace_back(p);
        return g;
    }
    UploadWarningAnswer answer(bool yes) {
        return [this, yes](UploadWarning, const MessageText& m) {
            warnings.push_back(m.caption + ": " + m.text);
            return yes;
        };
    }
    std::string google(const std::string& name) const { return test::readFile(googleFile(folder, name)); }
};

TEST_F(ProjectUpload, WritesKeywordFilesAndTheBatchAndQueuesOneParentLine) {
    Group& shoes = group("shoes", {"red shoes", "blue shoes", "hidden"});
    shoes.phrases[2].setAside = 1;
    group("empty", {});
    const UploadOutcome outcome = uploadProject(folder, project, campaign, profile, choice, answer(false));
    ASSERT_EQ(outcome.result, UploadResult::Queued) << outcome.message.text;
    EXPECT_EQ(outcome.message.text, kQueuedText);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(google("kw0.key"), "red shoes/Broad/250000;red shoes/Phrase/250000;blue shoes/Broad/250000;"
                                 "blue shoes/Phrase/250000");
    EXPECT_EQ(google("kw1.key"), "");
    const std::string g = folder.googleFolder();
    EXPECT_EQ(google("70.in"),
              "-batchAction=createAdGroupList\n"
              "-campaignID=7\t-name=shoes\t-maxcpc=250000\t-maxcpm=0\t-maxContentCpc=0\t-status=Enabled\t-keywordFile=" +
                  g + "/kw0.key\n"
                      "-campaignID=7\t-name=empty\t-maxcpc=250000\t-maxcpm=0\t-maxContentCpc=0\t-status=Enabled\t-keywordFile=" +
                  g + "/kw1.key\n-end_createAdGroupList");
    EXPECT_EQ(readQueuedChanges(folder), (std::vector<std::string>{outcome.line}));
    EXPECT_NE(outcome.line.find("-inFile=\"" + g + "/70.in\" -todo=UploadGroups -parent -name=\"Spring\""),
              std::string::npos);

    // The next upload takes the next free names; a project without groups
    // still queues a batch of its first and last line.
    Project none;
    ASSERT_EQ(uploadProject(folder, none, campaign, profile, choice, answer(false)).result, UploadResult::Queued);
    EXPECT_EQ(google("71.in"), "-batchAction=createAdGroupList\n-end_createAdGroupList");
}

TEST_F(ProjectUpload, EachWarningIsShownOnceAndNoAbortsWithoutWriting) {
    std::vector<std::string> many;
    for (int i = 0; i < 1001; ++i) many.push_back("phrase " + std::to_string(i));
    group("big", many);
    group("bigger", many);
    group("wordy", {"one two three four five six seven eight nine ten eleven"});
    group("long", {std::string(80, 'x'), std::string(90, 'y')});
    ASSERT_EQ(uploadProject(folder, project, campaign, profile, choice, answer(true)).result, UploadResult::Queued);
    ASSERT_EQ(warnings.size(), 3u);
    const std::string recommend = " It is recommended that you fix this before proceeding.\nDo you want to continue anyway?";
    EXPECT_EQ(warnings[0], "Too many keywords: The maximum number of keywords allowed for an ad group is 2000! Group 'big' has 2002!" + recommend);
    EXPECT_EQ(warnings[1], "Too many words: No more than 10 words per keyword phrase allowed! Group 'wordy' has a keyword phrase with 11 words!" + recommend);
    EXPECT_EQ(warnings[2], "Keyword too long: The maximum length of a keyword is 80 characters! Group 'long' contains a keyword of 81!" + recommend);

    ASSERT_EQ(clearChanges(folder, readQueuedChanges(folder)), ClearResult::Cleared);
    hasUncommittedChanges(folder);
    warnings.clear();
    EXPECT_EQ(uploadProject(folder, project, campaign, profile, choice, answer(false)).result, UploadResult::Aborted);
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_FALSE(hasUncommittedChanges(folder));
    EXPECT_FALSE(fileExists(googleFile(folder, "kw0.key")));

    // One type: 1001 keywords stay under the limit.
    choice.phrase = false;
    Project small;
    appendGroup(small, "big").phrases.emplace_back("x");
    for (int i = 0; i < 1000; ++i) small.groups[0]->phrases.emplace_back("p" + std::to_string(i));
    warnings.clear();
    EXPECT_EQ(uploadProject(folder, small, campaign, profile, choice, answer(false)).result, UploadResult::Queued);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(ProjectUpload, TextsTheFilesCannotHoldAreRefusedBeforeAnythingIsWritten) {
    group("fine", {"ok"});
    // An earlier group that would warn: the refusal comes before any warning.
    group("wordy", {"one two three four five six seven eight nine ten eleven"});
    group("bad", {"ok", "red/blue shoes"});
    const UploadOutcome outcome = uploadProject(folder, project, campaign, profile, choice, answer(true));
    EXPECT_EQ(outcome.result, UploadResult::Refused);
    EXPECT_NE(outcome.message.text.find("Group 'bad': the phrase \"red/blue shoes\""), std::string::npos);
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(fileExists(googleFile(folder, "kw0.key")));
    EXPECT_FALSE(hasUncommittedChanges(folder));

    Project named;
    appendGroup(named, "a;b").phrases.emplace_back("ok");
    EXPECT_EQ(uploadProject(folder, named, campaign, profile, choice, answer(true)).result, UploadResult::Refused);
    for (const char* text : {"a;b", "a/b", "a\tb", "a\nb"}) EXPECT_FALSE(isUploadableText(text)) << text;
    EXPECT_TRUE(isUploadableText("new york, hotels"));
}

// Names the account tool would store or read back differently are refused,
// naming the group, before anything is written.
TEST_F(ProjectUpload, GroupNamesTheToolWouldChangeAreRefused) {
    for (const char* name : {"\"hot", "\"rome\"", " paris", "paris ", "a\"b"}) {
        Project named;
        appendGroup(named, name).phrases.emplace_back("ok");
        const UploadOutcome outcome = uploadProject(folder, named, campaign, profile, choice, answer(true));
        EXPECT_EQ(outcome.result, UploadResult::Refused) << name;
        EXPECT_NE(outcome.message.text.find("The name of the group \"" + std::string(name) + "\""), std::string::npos)
            << outcome.message.text;
        EXPECT_FALSE(hasUncommittedChanges(folder)) << name;
    }
    for (const char* name : {"", " ", "a\"", " a", "a\t", "a\n"}) EXPECT_FALSE(isFaithfulName(name)) << name;
    for (const char* name : {"rome", "new york", "é"}) EXPECT_TRUE(isFaithfulName(name)) << name;
}

TEST_F(ProjectUpload, OneGroupIntoTheManagersCampaign) {
    group("shoes", {"red shoes"});
    EXPECT_EQ(uploadGroup(folder, project, "missing", 7, profile, choice, answer(true)).result, UploadResult::Aborted);
    const UploadOutcome outcome = uploadGroup(folder, project, "shoes", 7, profile, choice, answer(true));
    ASSERT_EQ(outcome.result, UploadResult::Queued);
    const std::string g = folder.googleFolder();
    EXPECT_NE(outcome.line.find("-action=createAdGroup -campaignID=7 -parent -inTargetFile=\"" + g + "/7shoes0.in\" -keywordFile=\"" +
                                g + "/kw0.key\" -name=\"shoes\""),
              std::string::npos)
        << outcome.line;
    EXPECT_FALSE(fileExists(googleFile(folder, "7shoes0.in")));  // only the name is reserved
    EXPECT_EQ(google("kw0.key"), "red shoes/Broad/250000;red shoes/Phrase/250000");
}

TEST_F(ProjectUpload, OneGroupWithAQuoteInItsNameIsRefusedBeforeAnyWarningOrFile) {
    // Its name goes onto the command line in double quotes.
    group("say \"hi\"", {"one two three four five six seven eight nine ten eleven"});
    const UploadOutcome outcome = uploadGroup(folder, project, "say \"hi\"", 7, profile, choice, answer(true));
    EXPECT_EQ(outcome.result, UploadResult::Refused);
    EXPECT_EQ(outcome.message.text, "Please don't use quotes in the ad group name!");
    EXPECT_EQ(outcome.message.caption, "Invalid input");
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(fileExists(googleFile(folder, "kw0.key")));
    EXPECT_FALSE(hasUncommittedChanges(folder));
}

}  // namespace
}  // namespace pw
