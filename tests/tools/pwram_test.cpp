// The sandbox account tool against its database, action by action, through
// the same command lines and bridge the program uses.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "account/geotargets.h"
#include "account/toolcommandline.h"
#include "account/toolcommands.h"
#include "account/toolrecords.h"
#include "tests/account/sandboxfolder.h"

namespace pw {
namespace {

using test::SandboxFolder;

AccountProfile profile(std::string password = "pw", std::string client = "") {
    AccountProfile p;
    p.name = "main";
    p.email = "m@x.com";
    p.password = std::move(password);
    p.token = "tk";
    p.clientEmail = std::move(client);
    // Sent, and ignored by the tool.
    p.useProxy = true;
    p.proxyAddress = "10.0.0.1";
    p.proxyPort = 3128;
    return p;
}

AccountCampaign campaign(std::string name = "Spring") {
    AccountCampaign c;
    c.name = std::move(name);
    c.startDate = {1, 3, 2026};
    c.endDate = {31, 12, 2099};
    c.dailyBudget = 1250;
    c.countries[countryIndexByName("GERMANY")] = true;
    c.languages[1] = true;
    c.showInGoogleSearch = true;
    return c;
}

AccountAdGroup adGroup(int32_t campaignId, std::string name = "Shoes") {
    AccountAdGroup g;
    g.campaignId = campaignId;
    g.name = std::move(name);
    g.maxCpc = 25;
    return g;
}

AccountAd ad(int32_t adGroupId) {
    AccountAd a;
    a.adGroupId = adGroupId;
    a.headline = "Red shoes";
    a.description1 = "Soft leather";
    a.description2 = "Free delivery";
    a.displayUrl = "shoes.example";
    a.destinationUrl = "shoes.example/red";
    return a;
}

// The first record of a change's answer; fails the test on a refusal.
template <typename Record, typename Reader>
Record only(const std::optional<std::string>& answer, Reader read) {
    EXPECT_TRUE(answer);
    const std::string text = answer.value_or("");
    EXPECT_EQ(text.find(kToolErrorMarker), std::string::npos) << text;
    const auto records = read(text);
    EXPECT_EQ(records.size(), 1u) << text;
    return records.empty() ? Record{} : records[0];
}

class PwramTest : public ::testing::Test {
protected:
    std::string change(const CommandLine& line) { return sandbox.run(line.value()).value_or("(no answer)"); }
    std::string read(const ReadRequest& request, const AccountProfile& p = profile()) {
        return sandbox.run(readCommand(p, request).value()).value_or("(no answer)");
    }
    std::string writeFile(const std::string& name, const std::string& text) {
        const std::string path = googleFile(sandbox.folder(), name);
        test::writeFile(path, text);
        return path;
    }
    // One campaign with one ad group; their ids.
    std::pair<int32_t, int32_t> campaignWithGroup() {
        const int32_t c = only<AccountCampaign>(change(createCampaignCommand(profile(), campaign())),
                                                readCampaignRecords).id;
        const int32_t g = only<CreatedAdGroup>(change(createAdGroupCommand(profile(), adGroup(c))),
                                               readCreatedAdGroups).id;
        return {c, g};
    }

    SandboxFolder sandbox;
};

TEST_F(PwramTest, EveryActionAgainstTheDatabase) {
    const auto [campaignId, groupId] = campaignWithGroup();
    EXPECT_GT(campaignId, 0);
    EXPECT_GT(groupId, 0);

    const auto campaigns = readCampaignRecords(read({AccountRead::Campaigns}));
    ASSERT_EQ(campaigns.size(), 1u);
    AccountCampaign expected = campaign();
    expected.id = campaignId;
    EXPECT_EQ(campaigns[0], expected);

    const std::string keywordFile = writeFile("kw0.key", "red shoes/Broad/250000;red shoes/Exact/300000");
    change(setAdGroupKeywordsCommand(profile(), campaignId, groupId, "Shoes", keywordFile));
    EXPECT_EQ(readKeywordRecords(read({AccountRead::Keywords, campaignId, groupId})),
              (std::vector<AccountKeyword>{{"red shoes", MatchType::Broad, 25}, {"red shoes", MatchType::Exact, 30}}));

    AccountAdGroup renamed = adGroup(campaignId, "Boots");
    renamed.id = groupId;
    renamed.status = AdGroupStatus::Paused;
    change(modifyAdGroupCommand(profile(), renamed));
    EXPECT_EQ(readAdGroupRecords(read({AccountRead::AdGroups, campaignId})), std::vector{renamed});

    AccountAd created = only<AccountAd>(change(createAdCommand(profile(), ad(groupId))), readAdRecords);
    EXPECT_EQ(created.destinationUrl, "http://shoes.example/red");
    EXPECT_TRUE(created.approved);
    created.headline = "Blue shoes";
    change(modifyAdCommand(profile(), created));
    const int32_t second = only<AccountAd>(change(createAdCommand(profile(), ad(groupId))), readAdRecords).id;
    change(deleteAdCommand(profile(), second, groupId, "Red shoes"));
    const auto ads = readAdRecords(read({AccountRead::Ads, 0, groupId}));
    ASSERT_EQ(ads.size(), 2u);
    EXPECT_EQ(ads[0].headline, "Blue shoes");
    EXPECT_FALSE(ads[0].deleted);
    EXPECT_TRUE(ads[1].deleted);  // deleted ads stay, with their flag

    AccountCampaign modified = expected;
    modified.dailyBudget = 99;
    modified.countries.fill(true);
    modified.status = CampaignStatus::Paused;
    change(modifyCampaignCommand(profile(), modified).value() + " -failed -child");  // marks of the queue
    change(deleteCampaignCommand(profile(), campaignId, "Spring"));
    modified.status = CampaignStatus::Deleted;
    EXPECT_EQ(readCampaignRecords(read({AccountRead::Campaigns})), std::vector{modified});
    // The name of a deleted campaign is free again.
    EXPECT_GT(only<AccountCampaign>(change(createCampaignCommand(profile(), campaign())), readCampaignRecords).id,
              campaignId);
}

TEST_F(PwramTest, AccountsAreKeptApartPerManagerAndClient) {
    change(createCampaignCommand(profile(), campaign()));
    EXPECT_EQ(readCampaignRecords(read({AccountRead::Campaigns}, profile("pw", "client@x.com"))).size(), 0u);
    AccountProfile other = profile("other");
    other.email = "n@x.com";
    EXPECT_EQ(readCampaignRecords(read({AccountRead::Campaigns}, other)).size(), 0u);
    EXPECT_EQ(readCampaignRecords(read({AccountRead::Campaigns})).size(), 1u);
}

TEST_F(PwramTest, BatchUploads) {
    const int32_t campaignId =
        only<AccountCampaign>(change(createCampaignCommand(profile(), campaign())), readCampaignRecords).id;
    const std::string kw0 = writeFile("kw0.key", "red shoes/Broad/10000;red shoes/Phrase/10000");
    const std::string kw1 = writeFile("kw1.key", "");
    const std::string id = std::to_string(campaignId);
    const std::string batch = writeFile(
        id + "0.in", "-batchAction=createAdGroupList\n-campaignID=" + id +
                         "\t-name=Shoes\t-maxcpc=250000\t-maxcpm=0\t-maxContentCpc=0\t-status=Enabled\t-keywordFile=" +
                         kw0 + "\n-campaignID=" + id +
                         "\t-name=Boots\t-maxcpc=0\t-maxcpm=50000\t-maxContentCpc=0\t-status=Enabled\t-keywordFile=" +
                         kw1 + "\n-end_createAdGroupList");
    const auto created = readCreatedAdGroups(change(uploadGroupsCommand(profile(), batch, "Spring")));
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(created[0].name, "Shoes");
    EXPECT_EQ(created[1].name, "Boots");
    EXPECT_EQ(readKeywordRecords(read({AccountRead::Keywords, campaignId, created[0].id})).size(), 2u);

    const std::string ads = writeFile(
        "ads0.in", "-batchAction=createCreativeList\n-adGroupID=" + std::to_string(created[1].id) +
                       "\t-headline=Warm boots\t-descr1=Lined\t-descr2=Cheap\t-displayURL=b.example\t"
                       "-destURL=http://b.example\t-approved=true\n-end_createCreativeList");
    EXPECT_EQ(readAdRecords(change(uploadAdsCommand(profile(), ads, "Boots"))).size(), 1u);
    EXPECT_EQ(readAdRecords(read({AccountRead::Ads, 0, created[1].id}))[0].headline, "Warm boots");

    // One project group uploaded on its own, keywords with it.
    const std::string kw2 = writeFile("kw2.key", "socks/Exact/20000");
    AccountAdGroup socks = adGroup(campaignId, "Socks");
    const auto one = readCreatedAdGroups(
        change(uploadGroupCommand(profile(), socks, googleFile(sandbox.folder(), "7Socks0.in"), kw2)));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(readKeywordRecords(read({AccountRead::Keywords, campaignId, one[0].id})).size(), 1u);
}

TEST_F(PwramTest, RefusalsLeaveTheDatabaseUnchanged) {
    const auto [campaignId, groupId] = campaignWithGroup();
    const std::string c = std::to_string(campaignId);
    const std::string g = std::to_string(groupId);
    const std::string tail = R"( -email="m@x.com" -password="pw" -token="tk" -outfile="pwr_ga.out")";
    auto line = [&](const std::string& action) { return "Google/pwram  " + action + tail; };
    int files = 0;  // each case its own file
    auto keywords = [&](const std::string& text) {
        const std::string path = writeFile("kw" + std::to_string(++files) + ".key", text);
        return *setAdGroupKeywordsCommand(profile(), campaignId, groupId, "Shoes", path);
    };
    auto groupBatch = [&](const std::string& text) {
        return *uploadGroupsCommand(profile(), writeFile(std::to_string(++files) + ".in", text), "Spring");
    };
    auto adWith = [&](void (*edit)(AccountAd&)) {
        AccountAd a = ad(groupId);
        edit(a);
        return *createAdCommand(profile(), a);
    };
    auto campaignWith = [&](void (*edit)(AccountCampaign&)) {
        AccountCampaign x = campaign("Other");
        edit(x);
        return *createCampaignCommand(profile(), x);
    };
    std::string eightyOne(81, 'k');
    const std::string groupLine =
        "-campaignID=" + c + "\t-name=New\t-maxcpc=10000\t-maxcpm=0\t-maxContentCpc=0\t-status=Enabled\t-keywordFile=";

    const struct {
        std::string line;
        std::string message;
    } cases[] = {
        {*readCommand(profile("wrong"), {AccountRead::Campaigns}), "The login email or password is not valid"},
        {R"(Google/pwram  -action=listCampaigns -email="m@x.com" -password="pw" -token="other" -outfile="lc.out")",
         "The developer token is not valid"},
        {*readCommand(profile(), {AccountRead::AdGroups, 999}), "There is no campaign with the id 999"},
        {*readCommand(profile(), {AccountRead::Keywords, campaignId, 999}), "There is no ad group with the id 999"},
        {*deleteAdCommand(profile(), 999, groupId, "x"), "There is no ad with the id 999"},
        {*createCampaignCommand(profile(), campaign()), "A campaign named 'Spring' already exists"},
        {*createAdGroupCommand(profile(), adGroup(campaignId)), "An ad group named 'Shoes' already exists"},
        {campaignWith([](AccountCampaign& x) { x.endDate = {1, 1, 2001}; }),
         "Can't set the campaign end date to the past"},
        {campaignWith([](AccountCampaign& x) { x.startDate = {1, 1, 2100}; }), "end date is before its start date"},
        {campaignWith([](AccountCampaign& x) { x.dailyBudget = 0; }), "at least one cent"},
        {line("-action=createCampaign -name=\"X\" -startDate=\"2026/01/01\" -endDate=\"2099/01/01\""
              " -dailyBudget=\"9999\""),
         "at least one cent"},
        {*createAdGroupCommand(profile(), AccountAdGroup{campaignId, 0, "Free", 0, 0, 5, AdGroupStatus::Enabled}),
         "must be at least one cent"},
        {keywords([] {
             std::string many;
             for (int i = 0; i < 2001; ++i) many += (i ? ";k" : "k") + std::to_string(i) + "/Broad/0";
             return many;
         }()),
         "more than 2000 keywords"},
        {keywords(eightyOne + "/Broad/0"), "longer than 80 characters"},
        {keywords("a b c d e f g h i j k/Broad/0"), "more than 10 words"},
        {keywords("red shoes/Broad/10000;blue sh"), "malformed or truncated"},
        // Texts that would break the upload's files are refused, as the program refuses them.
        {keywords("red/blue shoes/Broad/10000"), "holds ';', '/', a tab or a line break"},
        {*createAdGroupCommand(profile(), adGroup(campaignId, "a;b")), "holds ';', '/', a tab or a line break"},
        {adWith([](AccountAd& a) { a.headline = std::string(26, 'h'); }), "The headline is longer than 25"},
        {adWith([](AccountAd& a) { a.description2 = std::string(36, 'd'); }), "Description line 2 is longer than 35"},
        {adWith([](AccountAd& a) { a.displayUrl = std::string(36, 'u'); }), "The display URL is longer than 35"},
        {groupBatch("-batchAction=createAdGroupList\n" + groupLine + "\n"), "is truncated"},
        {groupBatch("-batchAction=createAdGroupList\n-campaignID=" + c + "\t-name\n-end_createAdGroupList"),
         "Line 2 of the batch file"},
        {groupBatch("-batchAction=createAdGroupList\n" + groupLine + googleFile(sandbox.folder(), "none.key") +
                    "\n-end_createAdGroupList"),
         "Cannot read the keyword file"},
        {*uploadAdsCommand(profile(), "/nowhere/ads.in", "Shoes"), "Cannot read the batch file '/nowhere/ads.in'"},
        {line("-action=listAdGroups -campaignID"), "The option -campaignID has no value"},
        {line("-action=listAdGroups -campaignID=abc"), "is not a whole number"},
        {line("-action=listAdGroups -=5"), "Malformed option"},
        {line("-action=dance"), "Unknown action 'dance'"},
    };
    const std::string before = sandbox.dump();
    ASSERT_NE(before.find("\"Shoes\""), std::string::npos);
    for (const auto& c : cases) {
        const std::string answer = sandbox.run(c.line).value_or("(no answer)");
        EXPECT_TRUE(answer.starts_with(kToolErrorMarker)) << c.line << "\n" << answer;
        EXPECT_NE(answer.find(c.message), std::string::npos) << answer;
        EXPECT_TRUE(answer.ends_with("\r\n")) << answer;
        EXPECT_EQ(answer.find('\n'), answer.size() - 1) << "one line: " << answer;
    }
    EXPECT_EQ(sandbox.dump(), before);

    // A batch whose second group is refused creates neither.
    const std::string kw = writeFile("ok.key", "");
    const std::string answer = change(uploadGroupsCommand(
        profile(),
        writeFile("two.in", "-batchAction=createAdGroupList\n" + groupLine + kw + "\n" +
                                groupLine.substr(0, groupLine.find("-name=")) + "-name=Shoes" +
                                groupLine.substr(groupLine.find("\t-maxcpc")) + kw + "\n-end_createAdGroupList"),
        "Spring"));
    EXPECT_NE(answer.find("already exists"), std::string::npos) << answer;
    EXPECT_EQ(sandbox.dump(), before);
}

TEST_F(PwramTest, AKilledRunChangesNothing) {
    campaignWithGroup();
    const std::string before = sandbox.dump();
    const std::string marker = googleFile(sandbox.folder(), "paused");
    AccountCampaign extra = campaign("Killed");
    const std::vector<std::string> words = splitToolCommandLine(*createCampaignCommand(profile(), extra));

    removeFile(googleFile(sandbox.folder(), "pwr_ga.out"));
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(sandbox.folder().googleFolder().c_str()) != 0) ::_exit(127);
        std::vector<std::string> args{"./pwram", "--pause-before-commit=" + marker};
        args.insert(args.end(), words.begin() + 1, words.end());
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    // The campaign is written but not yet kept when the marker appears.
    for (int i = 0; i < 3000 && !fileExists(marker); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fileExists(marker));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_FALSE(fileExists(googleFile(sandbox.folder(), "pwr_ga.out")));
    EXPECT_EQ(sandbox.dump(), before);
    // And the sandbox works on after it.
    EXPECT_EQ(readCampaignRecords(read({AccountRead::Campaigns})).size(), 1u);
}

}  // namespace
}  // namespace pw
