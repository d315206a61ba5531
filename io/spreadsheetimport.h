#pragma once
// Spreadsheet import: every sheet of a workbook written to a CSV file through
// the ODBC driver manager and a spreadsheet driver, for the text import to
// read the chosen one.

#include <string>
#include <string_view>
#include <vector>

#include "io/programfolder.h"

namespace pw {

class CDbStatement;

// Result codes of the conversion and of the CSV writer.
enum class ConvertResult { Success = 0, DatabaseError = 1, InvalidInput = 2, CannotOpenFile = 3, UnknownError = 4 };
std::string_view convertMessage(ConvertResult result);
constexpr std::string_view kSpreadsheetErrorCaption = "Cannot open XLS file";

// The CSV files' base name in the program folder.
constexpr std::string_view kSpreadsheetCsvBaseName = "pwr_exportxls2csv.csv";
// "...pwr_exportxls2csv.csv" -> "...pwr_exportxls2csv<index>.csv".
std::string spreadsheetCsvPath(std::string_view baseName, int index);

// .xls, .xlsx and .ods (any case) go through the spreadsheet road.
bool isSpreadsheetFile(std::string_view path);

// Our driver, beside the running executable.
std::string bundledSpreadsheetDriver();
// The driver to name: the first line of Program/spreadsheetdriver.txt (a
// library path or a driver name registered with the driver manager), else
// ours. Lets a user with another spreadsheet ODBC driver use it.
std::string spreadsheetDriverSetting(const ProgramFolder& folder);
std::string spreadsheetConnectionString(std::string_view spreadsheetPath, std::string_view driver);

// The listing's table name, less one leading and one trailing apostrophe:
// the name to query.
std::string sheetNameFromListing(std::string_view tableName);
// The name as the sheet chooser shows it: trailing $ ' " and leading ' "
// removed.
std::string sheetDisplayName(std::string_view sheetName);

struct SpreadsheetConversion {
    ConvertResult result = ConvertResult::Success;
    std::vector<std::string> sheetNames;  // in listing order; sheet i went to spreadsheetCsvPath(base, i)
    int sheetCount() const { return static_cast<int>(sheetNames.size()); }
};

// Writes sheet i of the workbook to spreadsheetCsvPath(csvBaseName, i). An
// empty sheet writes no file; every numbered file of the base name an earlier
// conversion left is removed first. Stops at the first sheet that fails.
SpreadsheetConversion convertSpreadsheet(const std::string& spreadsheetPath, const std::string& csvBaseName,
                                         const std::string& driver);
// The sheet names only, nothing written.
SpreadsheetConversion listSpreadsheetSheets(const std::string& spreadsheetPath, const std::string& driver);

// The statement's rows as CSV: a header line of the column names (a
// driver's "F<n>" placeholder written empty), then one line per row. No
// file when there is no row, nor when no column has a name and every value
// is null. Throws DbError when a value cannot be read as text.
ConvertResult writeStatementCsv(CDbStatement* statement, const std::string& fileName);

// One value inside double quotes, as the delimited-line reader reads it back.
std::string csvField(std::string_view text);

}  // namespace pw
