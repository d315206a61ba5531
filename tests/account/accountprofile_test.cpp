// The profile file and the rules of the profile windows.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "account/accountcaches.h"
#include "account/accountfolder.h"
#include "account/profilerules.h"
#include "core/filelock.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

AccountProfile fullProfile() {
    AccountProfile p;
    p.name = "Main";
    p.email = "m@x.com";
    p.password = "secret";
    p.token = "TOKEN-1";
    p.useProxy = true;
    p.proxyType = 2;
    p.proxyAddress = "192.168.100.200";
    p.proxyPort = 8080;
    p.proxyUser = "pu";
    p.proxyPassword = "pp";
    p.clientEmail = "c@x.com";
    return p;
}

// The expected file, laid out by hand field by field.
std::string handMadeBytes() {
    std::string b(1052, '\0');
    auto put = [&](size_t at, std::string_view s) { b.replace(at, s.size(), s); };
    put(0, "Main");
    put(128, "m@x.com");
    put(256, "secret");
    put(384, "TOKEN-1");
    b[640] = 1;
    b[644] = 2;
    put(648, "192.168.100.200");
    b[664] = static_cast<char>(8080 & 0xFF);
    b[665] = static_cast<char>(8080 >> 8);
    put(668, "pu");
    put(796, "pp");
    put(924, "c@x.com");
    return b;
}

TEST(AccountProfileFile, ByteLayout) {
    test::TempFolder dir;
    const std::string path = dir.file("Main.google");
    ASSERT_TRUE(saveProfile(fullProfile(), path));
    EXPECT_EQ(test::readFile(path), handMadeBytes());
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // it holds passwords

    test::writeFile(dir.file("other.google"), handMadeBytes());
    EXPECT_EQ(loadProfile(dir.file("other.google")), fullProfile());
    AccountProfile negative;
    negative.proxyType = -3;
    negative.proxyPort = -1;
    EXPECT_EQ(profileFromBytes(std::string(reinterpret_cast<const char*>(profileBytes(negative).data()), 1052)),
              negative);
}

TEST(AccountProfileFile, ShortAndEmptyFiles) {
    test::TempFolder dir;
    test::writeFile(dir.file("short.google"), handMadeBytes().substr(0, 260));
    const auto shortOne = loadProfile(dir.file("short.google"));
    ASSERT_TRUE(shortOne);
    EXPECT_EQ(shortOne->email, "m@x.com");
    EXPECT_EQ(shortOne->password, "secr");  // cut inside the field, the rest stays empty
    EXPECT_EQ(shortOne->token, "");
    EXPECT_FALSE(shortOne->useProxy);
    test::writeFile(dir.file("empty.google"), "");
    EXPECT_FALSE(loadProfile(dir.file("empty.google")));
    EXPECT_FALSE(loadProfile(dir.file("missing.google")));
}

TEST(ProfileRules, ChecksInOrder) {
    struct Case {
        const char* what;
        void (*edit)(AccountProfile&);
        ProfileProblem problem;
        ProfileField field;
    } cases[] = {
        {"complete", [](AccountProfile&) {}, ProfileProblem::None, ProfileField::Name},
        {"no token", [](AccountProfile& p) { p.token.clear(); }, ProfileProblem::Missing, ProfileField::Token},
        {"no name", [](AccountProfile& p) { p.name.clear(); }, ProfileProblem::Missing, ProfileField::Name},
        {"long email", [](AccountProfile& p) { p.email = std::string(128, 'e'); }, ProfileProblem::TooLong,
         ProfileField::Email},
        {"long address", [](AccountProfile& p) { p.proxyAddress = "1234.1234.1234.1"; }, ProfileProblem::TooLong,
         ProfileField::ProxyAddress},
        {"quote in password", [](AccountProfile& p) { p.password = "a\"b"; }, ProfileProblem::DoubleQuote,
         ProfileField::Password},
        {"quote in proxy password", [](AccountProfile& p) { p.proxyPassword = "\""; }, ProfileProblem::DoubleQuote,
         ProfileField::ProxyPassword},
        {"slash in name", [](AccountProfile& p) { p.name = "a/b"; }, ProfileProblem::BadFileName, ProfileField::Name},
        {"dot dot", [](AccountProfile& p) { p.name = ".."; }, ProfileProblem::BadFileName, ProfileField::Name},
        {"listed as another", [](AccountProfile& p) { p.name = "shop.google"; }, ProfileProblem::BadFileName,
         ProfileField::Name},
    };
    for (const Case& c : cases) {
        AccountProfile p = fullProfile();
        c.edit(p);
        const ProfileCheck check = checkProfile(p);
        EXPECT_EQ(check.problem, c.problem) << c.what;
        if (!check.ok()) {
            EXPECT_EQ(check.field, c.field) << c.what;
        }
    }
    EXPECT_EQ(profileProblemMessage({ProfileProblem::DoubleQuote, ProfileField::Password}).text,
              "The field 'Google manager password:' cannot contain a double quote (\")!");
}

TEST(ProfileRules, PortText) {
    EXPECT_EQ(proxyPortFromText("8a80"), 8);
    EXPECT_EQ(proxyPortFromText(""), 0);
    EXPECT_EQ(proxyPortFromText("x1"), 0);
    EXPECT_EQ(proxyPortText(0), "");
    EXPECT_EQ(proxyPortText(-5), "");
    EXPECT_EQ(proxyPortText(443), "443");
}

TEST(ProfileRules, CreateRenameDeleteAndList) {
    test::TempFolder dir;
    const ProgramFolder folder(dir.path());
    AccountProfile p = fullProfile();
    EXPECT_EQ(createProfile(folder, p), ProfileSaveResult::Saved);
    struct stat info {};
    ASSERT_EQ(::stat(folder.googleFolder().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ProfileCheck check;
    EXPECT_EQ(createProfile(folder, p, &check), ProfileSaveResult::AlreadyExists);
    EXPECT_EQ(profileProblemMessage(check).text, "This Google profile already exists! Please choose a different name!");

    test::writeFile(profilePath(folder, "two.google"), handMadeBytes());  // "two.google.google"
    test::writeFile(folder.googleFolder() + "/notes.googlex", "x");
    EXPECT_EQ(profileRows(folder, "TWO"), (std::vector<ProfileRow>{{"Main", false}, {"two", true}}));

    ASSERT_TRUE(renameProfile(folder, "Main", "Renamed"));
    EXPECT_EQ(loadProfile(profilePath(folder, "Renamed"))->name, "Main");  // the record keeps its name
    EXPECT_TRUE(deleteProfile(folder, "Renamed"));
    EXPECT_FALSE(deleteProfile(folder, "Renamed"));
}

TEST(ProfileRules, SettingADefaultDropsTheFormerOnesWork) {
    test::TempFolder dir;
    const ProgramFolder folder(dir.path());
    createFolder(folder.programSubfolder());
    createGoogleFolder(folder);
    for (const char* name : {"google.queue", "kw0.key", "kw12.key", "42Shoes0.in", "keep.txt", "Main.google"})
        test::writeFile(googleFile(folder, name), "x");
    campaignCache().replace({AccountCampaign{}});
    adGroupCache().replace({AccountAdGroup{}});

    SettingsStore settings(folder);
    ASSERT_EQ(setDefaultProfile(settings, folder, "Main"), DefaultProfileResult::Changed);
    EXPECT_EQ(loadAppSettings(folder.settingsFile()).defaultProfile, "Main");
    EXPECT_TRUE(campaignCache().copy().empty());
    EXPECT_TRUE(adGroupCache().copy().empty());
    for (const char* gone : {"google.queue", "kw0.key", "kw12.key", "42Shoes0.in"})
        EXPECT_FALSE(fileExists(googleFile(folder, gone))) << gone;
    EXPECT_TRUE(fileExists(googleFile(folder, "keep.txt")));
    EXPECT_TRUE(fileExists(googleFile(folder, "Main.google")));
    EXPECT_TRUE(isDefaultProfile("MAIN", "Main"));
    EXPECT_FALSE(isDefaultProfile("", ""));

    // Naming the default again keeps the queue; so does any change while a
    // commit runs (here, another process holds the commit lock).
    for (const char* kept : {"google.queue", "kw1.key"}) test::writeFile(googleFile(folder, kept), "x");
    EXPECT_EQ(setDefaultProfile(settings, folder, "MAIN"), DefaultProfileResult::AlreadyDefault);
    {
        const auto otherCommit = FileLock::tryAcquire(googleFile(folder, kCommitLockFile));
        ASSERT_TRUE(otherCommit);
        EXPECT_EQ(setDefaultProfile(settings, folder, "Other"), DefaultProfileResult::CommitRunning);
    }
    EXPECT_EQ(loadAppSettings(folder.settingsFile()).defaultProfile, "Main");
    for (const char* kept : {"google.queue", "kw1.key"}) EXPECT_TRUE(fileExists(googleFile(folder, kept))) << kept;
    EXPECT_EQ(setDefaultProfile(settings, folder, "Other"), DefaultProfileResult::Changed);
    EXPECT_FALSE(fileExists(googleFile(folder, "google.queue")));
}

}  // namespace
}  // namespace pw
