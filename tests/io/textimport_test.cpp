#include "io/textimport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/testsupport.h"

namespace pw {
namespace {

using test::TempFolder;
using test::textsOf;
using test::writeFile;

TEST(ColumnDetection, CountsTheNonEmptyFieldsOfTheFirstLine) {
    TempFolder dir;
    const std::pair<std::string, int> cases[] = {
        {"\n\ncheap flights\n", 1}, {"a,,b\nx,y,z\n", 2}, {"a;b;c\n", 3}, {"a,b\r\n", 2},
        {"a,b,\r\n", 3},  // the CR is a field of its own
        {"", 0},         {"\n\n\n", 0},
        {",;,\n", 0},
    };
    for (const auto& [content, count] : cases) {
        writeFile(dir.file("f.csv"), content);
        EXPECT_EQ(detectColumns(dir.file("f.csv")), count) << content;
    }
    EXPECT_FALSE(detectColumns(dir.file("missing.csv")));
    EXPECT_EQ(automaticColumns(1)->hitColumn, -1);
    EXPECT_EQ(automaticColumns(2)->hitColumn, 1);
    EXPECT_FALSE(automaticColumns(3));
    EXPECT_FALSE(automaticColumns(0));
}

TEST(TextFileReading, LinesArePiecesOfAtMost2046Bytes) {
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
    ChooseColumns chooseSecond = [this](const std::string&, int count) -> std::optional<ImportColumns> {
        ++asked;
        return ImportColumns{count, 1, -1};
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

TEST(IgnoreBoxImport, AppendsEachLineOnItsOwnLine) {
    EXPECT_EQ(appendIgnoreLines("", "age\r\nfree\n\nx"), "age\r\nfree\r\nx");
    EXPECT_EQ(appendIgnoreLines("old", "new\n"), "old\r\nnew");
    EXPECT_EQ(appendIgnoreLines("old\r\n", "new"), "old\r\nnew");
}

}  // namespace
}  // namespace pw
