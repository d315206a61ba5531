#include "io/spreadsheetimport.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>

#include "io/dbconnection.h"
#include "io/dberror.h"
#include "io/dbstatement.h"

namespace pw {

namespace {
constexpr const char* kConnectionName = "pwr_spreadsheet";
constexpr const char* kDriverFileName = "libpwsheet.so";
constexpr const char* kDriverSettingFile = "/spreadsheetdriver.txt";

bool endsWithNoCase(std::string_view text, std::string_view ending) {
    if (text.size() < ending.size()) return false;
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - ending.size() + i])) != ending[i]) return false;
    return true;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool isPlaceholderName(const std::string& name, int position) { return name == "F" + std::to_string(position); }
}  // namespace

std::string_view convertMessage(ConvertResult result) {
    switch (result) {
    case ConvertResult::Success: return "Operation successful!";
    case ConvertResult::DatabaseError: return "A database communication error occured!";
    case ConvertResult::InvalidInput: return "Invalid input!";
    case ConvertResult::CannotOpenFile: return "Cannot open file!";
    case ConvertResult::UnknownError: return "An unknown error occured!";
    }
    return "An unknown error occured!";
}

std::string spreadsheetCsvPath(std::string_view baseName, int index) {
    if (endsWithNoCase(baseName, ".csv")) baseName.remove_suffix(4);
    return std::string(baseName) + std::to_string(index) + ".csv";
}

bool isSpreadsheetFile(std::string_view path) {
    return endsWithNoCase(path, ".xls") || endsWithNoCase(path, ".xlsx") || endsWithNoCase(path, ".ods");
}

std::string bundledSpreadsheetDriver() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return kDriverFileName;
    return (self.parent_path() / kDriverFileName).string();
}

std::string spreadsheetDriverSetting(const ProgramFolder& folder) {
    std::ifstream in(folder.programSubfolder() + kDriverSettingFile);
    std::string line;
    if (in && std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) line.pop_back();
        line.erase(0, line.find_first_not_of(" \t"));
        if (!line.empty()) return line;
    }
    return bundledSpreadsheetDriver();
}

namespace {
// A value in braces may hold semicolons; a closing brace is doubled.
std::string braced(std::string_view value) {
    std::string out = "{";
    for (const char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}
}  // namespace

std::string spreadsheetConnectionString(std::string_view spreadsheetPath, std::string_view driver) {
    return "DBQ=" + braced(spreadsheetPath) + ";DRIVER=" + braced(driver) +
           ";FIL={excel 8.0};UID={admin};PWD={};UIDDBMS={};PWDDBMS={};";
}

std::string sheetNameFromListing(std::string_view tableName) {
    if (!tableName.empty() && tableName.front() == '\'') tableName.remove_prefix(1);
    if (!tableName.empty() && tableName.back() == '\'') tableName.remove_suffix(1);
    return std::string(tableName);
}

std::string sheetDisplayName(std::string_view sheetName) {
    while (!sheetName.empty() && (sheetName.back() == '$' || sheetName.back() == '\'' || sheetName.back() == '"'))
        sheetName.remove_suffix(1);
    while (!sheetName.empty() && (sheetName.front() == '\'' || sheetName.front() == '"')) sheetName.remove_prefix(1);
    return std::string(sheetName);
}

// The delimited-line reader does not undo doubled quotes: it toggles a
// "quoted" state at every double quote and cuts at commas, semicolons and
// LF outside it, then strips quotes off both ends of the field. So a cell's
// own quotes are kept as they are, and the opening and closing quote are
// chosen so that every separator inside the cell falls in the quoted state
// and the field ends outside it; the reader then gets back exactly the
// cell's text. Only a cell with separators on both sides of its own quote
// has no such form: its quotes are doubled so the columns stay in place.
// Line breaks inside a cell would end the line: they become spaces.
std::string csvField(std::string_view text) {
    std::string body(text);
    for (char& c : body)
        if (c == '\r' || c == '\n') c = ' ';
    bool separatorAtEven = false, separatorAtOdd = false;
    size_t quotes = 0;
    for (const char c : body) {
        if (c == '"') ++quotes;
        else if (c == ',' || c == ';') (quotes % 2 ? separatorAtOdd : separatorAtEven) = true;
    }
    bool open = true;
    if (separatorAtOdd && separatorAtEven) {
        std::string doubled;
        for (const char c : body) {
            doubled += c;
            if (c == '"') doubled += '"';
        }
        body = std::move(doubled);
        quotes *= 2;
    } else if (separatorAtOdd) {
        open = false;  // the cell's own first quote opens the quoted part
    }
    const bool close = (quotes + (open ? 1 : 0)) % 2 == 1;
    std::string field;
    field.reserve(body.size() + 2);
    if (open) field += '"';
    field += body;
    if (close) field += '"';
    return field;
}

ConvertResult writeStatementCsv(CDbStatement* statement, const std::string& fileName) {
    if (!statement || fileName.empty()) return ConvertResult::InvalidInput;
    if (!statement->fetch()) return ConvertResult::Success;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "wb"));
    if (!file) return ConvertResult::CannotOpenFile;

    const int columns = statement->columnCount();
    std::string out;
    bool anyName = false;
    for (int c = 0; c < columns; ++c) {
        const std::string& name = statement->columnName(c);
        const bool placeholder = isPlaceholderName(name, c + 1);
        anyName = anyName || !placeholder;
        out += csvField(placeholder ? std::string_view() : std::string_view(name));
        out += ',';
    }
    out += "\r\n";

    bool anyValue = false;
    bool written = true;
    try {
        do {
            for (int c = 0; c < columns; ++c) {
                if (c > 0) out += ',';
                if (statement->isNull(c)) {
                    out += "\"\"";
                } else {
                    anyValue = true;
                    out += csvField(statement->valueAsText(c));
                }
            }
            out += "\r\n";
            if (out.size() >= (1 << 20)) {
                written = written && std::fwrite(out.data(), 1, out.size(), file.get()) == out.size();
                out.clear();
            }
        } while (statement->fetch());
    } catch (...) {
        // A half-written sheet is of no use to anybody.
        file.reset();
        std::remove(fileName.c_str());
        throw;
    }
    written = written && std::fwrite(out.data(), 1, out.size(), file.get()) == out.size();
    written = std::fclose(file.release()) == 0 && written;
    if (!anyName && !anyValue) {
        std::remove(fileName.c_str());
        return ConvertResult::Success;
    }
    if (!written) {
        std::remove(fileName.c_str());
        return ConvertResult::CannotOpenFile;
    }
    return ConvertResult::Success;
}

namespace {
bool isNumberedCsvName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !endsWithNoCase(name, ".csv")) return false;
    const std::string_view number = name.substr(prefix.size(), name.size() - prefix.size() - 4);
    return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
}

// An empty sheet writes no file, so a file an earlier conversion left under
// its number would be imported in its place.
void removeNumberedCsvFiles(const std::string& csvBaseName) {
    const std::filesystem::path first(spreadsheetCsvPath(csvBaseName, 0));
    const std::string name = first.filename().string();
    const std::string prefix = name.substr(0, name.size() - std::string_view("0.csv").size());
    const std::filesystem::path folder = first.has_parent_path() ? first.parent_path() : ".";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (isNumberedCsvName(entry.path().filename().string(), prefix))
            std::filesystem::remove(entry.path(), error);
}

// Connects, lists the sheets and, when asked, writes each one.
SpreadsheetConversion runConversion(const std::string& spreadsheetPath, const std::string& csvBaseName,
                                    const std::string& driver, bool writeSheets) {
    SpreadsheetConversion conversion;
    try {
        try {
            CDbConnection::registerAndConnect(kConnectionName,
                                              {spreadsheetConnectionString(spreadsheetPath, driver), {}, {}, {}});
        } catch (const DbError&) {
            return {ConvertResult::DatabaseError, {}};
        }
        // Gone again on every way out, so the workbook is not held open.
        struct Disconnect {
            ~Disconnect() { CDbConnection::remove(kConnectionName); }
        } disconnect;
        CDbConnection* connection = CDbConnection::find(kConnectionName);
        if (!connection) return {ConvertResult::DatabaseError, {}};
        connection->setTransactionMode(true);
        std::unique_ptr<CDbStatement> tables = connection->listTables();
        if (tables->columnCount() < 3) return {ConvertResult::DatabaseError, {}};
        while (tables->fetch()) {
            const std::string name = sheetNameFromListing(tables->valueAsText(2));
            conversion.sheetNames.push_back(name);
            if (!writeSheets) continue;
            std::unique_ptr<CDbStatement> sheet = connection->execute("select * from [" + name + "]");
            const ConvertResult written =
                writeStatementCsv(sheet.get(), spreadsheetCsvPath(csvBaseName, conversion.sheetCount() - 1));
            if (written != ConvertResult::Success) {
                conversion.result = written;
                return conversion;
            }
        }
        return conversion;
    } catch (const DbError&) {
        conversion.result = ConvertResult::DatabaseError;
    } catch (...) {
        conversion.result = ConvertResult::UnknownError;
    }
    return conversion;
}
}  // namespace

SpreadsheetConversion convertSpreadsheet(const std::string& spreadsheetPath, const std::string& csvBaseName,
                                         const std::string& driver) {
    removeNumberedCsvFiles(csvBaseName);
    return runConversion(spreadsheetPath, csvBaseName, driver, true);
}

SpreadsheetConversion listSpreadsheetSheets(const std::string& spreadsheetPath, const std::string& driver) {
    return runConversion(spreadsheetPath, {}, driver, false);
}

}  // namespace pw
