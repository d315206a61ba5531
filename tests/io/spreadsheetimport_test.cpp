// Spreadsheet import end to end: workbooks written by other programs, read
// by our driver through unixODBC's driver manager, written to CSV and
// imported by the text import.

#include "io/spreadsheetimport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/delimitedline.h"
#include "io/dbconnection.h"
#include "io/dberror.h"
#include "io/textimport.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::writeFile;

std::string fixture(const std::string& name) { return std::string(PW_FIXTURES) + "/" + name; }

TEST(CsvField, EveryCellReadsBackAsItsTextInItsOwnColumn) {
    // cell text, what the line reader gives back as the phrase
    const std::pair<std::string, std::string> cases[] = {
        {"red shoes", "red shoes"},
        {"", ""},
        {"new york, hotels", "new york, hotels"},
        {"5\" screen, big", "5\" screen, big"},      // one quote, the comma after it
        {"big, 5\" screen", "big, 5\" screen"},      // one quote, the comma before it
        {"a \"b\" c; d", "a \"b\" c; d"},           // balanced quotes
        {"say \"hi, there\" now", "say \"hi, there\" now"},
        {"12\" pipe", "12\" pipe"},                  // odd quotes, no separator
        {"two\nlines", "two lines"},                 // a line break would end the CSV line
        {"a, 5\" b, c", "a, 5\"\" b, c"},           // separators on both sides: columns kept, quote doubled
    };
    for (const auto& [cell, expected] : cases) {
        const std::string line = csvField(cell) + "," + csvField("7");
        const auto phrase = phraseFromLine(line, ImportColumns{2, 0, 1});
        ASSERT_TRUE(phrase) << line;
        EXPECT_EQ(phrase->text(), expected) << line;
        EXPECT_EQ(phrase->hitCount, 7) << line;
    }
    EXPECT_EQ(csvField("plain"), "\"plain\"");
}

TEST(SpreadsheetNames, FilesSheetNamesAndEndings) {
    EXPECT_EQ(spreadsheetCsvPath("/d/pwr_exportxls2csv.csv", 2), "/d/pwr_exportxls2csv2.csv");
    EXPECT_EQ(spreadsheetCsvPath("/d/pwr_exportxls2csv.CSV", 0), "/d/pwr_exportxls2csv0.csv");
    EXPECT_EQ(spreadsheetCsvPath("/d/base", 1), "/d/base1.csv");

    EXPECT_EQ(sheetNameFromListing("'Bob's $ list$'"), "Bob's $ list$");
    EXPECT_EQ(sheetNameFromListing("Sheet1$"), "Sheet1$");
    EXPECT_EQ(sheetDisplayName("Bob's $ list$"), "Bob's $ list");
    EXPECT_EQ(sheetDisplayName("'\"Quoted\"$'"), "Quoted");

    for (const char* yes : {"a.xls", "A.XLSX", "b.Ods", "/x.y/c.xls"}) EXPECT_TRUE(isSpreadsheetFile(yes)) << yes;
    for (const char* no : {"a.csv", "xls", "a.xls.txt", "a.odt"}) EXPECT_FALSE(isSpreadsheetFile(no)) << no;

    EXPECT_EQ(convertMessage(ConvertResult::DatabaseError), "A database communication error occured!");
    EXPECT_EQ(convertMessage(ConvertResult::InvalidInput), "Invalid input!");
    EXPECT_EQ(convertMessage(ConvertResult::CannotOpenFile), "Cannot open file!");
    EXPECT_EQ(convertMessage(ConvertResult::UnknownError), "An unknown error occured!");
}

TEST(SpreadsheetDriverSetting, NamesOursUnlessTheUserNamedAnother) {
    test::TempFolder dir;
    const ProgramFolder folder(dir.path());
    EXPECT_EQ(fs::path(spreadsheetDriverSetting(folder)).filename(), "libpwsheet.so");
    createFolder(folder.programSubfolder());
    writeFile(folder.programSubfolder() + "/spreadsheetdriver.txt", "  /opt/other/libxls.so \r\n");
    EXPECT_EQ(spreadsheetDriverSetting(folder), "/opt/other/libxls.so");
    EXPECT_EQ(spreadsheetConnectionString("/d/a;b.xls", "/x/lib.so").rfind("DBQ={/d/a;b.xls};DRIVER={/x/lib.so};", 0),
              0u);
}

class SpreadsheetImport : public ::testing::TestWithParam<std::string> {
protected:
    test::TempFolder dir;
    std::string base = dir.file("pwr_exportxls2csv.csv");

    SpreadsheetConversion convert(const std::string& workbook) {
        return convertSpreadsheet(workbook, base, PW_SHEET_DRIVER);
    }
};

TEST_P(SpreadsheetImport, EverySheetBecomesACsvFileAndTheChosenOneImports) {
    const SpreadsheetConversion c = convert(fixture("keywords." + GetParam()));
    ASSERT_EQ(c.result, ConvertResult::Success);
    EXPECT_EQ(c.sheetNames, (std::vector<std::string>{"Keywords$", "NoHeader$", "Empty$", "Bob's $ list$"}));

    const std::string longPhrase = [] {
        std::string s = "long";
        for (int i = 1; i < 70; ++i) s += " long";
        return s;
    }();
    EXPECT_EQ(readFile(spreadsheetCsvPath(base, 0)),
              "\"phrase\",\"hits\",\r\n"
              "\"red shoes\",\"120\"\r\n"
              "5\" screen, big\",\"7\"\r\n"
              "\"café crème\",\"3\"\r\n"
              "\"Grüße aus Köln\",\"\"\r\n"
              "\"" + longPhrase + "\",\"1\"\r\n");
    // No header cells: the driver's F1, F2 are written as empty names.
    EXPECT_EQ(readFile(spreadsheetCsvPath(base, 1)), "\"\",\"\",\r\n\"cheap flights\",\"300\"\r\n\"hotel deals\",\"150\"\r\n");
    EXPECT_FALSE(fs::exists(spreadsheetCsvPath(base, 2)));  // the empty sheet
    EXPECT_EQ(readFile(spreadsheetCsvPath(base, 3)), "\"item\",\"price\",\r\n\"widget\",\"2.50\"\r\n\"gadget\",\"10.25\"\r\n");

    // The header line's closing comma and CR count as a third column, so the
    // column dialog is asked; it takes phrases from 1 and hits from 2.
    const ChooseColumns firstAndSecond = [](const std::string&, const ImportColumns& offered) {
        EXPECT_EQ(offered.count, 3);
        return std::optional<ImportColumns>(ImportColumns{offered.count, 0, 1});
    };
    Project project;
    Group& main = project.mainList;
    const ImportReport report = importFiles(project, main, {spreadsheetCsvPath(base, 0)}, firstAndSecond);
    EXPECT_EQ(report.problem, ImportProblem::None);
    ASSERT_EQ(report.added, 6);
    EXPECT_EQ(main.phrases[0].text(), "phrase");  // the header line is a phrase too
    EXPECT_EQ(main.phrases[2].text(), "5\" screen, big");
    EXPECT_EQ(main.phrases[2].hitCount, 7);
    EXPECT_EQ(main.phrases[3].text(), "café crème");
    EXPECT_EQ(main.phrases[5].text(), longPhrase);
    // Importing sheet 0 deleted only its own file.
    EXPECT_FALSE(fs::exists(spreadsheetCsvPath(base, 0)));
    EXPECT_TRUE(fs::exists(spreadsheetCsvPath(base, 1)));

    // Without header cells the header line gives no phrase.
    const ImportReport second = importFiles(project, main, {spreadsheetCsvPath(base, 1)}, firstAndSecond);
    EXPECT_EQ(second.added, 2);
    EXPECT_EQ(main.phrases[6].text(), "cheap flights");
    EXPECT_EQ(main.phrases[6].hitCount, 300);
}

TEST_P(SpreadsheetImport, AnEmptySheetIsNotReplacedByAnEarlierWorkbooksFile) {
    for (const int stale : {2, 9}) writeFile(spreadsheetCsvPath(base, stale), "\"from an earlier workbook\",\r\n");
    writeFile(dir.file("pwr_exportxls2csv-notes.csv"), "kept");
    ASSERT_EQ(convert(fixture("keywords." + GetParam())).result, ConvertResult::Success);
    EXPECT_FALSE(fs::exists(spreadsheetCsvPath(base, 9)));
    EXPECT_TRUE(fs::exists(dir.file("pwr_exportxls2csv-notes.csv")));

    Project project;
    const ImportReport report = importFiles(project, project.mainList, {spreadsheetCsvPath(base, 2)}, {});
    EXPECT_EQ(report.problem, ImportProblem::InvalidFileType);
    EXPECT_EQ(report.added, 0);
}

TEST_P(SpreadsheetImport, ListingNamesTheSheetsAndWritesNothing) {
    const SpreadsheetConversion c = listSpreadsheetSheets(fixture("keywords." + GetParam()), PW_SHEET_DRIVER);
    ASSERT_EQ(c.result, ConvertResult::Success);
    EXPECT_EQ(c.sheetCount(), 4);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_P(SpreadsheetImport, ADateColumnIsRefusedAsADatabaseError) {
    EXPECT_EQ(convert(fixture("dates." + GetParam())).result, ConvertResult::DatabaseError);
    EXPECT_FALSE(fs::exists(spreadsheetCsvPath(base, 0)));  // no half-written sheet
    EXPECT_EQ(CDbConnection::find("pwr_spreadsheet"), nullptr);
}

TEST_P(SpreadsheetImport, DamagedWorkbooksAreDatabaseErrorsNotCrashes) {
    const std::string whole = readFile(fixture("keywords." + GetParam()));
    const std::string name = dir.file("bad." + GetParam());
    for (const std::string& bytes : {whole.substr(0, whole.size() / 2), whole.substr(0, 600), std::string(),
                                     std::string(5000, '\xFF')}) {
        writeFile(name, bytes);
        EXPECT_EQ(convert(name).result, ConvertResult::DatabaseError) << bytes.size();
    }
    EXPECT_EQ(convert(dir.file("missing." + GetParam())).result, ConvertResult::DatabaseError);
}

INSTANTIATE_TEST_SUITE_P(Formats, SpreadsheetImport, ::testing::Values("xls", "lo.xls", "xlsx", "lo.xlsx", "ods"));

TEST(SpreadsheetDriver, RefusesHostileAndDamagedWorkbooksWholeAsADatabaseError) {
    test::TempFolder dir;
    const std::string made = dir.file("made");
    const std::string command = "python3 '" PW_SOURCE_DIR "/tests/tools/make_hostile_workbooks.py' '" + made + "' '" +
                                std::string(PW_FIXTURES) + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string base = dir.file("pwr_exportxls2csv.csv");
    for (const char* name : {"repeated-row.ods", "empty-shared-strings.xlsx", "broken-shared-strings.xlsx",
                             "missing-shared-string.xls"}) {
        const SpreadsheetConversion c = convertSpreadsheet(made + "/" + name, base, PW_SHEET_DRIVER);
        EXPECT_EQ(convertMessage(c.result), "A database communication error occured!") << name;
        EXPECT_FALSE(fs::exists(spreadsheetCsvPath(base, 0))) << name;
    }
}

TEST(SpreadsheetDriver, ReadsAWorkbookThatMadeTheOldXlsReaderReadPastItsBuffer) {
    // Found by the fuzzer: a damaged .xls whose text lengths run past their records.
    test::TempFolder dir;
    const SpreadsheetConversion c =
        convertSpreadsheet(fixture("fuzzed.xls"), dir.file("pwr_exportxls2csv.csv"), PW_SHEET_DRIVER);
    EXPECT_TRUE(c.result == ConvertResult::Success || c.result == ConvertResult::DatabaseError);
}

TEST(SpreadsheetDriver, ReadsSharedTextsThatRunOverSeveralRecords) {
    test::TempFolder dir;
    const std::string base = dir.file("pwr_exportxls2csv.csv");
    ASSERT_EQ(convertSpreadsheet(fixture("many.xls"), base, PW_SHEET_DRIVER).result, ConvertResult::Success);
    const std::string csv = readFile(spreadsheetCsvPath(base, 0));
    EXPECT_EQ(csv.rfind("\"phrase\",\r\n\"phrase 0 ünïcödé\"\r\n\"phrase 1\"\r\n", 0), 0u);
    EXPECT_NE(csv.find("\r\n\"phrase 2999\"\r\n\"" + std::string(5000, 'x')), std::string::npos);
    std::string wide;
    for (int i = 0; i < 5000; ++i) wide += "ü";
    EXPECT_NE(csv.find(std::string(5000, 'x') + wide + "\"\r\n"), std::string::npos);
}

TEST(SpreadsheetDriver, ExplainsWhyAWorkbookCannotBeOpened) {
    test::TempFolder dir;
    // An old compound file under a new name, as a password-protected .xlsx is.
    writeFile(dir.file("locked.xlsx"), readFile(fixture("keywords.xls")));
    for (const auto& [path, reason] : {std::pair{dir.file("locked.xlsx"), "protected by a password"},
                                       std::pair{dir.file("none.xls"), "cannot be opened"}}) {
        try {
            CDbConnection::registerAndConnect("probe", {spreadsheetConnectionString(path, PW_SHEET_DRIVER), {}, {}, {}});
            FAIL() << path;
        } catch (const DbError& e) {
            EXPECT_NE(e.text.find("[Phrasewright][Spreadsheet driver]"), std::string::npos) << e.text;
            EXPECT_NE(e.text.find(reason), std::string::npos) << e.text;
            EXPECT_NE(e.text.find("SQLSTATE: 08001"), std::string::npos) << e.text;
        }
    }
}

TEST(CsvWriter, RefusesMissingInputAndReportsAFileItCannotCreate) {
    test::TempFolder dir;
    EXPECT_EQ(writeStatementCsv(nullptr, dir.file("x.csv")), ConvertResult::InvalidInput);

    CDbConnection& db = CDbConnection::registerAndConnect(
        "writer", {"DRIVER={" PW_SQLITE_ODBC_DRIVER "};Database=" + dir.file("w.db") + ";", {}, {}, {}});
    db.execute("create table t (F1 varchar(10), F2 varchar(10), name varchar(10))");
    EXPECT_EQ(writeStatementCsv(db.execute("select * from t").get(), dir.file("none.csv")), ConvertResult::Success);
    EXPECT_FALSE(fs::exists(dir.file("none.csv")));  // no rows, no file

    db.execute("insert into t values (null, null, null)");
    EXPECT_EQ(writeStatementCsv(db.execute("select F1, F2 from t").get(), dir.file("nulls.csv")),
              ConvertResult::Success);
    EXPECT_FALSE(fs::exists(dir.file("nulls.csv")));  // no names, no values
    EXPECT_EQ(writeStatementCsv(db.execute("select F2, F1 from t").get(), dir.file("swapped.csv")),
              ConvertResult::Success);
    EXPECT_EQ(readFile(dir.file("swapped.csv")), "\"F2\",\"F1\",\r\n\"\",\"\"\r\n");  // not at their own places
    EXPECT_EQ(writeStatementCsv(db.execute("select * from t").get(), dir.file("no/such/dir.csv")),
              ConvertResult::CannotOpenFile);
    CDbConnection::remove("writer");
}

}  // namespace
}  // namespace pw
