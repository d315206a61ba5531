#include "app/cli/clicommands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <sstream>

#include "tests/testsupport.h"

namespace pw::cli {
namespace {

using test::readFile;
using test::writeFile;

class Cli : public ::testing::Test {
protected:
    test::TempFolder dir;
    std::string project = dir.file("trip.pwj");
    std::ostringstream out, err;
    Streams io{out, err};

    void SetUp() override {
        ASSERT_EQ(newProject(io, project, false), 0);
        writeFile(dir.file("list.csv"),
                  "cheap flights,120\nCheap Flights,80\nage issues,5\nmanagement,7\nhotels france,3\n50% off,1\n");
    }
    nlohmann::json lastJson() {
        const std::string text = out.str();
        out.str("");
        return nlohmann::json::parse(text);
    }
    std::string dumped(const std::string& list = "") {
        out.str("");
        EXPECT_EQ(dump(io, project, list), 0);
        const std::string text = out.str();
        out.str("");
        return text;
    }
};

TEST_F(Cli, ImportUpdateSortExportRoundTrip) {
    ASSERT_EQ(importLists(io, project, {dir.file("list.csv")}, {}), 0);
    EXPECT_EQ(lastJson()["added"], 6);

    writeFile(dir.file("ignore.txt"), "age\r\n");
    writeFile(dir.file("countries.txt"), "france\nnew zealand\n");
    ASSERT_EQ(set(io, project, {dir.file("countries.txt"), std::nullopt}), 0);
    UpdateOptions update;
    update.ignoreFile = dir.file("ignore.txt");
    update.wholeWords = false;
    update.duplicates = true;
    update.unwantedCharacters = true;
    update.countries = true;
    ASSERT_EQ(cli::update(io, project, update), 0);
    const auto counts = lastJson();
    EXPECT_EQ(counts["changed"], 5);  // age: 2, characters: 1, duplicates: 1, countries: 1
    EXPECT_EQ(counts["visible"], 1);
    EXPECT_EQ(counts["edited"], 1);

    ASSERT_EQ(sort(io, project, {"", {"hits"}, {1}, ""}), 0);
    const std::string rows = dumped();
    EXPECT_EQ(rows.substr(0, rows.find('\n')), "cheap flights\t120\t0\t0");  // the duplicate with more hits

    ASSERT_EQ(exportList(io, project, dir.file("out.csv"), {"", true, true, {}, "symbols"}), 0);
    EXPECT_EQ(readFile(dir.file("out.csv")), "\"Cheap Flights\",\"80\",\r\n");
    ASSERT_EQ(exportList(io, project, dir.file("forms.txt"), {"", false, false, {"phrase", "exact"}, "types"}), 0);
    EXPECT_EQ(readFile(dir.file("forms.txt")), "Cheap Flights phrase\r\nCheap Flights exact\r\n");

    ASSERT_EQ(info(io, project), 0);
    const auto summary = lastJson();
    EXPECT_EQ(summary["imported"], 6);
    EXPECT_EQ(summary["countries"], nlohmann::json({"france", "new zealand"}));
    const auto& main = summary["lists"][0];
    EXPECT_EQ(main["name"], "main list");
    EXPECT_EQ(main["phrases"], 6);
    EXPECT_EQ(main["inactive"], 5);
    EXPECT_EQ(main["ignore_text"], "age\r\n");
    EXPECT_EQ(main["whole_words_only"], false);
    EXPECT_EQ(main["ads"], nlohmann::json({0, 0, 0, 0}));
}

TEST_F(Cli, WideFilesUseTheColumnOptions) {
    writeFile(dir.file("wide.csv"), "1;rome;300;x\n2;caf\xE9 paris;40;y\n");
    ImportOptions options;
    options.columns = ColumnChoice{2, 3};
    ASSERT_EQ(importLists(io, project, {dir.file("wide.csv")}, options), 0);
    EXPECT_EQ(dumped(), "rome\t300\t1\t0\ncaf\xC3\xA9 paris\t40\t1\t0\n");  // Windows-1252 arrives as UTF-8
    ASSERT_EQ(info(io, project), 0);
    EXPECT_EQ(lastJson()["lists"][0]["visible"], 2);

    // A refused column choice fails and leaves the project as it was.
    const std::string before = test::readFile(project);
    for (const auto& [phrase, hits, missing] : {std::tuple{9, std::optional<int>(3), 9}, std::tuple{2, std::optional<int>(5), 5}}) {
        options.columns = ColumnChoice{phrase, hits};
        err.str("");
        EXPECT_EQ(importLists(io, project, {dir.file("wide.csv")}, options), 1) << missing;
        EXPECT_NE(err.str().find("there is no column " + std::to_string(missing) + " (the file has 4)"), std::string::npos)
            << err.str();
        EXPECT_EQ(test::readFile(project), before) << missing;
    }
}

// A planner export takes its keyword and search columns unless others are given.
TEST_F(Cli, APlannerExportImportsWithItsOwnColumns) {
    writeFile(dir.file("planner.csv"), test::utf16le(u"Keyword Stats\r\nKeyword\tCurrency\tAvg. monthly searches\r\n"
                                                     u"new york, hotels\tEUR\t1,000\r\nrome\tEUR\t1K \u2013 10K\r\n"));
    ASSERT_EQ(importLists(io, project, {dir.file("planner.csv")}, {}), 0);
    EXPECT_EQ(dumped(), "new york, hotels\t1000\t1\t0\nrome\t1000\t1\t0\n");

    ImportOptions currencies;
    currencies.columns = ColumnChoice{2, std::nullopt};
    ASSERT_EQ(importLists(io, project, {dir.file("planner.csv")}, currencies), 0);
    EXPECT_EQ(dumped(), "new york, hotels\t1000\t1\t0\nrome\t1000\t1\t0\nEUR\t0\t1\t0\nEUR\t0\t1\t0\n");
}

TEST_F(Cli, TheSampleListStartsWithAPhraseNotAHeader) {
    ASSERT_EQ(importLists(io, project, {PW_EXAMPLES "/sample-list.csv"}, {}), 0);
    const std::string phrases = dumped();
    EXPECT_EQ(phrases.substr(0, phrases.find('\n')), "cheap flights\t12000\t1\t0");
    EXPECT_EQ(phrases.find("search phrase"), std::string::npos);
}

TEST_F(Cli, ErrorsSayWhatWentWrongAndExitNonZero) {
    writeFile(dir.file("bad.pwj"), std::string("\x12\0\0\0\0\0\0\0\0\0", 10));
    EXPECT_EQ(info(io, dir.file("bad.pwj")), 2);
    EXPECT_EQ(err.str(), "Cannot load project! File corrupt!\n");
    err.str("");
    EXPECT_EQ(info(io, dir.file("none.pwj")), 2);
    EXPECT_EQ(err.str(), "Cannot load project! File not found!\n");

    EXPECT_EQ(newProject(io, project, false), 1);
    EXPECT_EQ(dump(io, project, "No such group"), 1);
    EXPECT_EQ(sort(io, project, {"", {"free"}, {}, ""}), 1);
    EXPECT_EQ(sort(io, project, {"", {"sideways"}, {}, ""}), 1);
    writeFile(dir.file("blank.txt"), "\n");
    EXPECT_EQ(importLists(io, project, {dir.file("blank.txt")}, {}), 1);
    EXPECT_NE(err.str().find("Invalid file type"), std::string::npos);
    EXPECT_EQ(set(io, project, {std::nullopt, std::string(128, 'x')}), 1);
}

TEST_F(Cli, GroupFiltersTheMainListIntoANewGroupInNameOrder) {
    ASSERT_EQ(importLists(io, project, {dir.file("list.csv")}, {}), 0);
    out.str("");
    ASSERT_EQ(group(io, project, "Flights", "cheap flights"), 0);
    EXPECT_EQ(lastJson(), nlohmann::json({{"group", "Flights"}, {"phrases", 2}}));
    ASSERT_EQ(group(io, project, "Ages", "\"age iss\""), 0);
    EXPECT_EQ(lastJson()["phrases"], 1);
    EXPECT_EQ(dumped("Flights"), "cheap flights\t120\t1\t0\nCheap Flights\t80\t1\t0\n");
    ASSERT_EQ(info(io, project), 0);
    const auto lists = lastJson()["lists"];
    EXPECT_EQ(lists[1]["name"], "Ages");  // before "Flights" by name
    EXPECT_EQ(lists[0]["phrases"], 3);

    EXPECT_EQ(group(io, project, "Flights", "management"), 1);
    EXPECT_NE(err.str().find("A group with this name already exists!"), std::string::npos);
    EXPECT_EQ(group(io, project, "None", "zebra"), 1);
}

TEST_F(Cli, SpreadsheetsImportTheChosenSheet) {
    const std::string book = PW_FIXTURES "/keywords.ods";
    ImportOptions options;
    options.driver = PW_SHEET_DRIVER;
    options.listSheets = true;
    ASSERT_EQ(importLists(io, project, {book}, options), 0);
    EXPECT_EQ(out.str(), "Keywords\nNoHeader\nEmpty\nBob's $ list\n");
    out.str("");

    options.listSheets = false;
    options.sheet = 4;
    options.columns = ColumnChoice{1, 2};
    ASSERT_EQ(importLists(io, project, {book}, options), 0);
    EXPECT_EQ(lastJson()["added"], 3);
    EXPECT_EQ(dumped(), "item\t0\t1\t0\nwidget\t2\t1\t0\ngadget\t10\t1\t0\n");

    options.sheet = 5;
    EXPECT_EQ(importLists(io, project, {book}, options), 1);
    EXPECT_NE(err.str().find("there is no sheet 5 (the workbook has 4)"), std::string::npos) << err.str();
    options.sheet = 3;  // the empty sheet wrote no file
    EXPECT_EQ(importLists(io, project, {book}, options), 1);
    EXPECT_NE(err.str().find("Invalid file type"), std::string::npos) << err.str();
    options.sheet = 1;
    EXPECT_EQ(importLists(io, project, {PW_FIXTURES "/dates.xlsx"}, options), 1);
    EXPECT_NE(err.str().find("A database communication error occured!"), std::string::npos) << err.str();
    EXPECT_EQ(importLists(io, project, {book, dir.file("list.csv")}, options), 1);
    EXPECT_NE(err.str().find("Cannot import multiple XLS files at once!"), std::string::npos) << err.str();
}

TEST_F(Cli, RunsAsAProgram) {
    const std::string cli = PW_CLI_PATH;
    const std::string corrupt = dir.file("corrupt.pwj");
    writeFile(corrupt, std::string("\x12\0\0\0\0\0\0\0\0\0", 10));
    const int status = std::system((cli + " info " + corrupt + " 2>" + dir.file("err.txt")).c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(readFile(dir.file("err.txt")), "Cannot load project! File corrupt!\n");
    EXPECT_EQ(WEXITSTATUS(std::system((cli + " import " + project + " " + dir.file("list.csv") + " >/dev/null").c_str())), 0);
    EXPECT_NE(WEXITSTATUS(std::system((cli + " sort " + project + " 2>/dev/null").c_str())), 0);
    // The driver that ships beside the program is found there; the ending's case does not matter.
    writeFile(dir.file("Book.XLS"), readFile(PW_FIXTURES "/keywords.xls"));
    EXPECT_EQ(WEXITSTATUS(std::system((cli + " import " + project + " " + dir.file("Book.XLS") + " --list-sheets >" +
                                       dir.file("sheets.txt")).c_str())),
              0);
    EXPECT_EQ(readFile(dir.file("sheets.txt")), "Keywords\nNoHeader\nEmpty\nBob's $ list\n");
}

}  // namespace
}  // namespace pw::cli
