// The program folder's small files: countries.txt, unwanted.txt, recents.fil
// and pwstg.bin.

#include <gtest/gtest.h>

#include "io/appsettings.h"
#include "io/charactercatalogue.h"
#include "io/countrycatalogue.h"
#include "io/recentprojects.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

using test::readFile;
using test::writeFile;

class ProgramFiles : public ::testing::Test {
protected:
    test::TempFolder dir;
    ProgramFolder folder{dir.path()};
};

TEST_F(ProgramFiles, FolderLayout) {
    EXPECT_EQ(folder.root(), dir.path() + "/");
    EXPECT_EQ(folder.recentsFile(), dir.path() + "/Program/recents.fil");
    EXPECT_EQ(ProgramFolder::standard("/data/x").root(), "/data/x/");
}

TEST_F(ProgramFiles, CountryCatalogue) {
    EXPECT_TRUE(loadCountryCatalogue(folder).empty());
    ASSERT_TRUE(appendCountry(folder, "France"));
    EXPECT_EQ(readFile(folder.countriesFile()), "France");  // no leading line feed
    writeFile(folder.countriesFile(), "Spain\r\n\r\nItaly\tPeru\r\nChile");
    ASSERT_TRUE(appendCountry(folder, "New Zealand"));
    EXPECT_EQ(loadCountryCatalogue(folder),
              (std::vector<std::string>{"Spain", "Italy", "Peru", "Chile", "New Zealand"}));
    EXPECT_EQ(readFile(folder.countriesFile()), "Spain\r\n\r\nItaly\tPeru\r\nChile\nNew Zealand");
}

TEST_F(ProgramFiles, CharacterCatalogue) {
    EXPECT_EQ(loadCharacterCatalogue(folder), "");
    EXPECT_EQ(addCharacter(folder, 'a'), AddCharacterResult::Added);
    EXPECT_EQ(addCharacter(folder, 'A'), AddCharacterResult::Added);  // case matters
    EXPECT_EQ(addCharacter(folder, 'a'), AddCharacterResult::AlreadyPresent);
    EXPECT_EQ(loadCharacterCatalogue(folder), "aA");

    writeFile(folder.unwantedFile(), std::string(126, 'x'));
    EXPECT_EQ(addCharacter(folder, '!'), AddCharacterResult::Added);
    EXPECT_EQ(addCharacter(folder, '?'), AddCharacterResult::CatalogueFull);
    writeFile(folder.unwantedFile(), std::string(200, 'x'));
    EXPECT_EQ(loadCharacterCatalogue(folder).size(), 127u);
}

TEST_F(ProgramFiles, RecentProjectsKeepTwentyNewestFirst) {
    EXPECT_FALSE(readRecentProjects(folder));
    addRecentProject(folder, "/p/A.pwj");
    addRecentProject(folder, "/p/B.pwj");
    addRecentProject(folder, "/p/a.PWJ");
    EXPECT_EQ(recentProjectPaths(folder), (std::vector<std::string>{"/p/a.PWJ", "/p/B.pwj"}));
    EXPECT_EQ(readFile(folder.recentsFile()), "/p/a.PWJ\n/p/B.pwj\n");
    for (int i = 0; i < 25; ++i) addRecentProject(folder, "/p/" + std::to_string(i));
    const auto paths = recentProjectPaths(folder);
    ASSERT_EQ(paths.size(), 20u);
    EXPECT_EQ(paths.front(), "/p/24");
    EXPECT_EQ(paths.back(), "/p/5");
    removeRecentProject(folder, "/P/24");
    EXPECT_EQ(recentProjectPaths(folder).front(), "/p/23");
}

TEST_F(ProgramFiles, SettingsFallBackFieldByField) {
    const AppSettings defaults;
    EXPECT_EQ(loadAppSettings(folder.settingsFile()), defaults);

    createFolder(folder.programSubfolder());
    writeFile(folder.settingsFile(), std::string("\0\0\x11\x22\x33\x00", 6));
    AppSettings six = loadAppSettings(folder.settingsFile());
    EXPECT_FALSE(six.confirmDelete);
    EXPECT_FALSE(six.autoUpdateCheck);
    EXPECT_EQ(six.backgroundColor, 0x00332211u);
    EXPECT_EQ(six.defaultProfile, "");
    EXPECT_TRUE(six.commitHintPending);

    writeFile(folder.settingsFile(), std::string("\0\0\x11\x22", 4));
    EXPECT_EQ(loadAppSettings(folder.settingsFile()), defaults);
}

TEST_F(ProgramFiles, SettingsStoreRewritesOnChangeAndKeepsReservedBytes) {
    AppSettings stored;
    stored.defaultProfile = "work";
    stored.reserved1 = 7;
    stored.reserved2 = 9;
    createFolder(folder.programSubfolder());
    ASSERT_TRUE(saveAppSettings(folder.settingsFile(), stored));
    EXPECT_EQ(readFile(folder.settingsFile()).size(), 137u);

    SettingsStore store(folder);
    EXPECT_EQ(store.values(), stored);
    ASSERT_TRUE(store.setConfirmDelete(false));
    ASSERT_TRUE(store.setBackgroundColor(kSkinPresets[0].color()));
    const AppSettings reread = loadAppSettings(folder.settingsFile());
    EXPECT_FALSE(reread.confirmDelete);
    EXPECT_EQ(reread.reserved1, 7);
    EXPECT_EQ(reread.reserved2, 9);
    EXPECT_EQ(skinIndexForColor(reread.backgroundColor), 0);
    EXPECT_EQ(skinIndexForColor(kDefaultBackgroundColor), 9);  // "Sky Blue"
    EXPECT_EQ(skinIndexForColor(0x123456), kSkinPresetCount);
}

}  // namespace
}  // namespace pw
