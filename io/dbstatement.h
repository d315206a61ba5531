#pragma once
// CDbStatement: one statement on a connection, its result columns bound to
// buffers by their SQL type, read row by row as text. Failures throw DbError.

#include <cstdint>
#include <string>
#include <vector>

#include <sql.h>

namespace pw {

class CDbConnection;

struct DbColumn {
    std::string name;               // at most 259 characters
    SQLSMALLINT sqlType = 0;        // as the driver declares it
    SQLULEN size = 0;
    SQLSMALLINT decimals = 0;
    SQLSMALLINT valueType = 0;      // the C type it is bound as
    bool longData = false;          // fetched in pieces after each row
    std::vector<char> buffer;       // the bound value
    SQLLEN indicator = 0;           // length, or SQL_NULL_DATA
    std::string longValue;          // the text of a long-data column
};

constexpr size_t kMaxColumnNameLength = 259;  // characters

class CDbStatement {
public:
    CDbStatement(CDbConnection& connection, std::string sql);
    ~CDbStatement();
    CDbStatement(const CDbStatement&) = delete;
    CDbStatement& operator=(const CDbStatement&) = delete;

    SQLHSTMT handle() const { return stmt_; }
    const std::string& sql() const { return sql_; }

    // Runs the text directly, then binds the result's columns.
    void execute();
    // Describes and binds the columns of the result in hand.
    void bindColumns();

    // The next row; false at the end or on an error.
    bool fetch();

    int columnCount() const { return static_cast<int>(columns_.size()); }
    const DbColumn& column(int i) const;
    const std::string& columnName(int i) const { return column(i).name; }
    bool isNull(int i) const { return column(i).indicator == SQL_NULL_DATA; }
    // The value of the current row as text, by the type the column is bound
    // as; a date, time stamp or binary column raises a usage error.
    std::string valueAsText(int i) const;

private:
    void bindColumn(SQLUSMALLINT number, DbColumn& column);
    bool readLongData(SQLUSMALLINT number, DbColumn& column);

    SQLHSTMT stmt_ = SQL_NULL_HANDLE;
    std::string sql_;
    std::vector<DbColumn> columns_;
};

}  // namespace pw
