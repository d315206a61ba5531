#include "io/textimport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/textencoding.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

using test::repeated;
using test::TempFolder;
using test::utf16le;
using test::textsOf;
using test::writeFile;

int columnCount(const std::string& path) { return detectLayout(path).value_or(ListLayout{}).columns.count; }

TEST(ColumnDetection, CountsTheNonEmptyFieldsOfTheFirstLine) {
    TempFolder dir;
    const std::pair<std::string, int> cases[] = {
        {"\n\ncheap flights\n", 1}, {"a,,b\nx,y,z\n", 2}, {"a;b;c\n", 3}, {"a,b\r\n", 2},
        {"a,b,\r\n", 3},  // the CR is a field of its own
        {"", 0},         {"\n\n\n", 0},
        {",;,\n", 0},
        {"a\rb,c,d\r", 1},  // old Mac line ends: a CR no LF follows ends the line
    };
    for (const auto& [content, count] : cases) {
        writeFile(dir.file("f.csv"), content);
        EXPECT_EQ(columnCount(dir.file("f.csv")), count) << content;
    }
    EXPECT_FALSE(detectLayout(dir.file("missing.csv")));
    auto automaticFor = [](int count) { return automaticColumns(ListLayout{ImportColumns{count, 0, -1}}); };
    EXPECT_EQ(automaticFor(1)->hitColumn, -1);
    EXPECT_EQ(automaticFor(2)->hitColumn, 1);
    EXPECT_FALSE(automaticFor(3));
    EXPECT_FALSE(automaticFor(0));
}

TEST(TextFileReading, LinesArePiecesOfAtMost2046Characters) {
    TempFolder dir;
    const std::string longLine(3000, 'x');
    writeFile(dir.file("list.txt"), "  first  \r\n\r\n" + longLine + "\n" + std::string(2046, 'y') + "\nlast");
    Group g;
    std::vector<int> progress;
    const int added = appendFromTextFile(g, dir.file("list.txt"), {1, 0, -1}, [&](int p) { progress.push_back(p); });
    EXPECT_EQ(added, 5);
    const auto texts = textsOf(g.phrases);
    EXPECT_EQ(texts[0], "first");
    EXPECT_EQ(texts[1].size(), 2046u);
    EXPECT_EQ(texts[2].size(), 954u);
    EXPECT_EQ(texts[3].size(), 2046u);  // its LF arrives alone and is skipped
    EXPECT_EQ(texts[4], "last");
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_GT(g.modifiedTime, 0u);
    EXPECT_EQ(appendFromTextFile(g, dir.file("missing.txt"), {1, 0, -1}), 0);
}

TEST(TextFileReading, LinesEndAtLfCrLfOrALoneCr) {
    TempFolder dir;
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"red,1\nblue,2\n", {"red", "blue"}},
        {"red,1\r\nblue,2\r\n", {"red", "blue"}},
        {"red,1\rblue,2\rgreen,3", {"red", "blue", "green"}},
        {"red,1\r\rblue,2\ngreen,3\r\n", {"red", "blue", "green"}},
    };
    for (const auto& [content, texts] : cases) {
        writeFile(dir.file("list.csv"), content);
        ASSERT_EQ(columnCount(dir.file("list.csv")), 2) << content;
        Group g;
        EXPECT_EQ(appendFromTextFile(g, dir.file("list.csv"), {2, 0, 1}), static_cast<int>(texts.size())) << content;
        EXPECT_EQ(textsOf(g.phrases), texts) << content;
        EXPECT_EQ(g.phrases.back().hitCount, static_cast<int32_t>(texts.size())) << content;
    }
}

// Keyword planners write UTF-16 with a mark, tab-separated; others UTF-8 with
// a mark; older tools Windows-1252. All arrive as UTF-8 phrases.
TEST(TextFileReading, FilesAreConvertedToUtf8WhereTheyEnter) {
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string bytes;
        int columns;
        std::vector<std::string> texts;
        std::vector<int32_t> hits;
    };
    const Case cases[] = {
        {"UTF-16LE, tabs", utf16le(u"red shoes\t1200\r\nblue shoes\t90\r\n") + "c\0\xE9\0\t\0" "7\0"s, 2,
         {"red shoes", "blue shoes", "c\xC3\xA9"}, {1200, 90, 7}},
        {"UTF-16 split at tabs: commas and semicolons are data", utf16le(u"red, shoes\t1,200\r\n\tleft;out\r\n"), 2,
         {"red, shoes"}, {1200}},
        {"UTF-16 without tabs: split at commas", utf16le(u"red,3\r\nblue;4\tx\r\n"), 2, {"red", "blue"}, {3, 4}},
        {"UTF-8 with a mark", "\xEF\xBB\xBF" "caf\xC3\xA9 paris,3\nrome,4\n", 2, {"caf\xC3\xA9 paris", "rome"}, {3, 4}},
        {"Windows-1252", "caf\xE9 paris,3\n\x80 deals,5\n", 2, {"caf\xC3\xA9 paris", "\xE2\x82\xAC deals"}, {3, 5}},
        {"no mark, tabs stay in the text", "red\tshoes,3\n", 2, {"red\tshoes"}, {3}},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(dir.file("list.csv"), c.bytes);
        const std::optional<ListLayout> layout = detectLayout(dir.file("list.csv"));
        ASSERT_TRUE(layout);
        EXPECT_EQ(layout->columns.count, c.columns);
        Group g;
        ASSERT_EQ(appendFromTextFile(g, dir.file("list.csv"), *automaticColumns(*layout)),
                  static_cast<int>(c.texts.size()));
        EXPECT_EQ(textsOf(g.phrases), c.texts);
        for (size_t i = 0; i < c.hits.size(); ++i) EXPECT_EQ(g.phrases[i].hitCount, c.hits[i]);
    }
}

// Pieces count characters whatever their bytes, and are cut between them.
TEST(TextFileReading, ALongLineIsCutAfter2046Characters) {
    const std::string japanese = repeated("\xE6\x97\xA5", 1000);  // 3,000 bytes
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<size_t> characters;  // of each phrase
        int32_t firstHits;
    };
    const Case cases[] = {
        {"1,000 Japanese characters and a count", japanese + ",55\n", {1000}, 55},
        {"3,000 UTF-8 \"\xC3\xA9\"", repeated("\xC3\xA9", 3000) + "\n", {2046, 954}, 0},
        {"3,000 Windows-1252 \"\xC3\xA9\"", std::string(3000, '\xE9') + "\n", {2046, 954}, 0},
        {"a cut inside a character", "x" + repeated("\xC3\xA9", 2500), {2046, 455}, 0},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(dir.file("list.txt"), c.bytes);
        Group g;
        ASSERT_EQ(appendFromTextFile(g, dir.file("list.txt"), {2, 0, 1}), static_cast<int>(c.characters.size()));
        for (size_t i = 0; i < c.characters.size(); ++i) {
            EXPECT_TRUE(isValidUtf8(g.phrases[i].text()));
            EXPECT_EQ(countCharacters(g.phrases[i].text()), c.characters[i]);
        }
        EXPECT_EQ(g.phrases[0].hitCount, c.firstHits);
    }
}

TEST(TextFileReading, StopsWhenCancelled) {
    TempFolder dir;
    std::string big;
    for (int i = 0; i < 20000; ++i) big += "phrase number " + std::to_string(i) + "\n";
    writeFile(dir.file("big.txt"), big);
    std::atomic<bool> cancel{true};
    Group g;
    const int added = appendFromTextFile(g, dir.file("big.txt"), {1, 0, -1}, {}, &cancel);
    EXPECT_GT(added, 0);
    EXPECT_LT(added, 20000);
}

class ImportJob : public ::testing::Test {
protected:
    TempFolder dir;
    Project project;
    int asked = 0;
    ChooseColumns chooseSecond = [this](const std::string&, const ImportColumns& offered) -> std::optional<ImportColumns> {
        ++asked;
        return ImportColumns{offered.count, 1, -1};
    };
};

TEST_F(ImportJob, ImportsEachFileByItsColumnsAndCountsThem) {
    writeFile(dir.file("one.txt"), "hotels\ncheap flights;ignored,too\n");
    writeFile(dir.file("two.csv"), "phrase,count\n\"new york, hotels\",\"1,200\"\n");
    writeFile(dir.file("three.csv"), "1,rome,x\n2,paris,y\n");
    const ImportReport r = importFiles(project, project.mainList,
                                       {dir.file("one.txt"), dir.file("two.csv"), dir.file("three.csv")}, chooseSecond);
    EXPECT_EQ(r.added, 6);
    EXPECT_EQ(r.problem, ImportProblem::None);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(textsOf(project.mainList.phrases),
              (std::vector<std::string>{"hotels", "cheap flights", "phrase", "new york, hotels", "rome", "paris"}));
    EXPECT_EQ(project.mainList.phrases[3].hitCount, 1);
    EXPECT_EQ(project.importedCount, 6);
    EXPECT_EQ(project.editedCount, 6);
}

TEST_F(ImportJob, SkipsWhatIsNotAListAndStopsAtAFileWithoutPhrases) {
    writeFile(dir.file("blank.txt"), "\n\n");
    writeFile(dir.file("good.txt"), "a\nb\n");
    writeFile(dir.file("quotes.txt"), "\"\"\n''\n");
    writeFile(dir.file("after.txt"), "c\n");
    ImportReport r = importFiles(project, project.mainList, {dir.file("blank.txt"), dir.file("good.txt")}, chooseSecond);
    EXPECT_EQ(r.added, 2);
    EXPECT_EQ(r.problem, ImportProblem::InvalidFileType);
    EXPECT_EQ(importMessage(r.problem).text, "Invalid file type");

    r = importFiles(project, project.mainList, {dir.file("quotes.txt"), dir.file("after.txt")}, chooseSecond);
    EXPECT_EQ(r.added, 0);
    EXPECT_EQ(r.problem, ImportProblem::ErrorImporting);
    EXPECT_EQ(importMessage(r.problem).caption, "Error");
    EXPECT_EQ(project.mainList.phrases.size(), 2u);  // the earlier phrases stay

    // Declining the column choice skips the file quietly.
    writeFile(dir.file("wide.csv"), "a,b,c\n");
    r = importFiles(project, project.mainList, {dir.file("wide.csv")}, nullptr);
    EXPECT_EQ(r.problem, ImportProblem::None);
    EXPECT_EQ(r.added, 0);
}

TEST_F(ImportJob, TemporarySpreadsheetFilesAreDeletedAfterTheirTurn) {
    const std::string sheet = dir.file("pwr_exportxls2csv0.csv");
    writeFile(sheet, "a,1\n");
    importFiles(project, project.mainList, {sheet}, chooseSecond);
    EXPECT_FALSE(std::filesystem::exists(sheet));
    EXPECT_EQ(project.mainList.phrases.size(), 1u);
}

// A keyword planner's export as it comes: UTF-16 with a mark, tab-separated,
// title lines above a header row, counts with separators or as ranges.
TEST_F(ImportJob, APlannerExportImportsItsKeywordsWithTheirSearchCounts) {
    const std::u16string header =
        u"Keyword\tCurrency\tAvg. monthly searches\tThree month change\tCompetition\r\n";
    const std::u16string rows = u"new york, hotels\tEUR\t1,000\t0%\tHigh\r\n"
                                u"cheap; flights\tEUR\t1K \u2013 10K\t-90%\tLow\r\n"
                                u"h\u00F4tel paris\tEUR\t12\t\tMedium\r\n";
    const std::u16string title = u"Keyword Stats 2026-12-01 at 10_00_00\r\n";
    const std::u16string dates = u"All locations, 1 November 2025 - 31 October 2026\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        int linesBeforeData;
    };
    const Case cases[] = {
        {"one title line", utf16le(title + header + rows), 2},
        {"two title lines", utf16le(title + dates + header + rows), 3},
        {"no title line, LF line ends", utf16le(u"Keyword\tAvg. Monthly Searches (exact match only)\tCompetition\n"
                                                u"new york, hotels\t1,000\t0.5\ncheap; flights\t1K \u2013 10K\t1\n"
                                                u"h\u00F4tel paris\t12\t\n"),
         1},
    };
    ChooseColumns takeOffered = [this](const std::string&, const ImportColumns& offered) {
        ++asked;
        return std::optional<ImportColumns>(offered);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(dir.file("planner.csv"), c.bytes);
        const std::optional<ListLayout> layout = detectLayout(dir.file("planner.csv"));
        ASSERT_TRUE(layout);
        EXPECT_TRUE(layout->plannerExport);
        EXPECT_EQ(layout->columns.phraseColumn, 0);
        EXPECT_GE(layout->columns.count, 3);
        EXPECT_EQ(layout->columns.linesBeforeData, c.linesBeforeData);

        Group list;
        asked = 0;
        const ImportReport r = importFiles(project, list, {dir.file("planner.csv")}, takeOffered);
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(r.added, 3);
        EXPECT_EQ(textsOf(list.phrases), (std::vector<std::string>{"new york, hotels", "cheap; flights", "h\xC3\xB4tel paris"}));
        ASSERT_EQ(list.phrases.size(), 3u);
        EXPECT_EQ(list.phrases[0].hitCount, 1000);
        EXPECT_EQ(list.phrases[1].hitCount, 1000);
        EXPECT_EQ(list.phrases[2].hitCount, 12);
    }
}

// Only a UTF-16 file is searched for a planner's header row.
TEST(ColumnDetection, AHeaderRowInAFileWithoutAUtf16MarkIsData) {
    TempFolder dir;
    writeFile(dir.file("list.txt"), "Keyword\tAvg. monthly searches\tCompetition\nred,1,000\n");
    const std::optional<ListLayout> layout = detectLayout(dir.file("list.txt"));
    ASSERT_TRUE(layout);
    EXPECT_FALSE(layout->plannerExport);
    EXPECT_EQ(layout->columns.count, 1);
    EXPECT_FALSE(layout->columns.tabSeparated);
    EXPECT_EQ(layout->columns.linesBeforeData, 0);
}

TEST(IgnoreBoxImport, AppendsEachLineOnItsOwnLine) {
    EXPECT_EQ(appendIgnoreLines("", "age\r\nfree\n\nx"), "age\r\nfree\r\nx");
    EXPECT_EQ(appendIgnoreLines("old", "new\n"), "old\r\nnew");
    EXPECT_EQ(appendIgnoreLines("old\r\n", "new"), "old\r\nnew");
    using namespace std::string_literals;
    EXPECT_EQ(appendIgnoreLines("", "\xFF\xFE" "a\0\xE9\0\r\0\n\0" "b\0"s), "a\xC3\xA9\r\nb");
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {
TEST(ColumnDetection, AFileWithNulBytesIsNotAList) {
    pw::test::TempFolder dir;
    const std::string picture = dir.file("picture.png");
    pw::test::writeFile(picture, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR,a;b\n", 21));
    EXPECT_EQ(columnCount(picture), 0);
    const std::string planner = dir.file("planner.csv");
    pw::test::writeFile(planner, std::string("\xFF\xFEk\0w\0\t\0" "1\0\n\0", 12));
    EXPECT_EQ(columnCount(planner), 2);
}
}  // namespace
}  // namespace pw
