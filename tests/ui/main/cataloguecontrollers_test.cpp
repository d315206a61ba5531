#include "ui/main/cataloguecontrollers.h"

#include <gtest/gtest.h>

#include "tests/testsupport.h"
#include "tests/ui/common/scriptedui.h"

namespace pw::ui {
namespace {

using Strings = std::vector<std::string>;

class Catalogues : public ::testing::Test {
protected:
    pw::test::TempFolder dir;
    ProgramFolder folder{dir.path()};
    test::ScriptedUi ui;
    Project project;
};

TEST_F(Catalogues, CountriesSplitBetweenAvailableAndUnwanted) {
    pw::test::writeFile(folder.countriesFile(), "France\r\nSpain\tItaly\n");
    project.unwantedCountries = "spain\nAtlantis\n";
    CountriesController c(ui, folder, project.unwantedCountries);
    EXPECT_EQ(c.lists.available, (Strings{"France", "Italy"}));
    EXPECT_EQ(c.lists.unwanted, (Strings{"spain", "Atlantis"}));

    EXPECT_FALSE(c.add("ATLANTIS"));
    EXPECT_EQ(ui.lastMessage().text, "Country already exists!");
    EXPECT_TRUE(c.add("Peru"));
    EXPECT_EQ(pw::test::readFile(folder.countriesFile()), "France\r\nSpain\tItaly\nPeru");

    c.lists.moveToAvailable({1});  // Atlantis goes to the list, not to the file
    c.lists.moveToUnwanted({0, 2});
    EXPECT_EQ(c.lists.unwanted, (Strings{"spain", "France", "Peru"}));
    EXPECT_EQ(c.ok(), "spain\nFrance\nPeru\n");
}

TEST_F(Catalogues, UnwantedCharacters) {
    pw::test::writeFile(folder.unwantedFile(), "%&!");
    project.unwantedCharacters = "&";
    UnwantedCharactersController c(ui, folder, project.unwantedCharacters);
    EXPECT_EQ(c.lists.available, (Strings{"%", "!"}));
    EXPECT_FALSE(c.add("%"));
    EXPECT_EQ(ui.lastMessage().icon, Icon::Information);
    EXPECT_TRUE(c.add("#"));
    c.lists.moveToUnwanted({2});
    EXPECT_EQ(c.ok(), "&#");

    pw::test::writeFile(folder.unwantedFile(), std::string(127, 'x'));
    EXPECT_FALSE(c.add("?"));
    EXPECT_EQ(ui.lastMessage().text, "No more unwanted characters can be added! The maximum number has been reached!");
}

TEST_F(Catalogues, UnwantedCharactersOutsideAsciiAreOneEntryEach) {
    UnwantedCharactersController c(ui, folder, "\xE2\x82\xAC");  // the project holds "€"
    EXPECT_EQ(c.lists.unwanted, (Strings{"\xE2\x82\xAC"}));
    for (const char* character : {"\xC2\xA3", "\xC2\xAE", "\xE2\x84\xA2"}) EXPECT_TRUE(c.add(character)) << character;
    EXPECT_EQ(c.lists.available, (Strings{"\xC2\xA3", "\xC2\xAE", "\xE2\x84\xA2"}));
    c.lists.moveToUnwanted({0, 2});
    EXPECT_EQ(c.ok(), "\xE2\x82\xAC\xC2\xA3\xE2\x84\xA2");
}

}  // namespace
}  // namespace pw::ui
