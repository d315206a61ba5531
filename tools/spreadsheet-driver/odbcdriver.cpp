// The ODBC entry points of the spreadsheet driver: read-only, every sheet a
// table, "select * from [Name$]" the one query. unixODBC's driver manager
// loads this library by path and calls these functions.

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "sheettable.h"
#include "workbook.h"

namespace pwsheet {
namespace {

constexpr const char* kMessagePrefix = "[Phrasewright][Spreadsheet driver]";
constexpr const char* kDriverName = "libpwsheet.so";

struct DiagRecord {
    std::string state;
    SQLINTEGER native = 0;
    std::string message;
};

struct Diagnostics {
    std::vector<DiagRecord> records;
    SQLRETURN fail(const char* state, std::string message, SQLRETURN rc = SQL_ERROR) {
        records.push_back({state, 0, kMessagePrefix + std::move(message)});
        return rc;
    }
};

enum class Kind : uint32_t { Env = 0x70776531, Dbc = 0x70776432, Stmt = 0x70777333 };

struct Handle {
    explicit Handle(Kind k) : kind(k) {}
    Kind kind;
    Diagnostics diag;
};

struct Env : Handle {
    Env() : Handle(Kind::Env) {}
    SQLINTEGER odbcVersion = SQL_OV_ODBC3;
};

struct Dbc : Handle {
    explicit Dbc(Env* e) : Handle(Kind::Dbc), env(e) {}
    Env* env;
    std::optional<Workbook> book;
    std::string connectionString;
    int statements = 0;
};

struct Binding {
    SQLSMALLINT type;
    SQLPOINTER target;
    SQLLEN length;
    SQLLEN* indicator;
};

struct Stmt : Handle {
    explicit Stmt(Dbc* d) : Handle(Kind::Stmt), dbc(d) {}
    Dbc* dbc;
    std::optional<Table> result;
    size_t nextRow = 0;
    std::optional<size_t> row;  // the current row after a fetch
    std::map<SQLUSMALLINT, Binding> bindings;
    std::vector<size_t> dataOffset;  // how far SQLGetData has handed out each column
    std::vector<bool> dataDone;
};

template <typename T>
T* as(SQLHANDLE handle, Kind kind) {
    auto* h = static_cast<Handle*>(handle);
    return h && h->kind == kind ? static_cast<T*>(h) : nullptr;
}

std::string text(SQLCHAR* s, SQLINTEGER length) {
    if (!s) return {};
    if (length == SQL_NTS) return reinterpret_cast<const char*>(s);
    return length > 0 ? std::string(reinterpret_cast<const char*>(s), static_cast<size_t>(length)) : std::string();
}

// Copies a text into a caller's buffer; true when it had to be cut.
template <typename Length>
bool putText(const std::string& value, SQLPOINTER buffer, SQLLEN bufferLength, Length* written) {
    if (written) *written = static_cast<Length>(value.size());
    if (!buffer || bufferLength <= 0) return !value.empty() || !buffer;
    const size_t room = static_cast<size_t>(bufferLength) - 1;
    const size_t n = std::min(room, value.size());
    std::memcpy(buffer, value.data(), n);
    static_cast<char*>(buffer)[n] = '\0';
    return n < value.size();
}

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// key=value;key={value; with semicolons}; the keys in lower case.
std::map<std::string, std::string> parseConnectionString(const std::string& s) {
    std::map<std::string, std::string> pairs;
    size_t i = 0;
    while (i < s.size()) {
        const size_t eq = s.find('=', i);
        if (eq == std::string::npos) break;
        std::string key = s.substr(i, eq - i);
        key.erase(0, key.find_first_not_of(" \t"));
        key.erase(key.find_last_not_of(" \t") + 1);
        std::string value;
        i = eq + 1;
        if (i < s.size() && s[i] == '{') {
            ++i;
            while (i < s.size()) {
                if (s[i] == '}') {
                    if (i + 1 < s.size() && s[i + 1] == '}') {
                        value += '}';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += s[i++];
            }
            const size_t semi = s.find(';', i);
            i = semi == std::string::npos ? s.size() : semi + 1;
        } else {
            const size_t semi = s.find(';', i);
            value = s.substr(i, semi == std::string::npos ? std::string::npos : semi - i);
            i = semi == std::string::npos ? s.size() : semi + 1;
        }
        pairs[lower(key)] = value;
    }
    return pairs;
}

SQLSMALLINT sqlTypeOf(ColumnType type) {
    switch (type) {
    case ColumnType::Text: return SQL_VARCHAR;
    case ColumnType::LongText: return SQL_LONGVARCHAR;
    case ColumnType::Integer: return SQL_INTEGER;
    case ColumnType::Double: return SQL_DOUBLE;
    case ColumnType::Date: return SQL_TYPE_DATE;
    case ColumnType::DateTime: return SQL_TYPE_TIMESTAMP;
    case ColumnType::Time: return SQL_TYPE_TIME;
    }
    return SQL_VARCHAR;
}

SQLSMALLINT defaultCType(ColumnType type) {
    switch (type) {
    case ColumnType::Integer: return SQL_C_SLONG;
    case ColumnType::Double: return SQL_C_DOUBLE;
    case ColumnType::Date: return SQL_C_TYPE_DATE;
    case ColumnType::DateTime: return SQL_C_TYPE_TIMESTAMP;
    case ColumnType::Time: return SQL_C_TYPE_TIME;
    default: return SQL_C_CHAR;
    }
}

bool supportedCType(SQLSMALLINT type) {
    switch (type) {
    case SQL_C_CHAR:
    case SQL_C_BINARY:
    case SQL_C_LONG:
    case SQL_C_SLONG:
    case SQL_C_DOUBLE:
    case SQL_C_TYPE_DATE:
    case SQL_C_DATE:
    case SQL_C_TYPE_TIMESTAMP:
    case SQL_C_TIMESTAMP:
    case SQL_C_TYPE_TIME:
    case SQL_C_TIME:
    case SQL_C_DEFAULT: return true;
    default: return false;
    }
}

std::optional<double> numericValue(const Cell& cell) {
    if (cell.kind == CellKind::Integer || cell.kind == CellKind::Number) return cell.number;
    if (cell.kind != CellKind::Text) return std::nullopt;
    const std::string text(cell.textView());
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0') return std::nullopt;
    return value;
}

// Y-M-D h:m:s fields of a date, date-time or time text.
bool dateFields(const Cell& cell, int (&f)[6]) {
    std::fill(std::begin(f), std::end(f), 0);
    const std::string text(cell.textView());
    if (cell.kind == CellKind::Date || cell.kind == CellKind::DateTime)
        return std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]) >= 3;
    if (cell.kind == CellKind::Time) return std::sscanf(text.c_str(), "%d:%d:%d", &f[3], &f[4], &f[5]) == 3;
    return false;
}

// One value into a caller's buffer. `offset` is where a text continues when
// SQLGetData hands it out in pieces.
SQLRETURN putValue(Stmt& s, const Cell& cell, const TableColumn& column, SQLSMALLINT type, SQLPOINTER target,
                   SQLLEN length, SQLLEN* indicator, size_t* offset) {
    if (cell.kind == CellKind::Empty) {
        if (!indicator) return s.diag.fail("22002", "A null value needs a length/indicator buffer.");
        *indicator = SQL_NULL_DATA;
        return SQL_SUCCESS;
    }
    if (type == SQL_C_DEFAULT) type = defaultCType(column.type);
    switch (type) {
    case SQL_C_CHAR:
    case SQL_C_BINARY: {
        const std::string whole = cellText(cell, column);
        const size_t from = offset ? std::min(*offset, whole.size()) : 0;
        const std::string rest = whole.substr(from);
        const size_t room = length <= 0 ? 0 : static_cast<size_t>(length) - (type == SQL_C_CHAR ? 1 : 0);
        const size_t n = std::min(room, rest.size());
        if (target && length > 0) {
            std::memcpy(target, rest.data(), n);
            if (type == SQL_C_CHAR) static_cast<char*>(target)[n] = '\0';
        }
        if (indicator) *indicator = static_cast<SQLLEN>(rest.size());
        if (offset) *offset = from + n;
        if (n < rest.size()) return s.diag.fail("01004", "String data, right truncated.", SQL_SUCCESS_WITH_INFO);
        return SQL_SUCCESS;
    }
    case SQL_C_LONG:
    case SQL_C_SLONG: {
        const auto value = numericValue(cell);
        if (!value) return s.diag.fail("22018", "The cell '" + cellText(cell, column) + "' is not a number.");
        if (*value < -2147483648.0 || *value > 2147483647.0)
            return s.diag.fail("22003", "The number does not fit a 32-bit integer.");
        if (target) *static_cast<SQLINTEGER*>(target) = static_cast<SQLINTEGER>(*value);
        if (indicator) *indicator = sizeof(SQLINTEGER);
        return SQL_SUCCESS;
    }
    case SQL_C_DOUBLE: {
        const auto value = numericValue(cell);
        if (!value) return s.diag.fail("22018", "The cell '" + cellText(cell, column) + "' is not a number.");
        if (target) *static_cast<SQLDOUBLE*>(target) = *value;
        if (indicator) *indicator = sizeof(SQLDOUBLE);
        return SQL_SUCCESS;
    }
    default: {
        int f[6];
        if (!dateFields(cell, f)) return s.diag.fail("07006", "The cell cannot be converted to a date or time.");
        if (type == SQL_C_TYPE_DATE || type == SQL_C_DATE) {
            if (target) *static_cast<SQL_DATE_STRUCT*>(target) = {static_cast<SQLSMALLINT>(f[0]),
                                                                  static_cast<SQLUSMALLINT>(f[1]),
                                                                  static_cast<SQLUSMALLINT>(f[2])};
            if (indicator) *indicator = sizeof(SQL_DATE_STRUCT);
        } else if (type == SQL_C_TYPE_TIME || type == SQL_C_TIME) {
            if (target) *static_cast<SQL_TIME_STRUCT*>(target) = {static_cast<SQLUSMALLINT>(f[3]),
                                                                  static_cast<SQLUSMALLINT>(f[4]),
                                                                  static_cast<SQLUSMALLINT>(f[5])};
            if (indicator) *indicator = sizeof(SQL_TIME_STRUCT);
        } else {
            if (target)
                *static_cast<SQL_TIMESTAMP_STRUCT*>(target) = {
                    static_cast<SQLSMALLINT>(f[0]), static_cast<SQLUSMALLINT>(f[1]), static_cast<SQLUSMALLINT>(f[2]),
                    static_cast<SQLUSMALLINT>(f[3]), static_cast<SQLUSMALLINT>(f[4]), static_cast<SQLUSMALLINT>(f[5]),
                    0};
            if (indicator) *indicator = sizeof(SQL_TIMESTAMP_STRUCT);
        }
        return SQL_SUCCESS;
    }
    }
}

void openResult(Stmt& s, Table table) {
    s.result.emplace(std::move(table));
    s.nextRow = 0;
    s.row.reset();
    s.dataOffset.assign(s.result->columns.size(), 0);
    s.dataDone.assign(s.result->columns.size(), false);
}

// "select * from [Name$]" (or a bare name): the sheet's name, less its "$".
std::optional<std::string> queriedSheet(const std::string& sql) {
    std::string rest = sql;
    rest.erase(0, rest.find_first_not_of(" \t\r\n"));
    rest.erase(rest.find_last_not_of(" \t\r\n;") + 1);
    const std::string prefix = "select * from ";
    if (lower(rest.substr(0, prefix.size())) != prefix) return std::nullopt;
    rest.erase(0, prefix.size());
    rest.erase(0, rest.find_first_not_of(" \t\r\n"));
    if (rest.size() >= 2 && rest.front() == '[' && rest.back() == ']') rest = rest.substr(1, rest.size() - 2);
    else if (rest.size() >= 2 && rest.front() == '`' && rest.back() == '`') rest = rest.substr(1, rest.size() - 2);
    return rest;
}

const Sheet* findSheet(const Workbook& book, std::string name) {
    auto byName = [&](const std::string& wanted) -> const Sheet* {
        for (const Sheet& sheet : book.sheets)
            if (sheet.name == wanted) return &sheet;
        return nullptr;
    };
    if (!name.empty() && name.back() == '$') {
        if (const Sheet* sheet = byName(name.substr(0, name.size() - 1))) return sheet;
    }
    if (const Sheet* sheet = byName(name)) return sheet;
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'') return findSheet(book, name.substr(1, name.size() - 2));
    return nullptr;
}

SQLRETURN fetchNext(Stmt& s) {
    if (!s.result) return s.diag.fail("24000", "Invalid cursor state: no result to fetch from.");
    if (s.nextRow >= s.result->rowCount()) {
        s.row.reset();
        return SQL_NO_DATA;
    }
    s.row = s.nextRow++;
    std::fill(s.dataOffset.begin(), s.dataOffset.end(), 0);
    std::fill(s.dataDone.begin(), s.dataDone.end(), false);
    SQLRETURN rc = SQL_SUCCESS;
    for (const auto& [number, b] : s.bindings) {
        if (number > s.result->columns.size()) continue;
        const SQLRETURN one = putValue(s, s.result->cell(*s.row, number - 1), s.result->columns[number - 1], b.type,
                                       b.target, b.length, b.indicator, nullptr);
        if (one == SQL_ERROR) return SQL_ERROR;
        if (one == SQL_SUCCESS_WITH_INFO) rc = one;
    }
    return rc;
}

template <typename F>
SQLRETURN guarded(Handle* h, F&& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return h ? h->diag.fail("HY001", "Out of memory.") : SQL_ERROR;
    } catch (...) {
        return h ? h->diag.fail("HY000", "An unexpected failure in the driver.") : SQL_ERROR;
    }
}

SQLRETURN infoText(const std::string& value, SQLPOINTER buffer, SQLSMALLINT length, SQLSMALLINT* written,
                   Diagnostics& diag) {
    if (putText(value, buffer, length, written) && buffer)
        return diag.fail("01004", "String data, right truncated.", SQL_SUCCESS_WITH_INFO);
    return SQL_SUCCESS;
}

template <typename T>
SQLRETURN infoNumber(T value, SQLPOINTER buffer, SQLSMALLINT* written) {
    if (buffer) std::memcpy(buffer, &value, sizeof value);
    if (written) *written = sizeof value;
    return SQL_SUCCESS;
}

constexpr SQLUSMALLINT kFunctions[] = {
    SQL_API_SQLALLOCHANDLE,  SQL_API_SQLFREEHANDLE,   SQL_API_SQLSETENVATTR,     SQL_API_SQLGETENVATTR,
    SQL_API_SQLSETCONNECTATTR, SQL_API_SQLGETCONNECTATTR, SQL_API_SQLGETINFO,    SQL_API_SQLGETFUNCTIONS,
    SQL_API_SQLDRIVERCONNECT, SQL_API_SQLCONNECT,     SQL_API_SQLDISCONNECT,     SQL_API_SQLTABLES,
    SQL_API_SQLEXECDIRECT,   SQL_API_SQLNUMRESULTCOLS, SQL_API_SQLDESCRIBECOL,   SQL_API_SQLCOLATTRIBUTE,
    SQL_API_SQLBINDCOL,      SQL_API_SQLFETCH,        SQL_API_SQLFETCHSCROLL,    SQL_API_SQLGETDATA,
    SQL_API_SQLGETDIAGREC,   SQL_API_SQLGETDIAGFIELD, SQL_API_SQLCLOSECURSOR,    SQL_API_SQLFREESTMT,
    SQL_API_SQLROWCOUNT,     SQL_API_SQLSETSTMTATTR,  SQL_API_SQLGETSTMTATTR,    SQL_API_SQLENDTRAN,
    SQL_API_SQLCANCEL};

}  // namespace
}  // namespace pwsheet

using namespace pwsheet;

extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT type, SQLHANDLE input, SQLHANDLE* output) {
    if (!output) return SQL_ERROR;
    *output = SQL_NULL_HANDLE;
    try {
        switch (type) {
        case SQL_HANDLE_ENV: *output = new Env(); return SQL_SUCCESS;
        case SQL_HANDLE_DBC: {
            Env* env = as<Env>(input, Kind::Env);
            if (!env) return SQL_INVALID_HANDLE;
            *output = new Dbc(env);
            return SQL_SUCCESS;
        }
        case SQL_HANDLE_STMT: {
            Dbc* dbc = as<Dbc>(input, Kind::Dbc);
            if (!dbc) return SQL_INVALID_HANDLE;
            if (!dbc->book) return dbc->diag.fail("08003", "The connection is not open.");
            ++dbc->statements;
            *output = new Stmt(dbc);
            return SQL_SUCCESS;
        }
        default: return SQL_ERROR;
        }
    } catch (const std::bad_alloc&) {
        return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT type, SQLHANDLE handle) {
    switch (type) {
    case SQL_HANDLE_ENV:
        if (!as<Env>(handle, Kind::Env)) return SQL_INVALID_HANDLE;
        static_cast<Env*>(handle)->kind = Kind{};
        delete static_cast<Env*>(handle);
        return SQL_SUCCESS;
    case SQL_HANDLE_DBC: {
        Dbc* dbc = as<Dbc>(handle, Kind::Dbc);
        if (!dbc) return SQL_INVALID_HANDLE;
        dbc->kind = Kind{};
        delete dbc;
        return SQL_SUCCESS;
    }
    case SQL_HANDLE_STMT: {
        Stmt* s = as<Stmt>(handle, Kind::Stmt);
        if (!s) return SQL_INVALID_HANDLE;
        --s->dbc->statements;
        s->kind = Kind{};
        delete s;
        return SQL_SUCCESS;
    }
    default: return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV handle, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER) {
    Env* env = as<Env>(handle, Kind::Env);
    if (!env) return SQL_INVALID_HANDLE;
    env->diag.records.clear();
    if (attribute == SQL_ATTR_ODBC_VERSION) env->odbcVersion = static_cast<SQLINTEGER>(reinterpret_cast<SQLLEN>(value));
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV handle, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                SQLINTEGER* length) {
    Env* env = as<Env>(handle, Kind::Env);
    if (!env) return SQL_INVALID_HANDLE;
    SQLINTEGER result = 0;
    if (attribute == SQL_ATTR_ODBC_VERSION) result = env->odbcVersion;
    else if (attribute == SQL_ATTR_OUTPUT_NTS) result = SQL_TRUE;
    if (value) *static_cast<SQLINTEGER*>(value) = result;
    if (length) *length = sizeof result;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC handle, SQLINTEGER, SQLPOINTER, SQLINTEGER) {
    Dbc* dbc = as<Dbc>(handle, Kind::Dbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    dbc->diag.records.clear();
    return SQL_SUCCESS;  // read-only: auto-commit and the like change nothing
}

SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC handle, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                    SQLINTEGER* length) {
    Dbc* dbc = as<Dbc>(handle, Kind::Dbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    dbc->diag.records.clear();
    SQLUINTEGER result = 0;
    if (attribute == SQL_ATTR_AUTOCOMMIT) result = SQL_AUTOCOMMIT_ON;
    else if (attribute == SQL_ATTR_ACCESS_MODE) result = SQL_MODE_READ_ONLY;
    else if (attribute == SQL_ATTR_CONNECTION_DEAD) result = SQL_CD_FALSE;
    if (value) *static_cast<SQLUINTEGER*>(value) = result;
    if (length) *length = sizeof result;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC handle, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT length,
                             SQLSMALLINT* written) {
    Dbc* dbc = as<Dbc>(handle, Kind::Dbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    dbc->diag.records.clear();
    switch (type) {
    case SQL_DRIVER_NAME: return infoText(kDriverName, value, length, written, dbc->diag);
    case SQL_DRIVER_VER: return infoText("01.00.0000", value, length, written, dbc->diag);
    case SQL_DRIVER_ODBC_VER: return infoText("03.00", value, length, written, dbc->diag);
    case SQL_ODBC_VER: return infoText("03.00", value, length, written, dbc->diag);
    case SQL_DBMS_NAME: return infoText("Spreadsheet", value, length, written, dbc->diag);
    case SQL_DBMS_VER: return infoText("01.00.0000", value, length, written, dbc->diag);
    case SQL_DATA_SOURCE_READ_ONLY: return infoText("Y", value, length, written, dbc->diag);
    case SQL_IDENTIFIER_QUOTE_CHAR: return infoText("`", value, length, written, dbc->diag);
    case SQL_DATABASE_NAME:
    case SQL_DATA_SOURCE_NAME:
    case SQL_SERVER_NAME:
    case SQL_USER_NAME:
    case SQL_SEARCH_PATTERN_ESCAPE:
    case SQL_CATALOG_NAME_SEPARATOR:
    case SQL_CATALOG_TERM:
    case SQL_SCHEMA_TERM: return infoText("", value, length, written, dbc->diag);
    case SQL_TABLE_TERM: return infoText("table", value, length, written, dbc->diag);
    case SQL_GETDATA_EXTENSIONS:
        return infoNumber<SQLUINTEGER>(SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER | SQL_GD_BOUND, value, written);
    case SQL_CURSOR_COMMIT_BEHAVIOR:
    case SQL_CURSOR_ROLLBACK_BEHAVIOR: return infoNumber<SQLUSMALLINT>(SQL_CB_PRESERVE, value, written);
    case SQL_TXN_CAPABLE: return infoNumber<SQLUSMALLINT>(SQL_TC_NONE, value, written);
    case SQL_MAX_CONCURRENT_ACTIVITIES:
    case SQL_MAX_DRIVER_CONNECTIONS: return infoNumber<SQLUSMALLINT>(0, value, written);
    case SQL_MAX_COLUMN_NAME_LEN:
    case SQL_MAX_TABLE_NAME_LEN: return infoNumber<SQLUSMALLINT>(255, value, written);
    case SQL_SCROLL_OPTIONS: return infoNumber<SQLUINTEGER>(SQL_SO_FORWARD_ONLY, value, written);
    case SQL_CURSOR_SENSITIVITY: return infoNumber<SQLUINTEGER>(SQL_INSENSITIVE, value, written);
    default: return dbc->diag.fail("HY096", "This information is not kept by the spreadsheet driver.");
    }
}

SQLRETURN SQL_API SQLGetFunctions(SQLHDBC handle, SQLUSMALLINT function, SQLUSMALLINT* supported) {
    Dbc* dbc = as<Dbc>(handle, Kind::Dbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    if (!supported) return SQL_ERROR;
    if (function == SQL_API_ODBC3_ALL_FUNCTIONS) {
        std::fill(supported, supported + SQL_API_ODBC3_ALL_FUNCTIONS_SIZE, 0);
        for (const SQLUSMALLINT f : kFunctions) supported[f >> 4] |= static_cast<SQLUSMALLINT>(1 << (f & 0xF));
    } else if (function == SQL_API_ALL_FUNCTIONS) {
        std::fill(supported, supported + 100, 0);
        for (const SQLUSMALLINT f : kFunctions)
            if (f < 100) supported[f] = SQL_TRUE;
    } else {
        *supported = std::find(std::begin(kFunctions), std::end(kFunctions), function) != std::end(kFunctions);
    }
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC handle, SQLHWND, SQLCHAR* in, SQLSMALLINT inLength, SQLCHAR* out,
                                   SQLSMALLINT outLength, SQLSMALLINT* outWritten, SQLUSMALLINT) {
    Dbc* dbc = as<Dbc>(handle, Kind::Dbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    dbc->diag.records.clear();
    return guarded(dbc, [&]() -> SQLRETURN {
        if (dbc->book) return dbc->diag.fail("08002", "The connection is already open.");
        const std::string connection = text(in, inLength);
        const auto pairs = parseConnectionString(connection);
        const auto dbq = pairs.find("dbq");
        if (dbq == pairs.end() || dbq->second.empty())
            return dbc->diag.fail("HY000", "The connection string names no workbook (DBQ=path).");
        ReadResult read = readWorkbook(dbq->second);
        if (!read.workbook) return dbc->diag.fail("08001", read.error + " (" + dbq->second + ")");
        dbc->book = std::move(read.workbook);
        dbc->connectionString = connection;
        if (putText(connection, out, outLength, outWritten) && out)
            return dbc->diag.fail("01004", "String data, right truncated.", SQL_SUCCESS_WITH_INFO);
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLConnect(SQLHDBC handle, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT) {
    Dbc* dbc = as<Dbc>(handle, Kind::Dbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    dbc->diag.records.clear();
    return dbc->diag.fail("IM008", "Connect with a connection string that names the workbook (DBQ=path).");
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC handle) {
    Dbc* dbc = as<Dbc>(handle, Kind::Dbc);
    if (!dbc) return SQL_INVALID_HANDLE;
    dbc->diag.records.clear();
    if (dbc->statements > 0) return dbc->diag.fail("25000", "Statements are still open on the connection.");
    dbc->book.reset();
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLTables(SQLHSTMT handle, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT, SQLCHAR*, SQLSMALLINT,
                            SQLCHAR*, SQLSMALLINT) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    return guarded(s, [&]() -> SQLRETURN {
        if (s->result) return s->diag.fail("24000", "Invalid cursor state: the previous result is still open.");
        openResult(*s, catalogueTable(*s->dbc->book));
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT handle, SQLCHAR* sql, SQLINTEGER length) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    return guarded(s, [&]() -> SQLRETURN {
        if (s->result) return s->diag.fail("24000", "Invalid cursor state: the previous result is still open.");
        const std::string query = text(sql, length);
        const auto name = queriedSheet(query);
        if (!name) return s->diag.fail("42000", "Only 'select * from [Sheet$]' is understood: " + query);
        const Sheet* sheet = findSheet(*s->dbc->book, *name);
        if (!sheet) return s->diag.fail("42S02", "The workbook has no sheet named '" + *name + "'.");
        openResult(*s, sheetTable(*sheet));
        return SQL_SUCCESS;
    });
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT handle, SQLSMALLINT* count) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    if (count) *count = s->result ? static_cast<SQLSMALLINT>(s->result->columns.size()) : 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT handle, SQLUSMALLINT number, SQLCHAR* name, SQLSMALLINT nameLength,
                                 SQLSMALLINT* nameWritten, SQLSMALLINT* type, SQLULEN* size, SQLSMALLINT* decimals,
                                 SQLSMALLINT* nullable) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    if (!s->result) return s->diag.fail("HY010", "No result: execute a query first.");
    if (number < 1 || number > s->result->columns.size()) return s->diag.fail("07009", "Invalid column number.");
    const TableColumn& column = s->result->columns[number - 1];
    if (type) *type = sqlTypeOf(column.type);
    if (size) *size = column.size;
    if (decimals) *decimals = column.decimals;
    if (nullable) *nullable = SQL_NULLABLE;
    if (putText(column.name, name, nameLength, nameWritten) && name)
        return s->diag.fail("01004", "String data, right truncated.", SQL_SUCCESS_WITH_INFO);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLColAttribute(SQLHSTMT handle, SQLUSMALLINT number, SQLUSMALLINT field, SQLPOINTER character,
                                  SQLSMALLINT length, SQLSMALLINT* written, SQLLEN* numeric) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    if (!s->result) return s->diag.fail("HY010", "No result: execute a query first.");
    if (field == SQL_DESC_COUNT) {
        if (numeric) *numeric = static_cast<SQLLEN>(s->result->columns.size());
        return SQL_SUCCESS;
    }
    if (number < 1 || number > s->result->columns.size()) return s->diag.fail("07009", "Invalid column number.");
    const TableColumn& column = s->result->columns[number - 1];
    SQLLEN value = 0;
    switch (field) {
    case SQL_DESC_NAME:
    case SQL_DESC_LABEL:
    case SQL_DESC_BASE_COLUMN_NAME:
        return infoText(column.name, character, length, written, s->diag);
    case SQL_DESC_TYPE:
    case SQL_DESC_CONCISE_TYPE: value = sqlTypeOf(column.type); break;
    case SQL_DESC_LENGTH:
    case SQL_DESC_OCTET_LENGTH:
    case SQL_DESC_DISPLAY_SIZE:
    case SQL_DESC_PRECISION: value = static_cast<SQLLEN>(column.size); break;
    case SQL_DESC_SCALE: value = column.decimals; break;
    case SQL_DESC_NULLABLE: value = SQL_NULLABLE; break;
    case SQL_DESC_UNSIGNED: value = SQL_FALSE; break;
    case SQL_DESC_UPDATABLE: value = SQL_ATTR_READONLY; break;
    default: return s->diag.fail("HY091", "This column attribute is not kept by the spreadsheet driver.");
    }
    if (numeric) *numeric = value;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLBindCol(SQLHSTMT handle, SQLUSMALLINT number, SQLSMALLINT type, SQLPOINTER target,
                             SQLLEN length, SQLLEN* indicator) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    if (number == 0) return s->diag.fail("07009", "Bookmarks are not supported.");
    if (!target && !indicator) {
        s->bindings.erase(number);
        return SQL_SUCCESS;
    }
    if (!supportedCType(type)) return s->diag.fail("HY003", "This value type is not supported.");
    if (length < 0) return s->diag.fail("HY090", "Invalid buffer length.");
    s->bindings[number] = Binding{type, target, length, indicator};
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT handle) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    return guarded(s, [&] { return fetchNext(*s); });
}

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT handle, SQLSMALLINT orientation, SQLLEN) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    if (orientation != SQL_FETCH_NEXT) return s->diag.fail("HY106", "Only forward fetching is supported.");
    return guarded(s, [&] { return fetchNext(*s); });
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT handle, SQLUSMALLINT number, SQLSMALLINT type, SQLPOINTER target,
                             SQLLEN length, SQLLEN* indicator) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    return guarded(s, [&]() -> SQLRETURN {
        if (!s->result || !s->row) return s->diag.fail("24000", "Invalid cursor state: no current row.");
        if (number < 1 || number > s->result->columns.size()) return s->diag.fail("07009", "Invalid column number.");
        if (!supportedCType(type)) return s->diag.fail("HY003", "This value type is not supported.");
        const size_t c = number - 1;
        if (s->dataDone[c]) return SQL_NO_DATA;
        const SQLRETURN rc = putValue(*s, s->result->cell(*s->row, c), s->result->columns[c], type, target, length,
                                      indicator, &s->dataOffset[c]);
        if (rc == SQL_SUCCESS) s->dataDone[c] = true;
        return rc;
    });
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT handle, SQLLEN* count) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    if (count) *count = -1;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT handle) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    if (!s->result) return s->diag.fail("24000", "Invalid cursor state: no cursor is open.");
    s->result.reset();
    s->row.reset();
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT handle, SQLUSMALLINT option) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    switch (option) {
    case SQL_CLOSE:
        s->result.reset();
        s->row.reset();
        return SQL_SUCCESS;
    case SQL_UNBIND: s->bindings.clear(); return SQL_SUCCESS;
    case SQL_RESET_PARAMS: return SQL_SUCCESS;
    case SQL_DROP: return SQLFreeHandle(SQL_HANDLE_STMT, handle);
    default: return s->diag.fail("HY092", "Invalid option.");
    }
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT handle, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    if (attribute == SQL_ATTR_ROW_ARRAY_SIZE && reinterpret_cast<SQLULEN>(value) != 1)
        return s->diag.fail("01S02", "Only one row is fetched at a time.", SQL_SUCCESS_WITH_INFO);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetStmtAttr(SQLHSTMT handle, SQLINTEGER attribute, SQLPOINTER value, SQLINTEGER,
                                 SQLINTEGER* length) {
    Stmt* s = as<Stmt>(handle, Kind::Stmt);
    if (!s) return SQL_INVALID_HANDLE;
    s->diag.records.clear();
    SQLULEN result = 0;
    switch (attribute) {
    case SQL_ATTR_ROW_ARRAY_SIZE: result = 1; break;
    case SQL_ATTR_CURSOR_TYPE: result = SQL_CURSOR_FORWARD_ONLY; break;
    case SQL_ATTR_CONCURRENCY: result = SQL_CONCUR_READ_ONLY; break;
    case SQL_ATTR_ROW_NUMBER: result = s->row ? *s->row + 1 : 0; break;
    case SQL_ATTR_APP_ROW_DESC:
    case SQL_ATTR_APP_PARAM_DESC:
    case SQL_ATTR_IMP_ROW_DESC:
    case SQL_ATTR_IMP_PARAM_DESC: return s->diag.fail("HYC00", "Descriptors are not supported.");
    default: break;
    }
    if (value) *static_cast<SQLULEN*>(value) = result;
    if (length) *length = sizeof result;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT, SQLHANDLE, SQLSMALLINT) { return SQL_SUCCESS; }

SQLRETURN SQL_API SQLCancel(SQLHSTMT handle) {
    return as<Stmt>(handle, Kind::Stmt) ? SQL_SUCCESS : SQL_INVALID_HANDLE;
}

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT number, SQLCHAR* state,
                                SQLINTEGER* native, SQLCHAR* message, SQLSMALLINT length, SQLSMALLINT* written) {
    auto* h = static_cast<Handle*>(handle);
    const Kind expected = type == SQL_HANDLE_ENV ? Kind::Env : type == SQL_HANDLE_DBC ? Kind::Dbc : Kind::Stmt;
    if (!h || h->kind != expected) return SQL_INVALID_HANDLE;
    if (number < 1) return SQL_ERROR;
    if (static_cast<size_t>(number) > h->diag.records.size()) return SQL_NO_DATA;
    const DiagRecord& record = h->diag.records[number - 1];
    if (state) std::memcpy(state, record.state.c_str(), 6);
    if (native) *native = record.native;
    return putText(record.message, message, length, written) && message ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT type, SQLHANDLE handle, SQLSMALLINT number, SQLSMALLINT field,
                                  SQLPOINTER value, SQLSMALLINT length, SQLSMALLINT* written) {
    auto* h = static_cast<Handle*>(handle);
    const Kind expected = type == SQL_HANDLE_ENV ? Kind::Env : type == SQL_HANDLE_DBC ? Kind::Dbc : Kind::Stmt;
    if (!h || h->kind != expected) return SQL_INVALID_HANDLE;
    if (field == SQL_DIAG_NUMBER) {
        if (value) *static_cast<SQLINTEGER*>(value) = static_cast<SQLINTEGER>(h->diag.records.size());
        return SQL_SUCCESS;
    }
    if (field == SQL_DIAG_RETURNCODE || field == SQL_DIAG_CURSOR_ROW_COUNT || field == SQL_DIAG_ROW_COUNT ||
        field == SQL_DIAG_DYNAMIC_FUNCTION_CODE) {
        if (value) *static_cast<SQLINTEGER*>(value) = 0;
        return SQL_SUCCESS;
    }
    if (number < 1 || static_cast<size_t>(number) > h->diag.records.size()) return SQL_NO_DATA;
    const DiagRecord& record = h->diag.records[number - 1];
    switch (field) {
    case SQL_DIAG_SQLSTATE: return putText(record.state, value, length, written) ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    case SQL_DIAG_MESSAGE_TEXT:
        return putText(record.message, value, length, written) ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    case SQL_DIAG_NATIVE:
        if (value) *static_cast<SQLINTEGER*>(value) = record.native;
        return SQL_SUCCESS;
    case SQL_DIAG_CLASS_ORIGIN:
    case SQL_DIAG_SUBCLASS_ORIGIN:
        return putText(std::string("ODBC 3.0"), value, length, written) ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    case SQL_DIAG_CONNECTION_NAME:
    case SQL_DIAG_SERVER_NAME:
        return putText(std::string(), value, length, written) ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    default: return SQL_ERROR;
    }
}

}  // extern "C"
