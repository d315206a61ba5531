// The program folder's small files: countries.txt, unwanted.txt, recents.fil
// and pwstg.bin.

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST_F(ProgramFiles, CatalogueCharactersAreCharactersNotBytes) {
    const std::string euro = "\xE2\x82\xAC";
    for (const std::string c : {std::string("\xC2\xA3"), euro, std::string("\xC2\xAE"), std::string("\xE2\x84\xA2")})
        EXPECT_EQ(addCharacter(folder, c), AddCharacterResult::Added) << c;
    EXPECT_EQ(addCharacter(folder, euro), AddCharacterResult::AlreadyPresent);
    EXPECT_EQ(addCharacter(folder, '\x80'), AddCharacterResult::AlreadyPresent);  // a Windows-1252 byte is the same euro
    EXPECT_EQ(catalogueCharacters(folder),
              (std::vector<std::string>{"\xC2\xA3", euro, "\xC2\xAE", "\xE2\x84\xA2"}));

    // An older Windows-1252 catalogue is read as such and written back as UTF-8.
    writeFile(folder.unwantedFile(), "~\x80\xA3");
    EXPECT_EQ(catalogueCharacters(folder), (std::vector<std::string>{"~", euro, "\xC2\xA3"}));
    EXPECT_EQ(addCharacter(folder, "\xC3\xA9"), AddCharacterResult::Added);
    EXPECT_EQ(readFile(folder.unwantedFile()), "~" + euro + "\xC2\xA3\xC3\xA9");

    // 126 characters of two bytes each still leave room for one more.
    std::string many;
    for (int i = 0; i < 126; ++i) many += "\xC3\xA9";
    writeFile(folder.unwantedFile(), many);
    EXPECT_EQ(addCharacter(folder, euro), AddCharacterResult::Added);
    EXPECT_EQ(addCharacter(folder, '?'), AddCharacterResult::CatalogueFull);
}

// A file the user made read-only is left as it is, and the save says it failed.
TEST_F(ProgramFiles, ReadOnlyFilesAreLeftAlone) {
    createFolder(folder.programSubfolder());
    writeFile(folder.unwantedFile(), "abc");
    writeFile(folder.recentsFile(), "/p/old.pwj\n");
    ASSERT_TRUE(saveAppSettings(folder.settingsFile(), AppSettings{}));
    writeFile(folder.countriesFile(), "France");
    const std::string settingsBefore = readFile(folder.settingsFile());
    for (const std::string& path :
         {folder.unwantedFile(), folder.recentsFile(), folder.settingsFile(), folder.countriesFile()})
        ::chmod(path.c_str(), 0444);

    EXPECT_EQ(addCharacter(folder, '!'), AddCharacterResult::CannotWrite);
    EXPECT_EQ(addCharacterMessage(AddCharacterResult::CannotWrite).text, "Cannot save unwanted characters list!");
    EXPECT_FALSE(addRecentProject(folder, "/p/new.pwj"));
    EXPECT_FALSE(removeRecentProject(folder, "/p/old.pwj"));
    SettingsStore store(folder);
    EXPECT_FALSE(store.setConfirmDelete(false));
    EXPECT_FALSE(appendCountry(folder, "Spain"));

    EXPECT_EQ(readFile(folder.unwantedFile()), "abc");
    EXPECT_EQ(readFile(folder.recentsFile()), "/p/old.pwj\n");
    EXPECT_EQ(readFile(folder.settingsFile()), settingsBefore);
    EXPECT_EQ(readFile(folder.countriesFile()), "France");
    for (const std::string& path :
         {folder.unwantedFile(), folder.recentsFile(), folder.settingsFile(), folder.countriesFile()}) {
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0444u) << path;
    }
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
