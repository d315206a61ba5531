// The spreadsheet driver's workbook readers on hostile and damaged files,
// made by make_hostile_workbooks.py: each is refused whole, within the
// conversion's byte budget, and the largest sheet the formats allow still
// reads.

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "sheettable.h"
#include "workbook.h"
#include "zippedxml.h"

namespace pwsheet {
namespace {

class HostileWorkbooks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = (std::filesystem::temp_directory_path() / ("pwsheet-hostile-" + std::to_string(::getpid()))).string();
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(folder_); }
    // Made once per test program; the large one only when a test asks.
    static std::string file(const std::string& name) {
        const bool large = name == "max-rows.xlsx";
        if (!std::filesystem::exists(folder_ + "/" + name)) {
            const std::string command = "python3 '" PW_SOURCE_DIR "/tests/tools/make_hostile_workbooks.py' '" +
                                        folder_ + "' '" PW_SOURCE_DIR "/tests/io/fixtures'" +
                                        (large ? " --large-only" : "");
            EXPECT_EQ(std::system(command.c_str()), 0) << command;
        }
        return folder_ + "/" + name;
    }

    static inline std::string folder_;
};

// Past the limit by at most the one charge that crossed it.
void expectWithinBudget(const ByteCounter& counted, const std::string& name) {
    EXPECT_LE(counted.held, kMaxHeldBytes + kMaxCellTextBytes + 4096) << name;
    EXPECT_LE(counted.text, kMaxTextBytes + kMaxCellTextBytes) << name;
}

TEST_F(HostileWorkbooks, FilesThatUnpackIntoGigabytesAreRefusedWithinTheBudget) {
    const std::pair<const char*, const char*> cases[] = {
        {"repeated-row.ods", kTooLargeError},
        {"shared-string-million.xlsx", kTooLargeError},
        {"empty-shared-strings.xlsx", kTooLargeError},
        {"many-sheets.ods", kTooLargeError},
        {"nested.xlsx", "damaged"},
    };
    for (const auto& [name, reason] : cases) {
        const ReadResult read = readWorkbook(file(name));
        EXPECT_FALSE(read.workbook) << name;
        EXPECT_NE(read.error.find(reason), std::string::npos) << name << ": " << read.error;
        expectWithinBudget(read.counted, name);
    }
}

TEST_F(HostileWorkbooks, ADamagedPartFailsTheWholeWorkbook) {
    const std::pair<const char*, const char*> cases[] = {
        {"broken-shared-strings.xlsx", "xl/sharedStrings.xml"},
        {"laughs.xlsx", "xl/sharedStrings.xml"},
        {"broken-styles.xlsx", "xl/styles.xml"},
        {"broken-rels.xlsx", "xl/_rels/workbook.xml.rels"},
        {"missing-shared-string.xlsx", "a shared string the workbook does not have"},
        {"overrun.xls", "damaged or cut short"},
        {"missing-shared-string.xls", "a shared string the workbook does not have"},
        {"short-shared-strings.xls", "shared-string table is damaged"},
    };
    for (const auto& [name, reason] : cases) {
        const ReadResult read = readWorkbook(file(name));
        EXPECT_FALSE(read.workbook) << name;
        EXPECT_NE(read.error.find(reason), std::string::npos) << name << ": " << read.error;
    }
}

TEST_F(HostileWorkbooks, TheMostRowsTheFormatAllowsStillRead) {
    const ReadResult read = readWorkbook(file("max-rows.xlsx"));
    ASSERT_TRUE(read.workbook) << read.error;
    const Table table = sheetTable(read.workbook->sheets.at(0));
    ASSERT_EQ(table.rowCount(), kMaxRows);
    EXPECT_EQ(cellText(table.cell(kMaxRows - 1, 0), table.columns[0]), "cheap flights 1048575");
    EXPECT_EQ(cellText(table.cell(kMaxRows - 1, 1), table.columns[1]), std::to_string(1048575 % 5000));
}

TEST(XmlWalk, RefusesDocumentTypesAndDepthButNotARealPart) {
    const XmlHandler none;
    std::string deep;
    for (size_t i = 0; i < kMaxXmlDepth + 1; ++i) deep += "<a>";
    for (size_t i = 0; i < kMaxXmlDepth + 1; ++i) deep += "</a>";
    EXPECT_FALSE(walkXml(deep, none));
    EXPECT_TRUE(walkXml(deep.substr(3, deep.size() - 7), none));
    EXPECT_FALSE(walkXml("<!DOCTYPE a [<!ENTITY b \"c\">]><a>&b;</a>", none));
    EXPECT_FALSE(walkXml("<a><b></a>", none));
    // One attribute longer than any real one: the parser would hold all of it.
    EXPECT_FALSE(walkXml("<a b=\"" + std::string(20u << 20, 'x') + "\"/>", none));

    bool stop = false;
    XmlHandler stopping;
    stopping.start = [&](std::string_view name, const XmlAttributes&) { stop = name == "b"; };
    stopping.stop = &stop;
    EXPECT_FALSE(walkXml("<a><b/></a>", stopping));
}

}  // namespace
}  // namespace pwsheet
