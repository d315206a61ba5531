#include "ui/main/cataloguecontrollers.h"

#include <gtest/gtest.h>

#include "core/textencoding.h"
#include "tests/testsupport.h"
#include "tests/ui/common/scriptedui.h"

namespace pw::ui {
namespace {

using Strings = std::vector<std::string>;
using pw::test::repeated;

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

// Moved names keep 62 characters, whatever their bytes.
TEST_F(Catalogues, CountryNamesAreCutAfter62Characters) {
    const std::pair<std::string, std::string> cases[] = {
        {repeated("x", 70), repeated("x", 62)},
        {repeated("\xC3\xA9", 70), repeated("\xC3\xA9", 62)},
        {repeated("\xE6\x97\xA5", 40), repeated("\xE6\x97\xA5", 40)},
        {repeated("x", 61) + "\xE2\x82\xAC!", repeated("x", 61) + "\xE2\x82\xAC"},
    };
    std::string catalogue;
    for (const auto& [name, kept] : cases) catalogue += name + "\n";
    pw::test::writeFile(folder.countriesFile(), catalogue);
    CountriesController c(ui, folder, "");
    c.lists.moveToUnwanted({0, 1, 2, 3});
    ASSERT_EQ(c.lists.unwanted.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(c.lists.unwanted[i], cases[i].second) << i;
}

// The project keeps its unwanted characters in 127 bytes: what does not fit
// stays available, and the window says so.
TEST_F(Catalogues, UnwantedCharactersThatDoNotFitStayAvailable) {
    struct Case {
        const char* what;
        std::string catalogue;
        std::string unwanted;
        size_t moved;
    };
    const Case cases[] = {
        {"127 ASCII", std::string(127, '#'), "", 127},
        {"100 two-byte characters", repeated("\xC3\xA9", 100), "", 63},
        {"a euro sign already unwanted", repeated("\xC3\xA9", 100), "\xE2\x82\xAC", 62},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        pw::test::writeFile(folder.unwantedFile(), c.catalogue);
        std::vector<int> all(countCharacters(c.catalogue));
        for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
        ui.messages.clear();
        UnwantedCharactersController controller(ui, folder, c.unwanted);
        controller.moveToUnwanted(all);
        const size_t kept = c.moved + (c.unwanted.empty() ? 0 : 1);
        EXPECT_EQ(controller.lists.unwanted.size(), kept);
        EXPECT_EQ(controller.lists.available.size(), all.size() - c.moved);
        EXPECT_EQ(countCharacters(controller.ok()), kept);
        if (c.moved == all.size()) {
            EXPECT_TRUE(ui.messages.empty());
        } else {
            ASSERT_FALSE(ui.messages.empty());
            EXPECT_EQ(ui.lastMessage().text, "Only " + std::to_string(c.moved) + " of the " + std::to_string(all.size()) +
                                                 " characters fit: a project keeps at most 127 bytes of unwanted "
                                                 "characters, and a character outside ASCII takes two to four.");
        }
    }
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
