#pragma once
// The error object of the database access layer: a return code and a text
// naming the failing operation and the driver's diagnostics. Only this layer
// throws; the spreadsheet converter turns it into a result code.

#include <string>
#include <string_view>

#include <sql.h>

namespace pw {

struct DbError {
    int code = 0;  // the ODBC return code, or kUsageErrorCode
    std::string text;
};

constexpr int kUsageErrorCode = -1000;

// "Usage error message:    ..." with the detail on a second line.
DbError usageError(std::string_view usage, std::string_view detail);
// ">--- ERROR   -- RC = -1 (CDbStatement::Execute)" and one block per
// diagnostic record of the handle.
DbError driverError(SQLRETURN rc, std::string_view operation, SQLSMALLINT handleType, SQLHANDLE handle);

// Throws a driver error unless rc is success or success with information.
void check(SQLRETURN rc, std::string_view operation, SQLSMALLINT handleType, SQLHANDLE handle);

}  // namespace pw
