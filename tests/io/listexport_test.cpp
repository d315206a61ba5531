#include "io/listexport.h"

#include <gtest/gtest.h>

#include "core/keywordforms.h"
#include "core/textencoding.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

TEST(ListExport, TextAndCsvLinesEndWithCrLf) {
    Group g = test::groupOf({"cheap flights", "hidden", "say \"hi\" now"});
    g.phrases[0].hitCount = 120;
    g.phrases[1].active = 0;
    const std::vector<ListRow> rows = visibleRows(g);
    EXPECT_EQ(listAsText(rows), "cheap flights\r\nsay \"hi\" now\r\n");
    EXPECT_EQ(listAsCsv(rows, false), "\"cheap flights\",\r\n\"say \"hi\" now\",\r\n");
    EXPECT_EQ(listAsCsv(rows, true), "\"cheap flights\",\"120\",\r\n\"say \"hi\" now\",\"0\",\r\n");
    EXPECT_EQ(listAsText({}), "");
    EXPECT_EQ(listAsText({{std::string(3000, 'x'), 0}}).size(), 2046u + 2u);
}

TEST(ListExport, GroupNamesAndClipboardRows) {
    Project p;
    appendGroup(p, "Shoes");
    appendGroup(p, "Boots");
    EXPECT_EQ(groupNamesAsText(p), "Shoes\r\nBoots\r\n");
    EXPECT_EQ(keywordRowsForClipboard({"a", "\"a\"", std::string(1200, 'z')}), "a\r\n\"a\"\r\n" + std::string(998, 'z'));
}

// Phase 4's rows from a list imported half as UTF-8, half as Windows-1252:
// the clipboard text is UTF-8 throughout.
TEST(ListExport, ClipboardTextIsUtf8WhateverTheRowsCameIn) {
    Group g("Cafes");
    g.phrases.emplace_back("caf\xC3\xA9 paris");
    g.phrases.emplace_back(toUtf8("caf\xE9 rome"));
    const std::vector<std::string> rows = keywordRows(g, {true, true, false}, KeywordNotation::Symbols);
    const std::string text = keywordRowsForClipboard(rows);
    EXPECT_EQ(text, "caf\xC3\xA9 paris\r\n\"caf\xC3\xA9 paris\"\r\ncaf\xC3\xA9 rome\r\n\"caf\xC3\xA9 rome\"");
    // A row that never went through the conversion cannot spoil the others.
    EXPECT_EQ(keywordRowsForClipboard({"caf\xC3\xA9", "caf\xE9"}), "caf\xC3\xA9\r\ncaf\xC3\xA9");
    // Rows are cut to 998 characters, not bytes.
    std::string accented;
    for (int i = 0; i < 1000; ++i) accented += "\xC3\xA9";
    EXPECT_EQ(countCharacters(keywordRowsForClipboard({accented})), 998u);
}

TEST(ListExport, ExtensionIsAddedUnlessTheNameEndsWithIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"list.TXT", "list.TXT"}, {"list", "list.txt"}, {"txt", "txt.txt"}, {".txt", ".txt.txt"}, {"a.csv", "a.csv.txt"}};
    for (const auto& [typed, written] : cases) EXPECT_EQ(withExtension(typed, ".txt"), written);
}

TEST(ListExport, WritingReportsFailure) {
    test::TempFolder dir;
    EXPECT_TRUE(writeExportFile(dir.file("out.txt"), "x\r\n"));
    EXPECT_EQ(test::readFile(dir.file("out.txt")), "x\r\n");
    EXPECT_FALSE(writeExportFile(dir.file("no/such/folder.txt"), "x"));
    EXPECT_FALSE(writeExportFile("/dev/full", "x"));
}

}  // namespace
}  // namespace pw
