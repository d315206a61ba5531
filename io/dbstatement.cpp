#include "io/dbstatement.h"

#include <sqlext.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/textencoding.h"
#include "io/dbconnection.h"
#include "io/dberror.h"

namespace pw {

namespace {
// A text column wider than this is read in pieces instead of one buffer.
constexpr SQLULEN kLargestBoundText = 65536;
constexpr size_t kOtherTypeBuffer = 128;

bool isLongType(SQLSMALLINT type) {
    return type == SQL_LONGVARCHAR || type == SQL_WLONGVARCHAR || type == -10 /* ntext */;
}
}  // namespace

CDbStatement::CDbStatement(CDbConnection& connection, std::string sql) : sql_(std::move(sql)) {
    check(SQLAllocHandle(SQL_HANDLE_STMT, connection.handle(), &stmt_), "CDbStatement::AllocStatement",
          SQL_HANDLE_DBC, connection.handle());
}

CDbStatement::~CDbStatement() {
    if (stmt_) {
        SQLFreeStmt(stmt_, SQL_CLOSE);
        SQLFreeHandle(SQL_HANDLE_STMT, stmt_);
    }
}

void CDbStatement::execute() {
    if (sql_.size() > 0x7FFFFFFF) throw usageError("The statement is too long.", sql_.substr(0, 64));
    check(SQLExecDirect(stmt_, reinterpret_cast<SQLCHAR*>(sql_.data()), static_cast<SQLINTEGER>(sql_.size())),
          "CDbStatement::Execute", SQL_HANDLE_STMT, stmt_);
    bindColumns();
}

void CDbStatement::bindColumns() {
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(stmt_, &count), "CDbStatement::NumResultCols", SQL_HANDLE_STMT, stmt_);
    columns_.assign(static_cast<size_t>(std::max<SQLSMALLINT>(count, 0)), DbColumn{});
    for (SQLUSMALLINT number = 1; number <= columns_.size(); ++number) {
        DbColumn& c = columns_[number - 1];
        // Room for the longest name in UTF-8; the cut then counts characters,
        // so a header cell is never cut inside one.
        SQLCHAR name[4 * kMaxColumnNameLength + 1] = {};
        SQLSMALLINT nameLength = 0, nullable = 0;
        check(SQLDescribeCol(stmt_, number, name, sizeof name, &nameLength, &c.sqlType, &c.size, &c.decimals,
                             &nullable),
              "CDbStatement::DescribeCol", SQL_HANDLE_STMT, stmt_);
        c.name = clipToCharacters(reinterpret_cast<const char*>(name), kMaxColumnNameLength);
        bindColumn(number, c);
    }
}

void CDbStatement::bindColumn(SQLUSMALLINT number, DbColumn& c) {
    size_t bytes = 0;
    switch (c.sqlType) {
    case SQL_CHAR:
    case SQL_VARCHAR:
        if (c.size == 0 || c.size > kLargestBoundText) {
            c.longData = true;
        } else {
            c.valueType = SQL_C_CHAR;
            bytes = c.size + 1;
        }
        break;
    case SQL_NUMERIC:
    case SQL_DECIMAL:
    case SQL_FLOAT:
    case SQL_REAL:
    case SQL_DOUBLE:
        c.valueType = SQL_C_DOUBLE;
        bytes = sizeof(SQLDOUBLE);
        break;
    case SQL_INTEGER:
    case SQL_SMALLINT:
    case SQL_BIT:
    case SQL_TINYINT:
        c.valueType = SQL_C_SLONG;
        bytes = sizeof(SQLINTEGER);
        break;
    case SQL_GUID:
        c.valueType = SQL_C_GUID;
        bytes = sizeof(SQLGUID);
        break;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        c.valueType = SQL_C_TYPE_DATE;
        bytes = sizeof(SQL_DATE_STRUCT);
        break;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        c.valueType = SQL_C_TYPE_TIMESTAMP;
        bytes = sizeof(SQL_TIMESTAMP_STRUCT);
        break;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        c.valueType = SQL_C_BINARY;
        bytes = c.size == 0 || c.size > kLargestBoundText ? kLargestBoundText : c.size;
        break;
    default:
        if (isLongType(c.sqlType)) {
            c.longData = true;
        } else {
            c.valueType = SQL_C_CHAR;
            bytes = kOtherTypeBuffer;
        }
    }
    if (c.longData) {
        c.valueType = SQL_C_CHAR;
        return;
    }
    c.buffer.assign(bytes, 0);
    check(SQLBindCol(stmt_, number, c.valueType, c.buffer.data(), static_cast<SQLLEN>(c.buffer.size()), &c.indicator),
          "CDbStatement::BindCol", SQL_HANDLE_STMT, stmt_);
}

bool CDbStatement::readLongData(SQLUSMALLINT number, DbColumn& c) {
    c.longValue.clear();
    c.indicator = 0;
    char piece[8192];
    for (;;) {
        SQLLEN got = 0;
        const SQLRETURN rc = SQLGetData(stmt_, number, SQL_C_CHAR, piece, sizeof piece, &got);
        if (rc == SQL_NO_DATA) break;
        if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) return false;
        if (got == SQL_NULL_DATA) {
            c.indicator = SQL_NULL_DATA;
            return true;
        }
        // A cut piece fills the buffer but its terminating NUL.
        const size_t n = got == SQL_NO_TOTAL || got >= static_cast<SQLLEN>(sizeof piece) ? std::strlen(piece)
                                                                                         : static_cast<size_t>(got);
        c.longValue.append(piece, n);
        if (rc == SQL_SUCCESS) break;
    }
    c.indicator = static_cast<SQLLEN>(c.longValue.size());
    return true;
}

bool CDbStatement::fetch() {
    const SQLRETURN rc = SQLFetchScroll(stmt_, SQL_FETCH_NEXT, 0);
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) return false;
    for (SQLUSMALLINT number = 1; number <= columns_.size(); ++number)
        if (columns_[number - 1].longData && !readLongData(number, columns_[number - 1])) return false;
    return true;
}

const DbColumn& CDbStatement::column(int i) const {
    if (i < 0 || i >= columnCount())
        throw usageError("Column index out of range.",
                         "Column " + std::to_string(i) + " of " + std::to_string(columnCount()) + ": " + sql_);
    return columns_[static_cast<size_t>(i)];
}

std::string CDbStatement::valueAsText(int i) const {
    const DbColumn& c = column(i);
    if (c.indicator == SQL_NULL_DATA) return {};
    if (c.longData) return c.longValue;
    switch (c.valueType) {
    case SQL_C_CHAR: {
        // A driver that declared the column too narrow cuts the text; the
        // indicator then gives the whole length.
        const size_t length = c.indicator == SQL_NO_TOTAL || c.indicator < 0
                                  ? std::strlen(c.buffer.data())
                                  : std::min(static_cast<size_t>(c.indicator), c.buffer.size() - 1);
        return std::string(c.buffer.data(), std::min(length, std::strlen(c.buffer.data())));
    }
    case SQL_C_DOUBLE: {
        SQLDOUBLE value;
        std::memcpy(&value, c.buffer.data(), sizeof value);
        const int decimals = std::clamp<int>(c.decimals, 0, 30);
        char text[400];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return text;
    }
    case SQL_C_SLONG: {
        SQLINTEGER value;
        std::memcpy(&value, c.buffer.data(), sizeof value);
        return std::to_string(value);
    }
    case SQL_C_GUID: {
        SQLGUID g;
        std::memcpy(&g, c.buffer.data(), sizeof g);
        char text[40];
        std::snprintf(text, sizeof text, "%08X-%04X-%04X-%04X-%02X%02X%02X%02X%02X%02X", static_cast<unsigned>(g.Data1),
                      g.Data2, g.Data3, (g.Data4[0] << 8) | g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5],
                      g.Data4[6], g.Data4[7]);
        return text;
    }
    default:
        throw usageError("The column's values cannot be shown as text.",
                         "Column '" + c.name + "' holds dates, time stamps or binary data: " + sql_);
    }
}

}  // namespace pw
