#include "io/dberror.h"

#include <sqlext.h>

namespace pw {

DbError usageError(std::string_view usage, std::string_view detail) {
    std::string text = "Usage error message:    ";
    text.append(usage).append("\nAdditional information: ").append(detail);
    return {kUsageErrorCode, std::move(text)};
}

namespace {
std::string_view severity(SQLRETURN rc) {
    switch (rc) {
    case SQL_SUCCESS: return ">--- INFO    -- RC = ";
    case SQL_SUCCESS_WITH_INFO: return ">--- WARNING -- RC = ";
    case SQL_ERROR:
    case SQL_INVALID_HANDLE: return ">--- ERROR   -- RC = ";
    default: return ">--- INVALID -- RC = ";
    }
}
}  // namespace

DbError driverError(SQLRETURN rc, std::string_view operation, SQLSMALLINT handleType, SQLHANDLE handle) {
    std::string text(severity(rc));
    text.append(std::to_string(rc)).append(" (").append(operation).append(")\n");
    if (handle != SQL_NULL_HANDLE && rc != SQL_INVALID_HANDLE) {
        for (SQLSMALLINT record = 1;; ++record) {
            SQLCHAR state[8] = {};
            SQLINTEGER native = 0;
            SQLCHAR message[SQL_MAX_MESSAGE_LENGTH + 1] = {};
            SQLSMALLINT length = 0;
            const SQLRETURN got = SQLGetDiagRec(handleType, handle, record, state, &native, message,
                                                static_cast<SQLSMALLINT>(sizeof message), &length);
            if (got != SQL_SUCCESS && got != SQL_SUCCESS_WITH_INFO) break;
            text.append("\t>Native Error Code: ").append(std::to_string(native)).append("\n");
            text.append("\t>         SQLSTATE: ").append(reinterpret_cast<const char*>(state)).append("\n");
            text.append("\t>").append(reinterpret_cast<const char*>(message)).append("\n");
        }
    }
    return {rc, std::move(text)};
}

void check(SQLRETURN rc, std::string_view operation, SQLSMALLINT handleType, SQLHANDLE handle) {
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) throw driverError(rc, operation, handleType, handle);
}

}  // namespace pw
