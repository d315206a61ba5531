#pragma once
// CDbConnection: one driver-manager connection, kept in a process-wide
// registry by name. Failures throw DbError.

#include <memory>
#include <string>

#include <sql.h>

#include "io/dbstatement.h"

namespace pw {

// A full connection string, or a data source with user and password.
struct DbConnectionSettings {
    std::string connectionString;
    std::string dataSource;
    std::string user;
    std::string password;
};

class CDbConnection {
public:
    // Allocates the handles and connects; replaces a connection of the same
    // name. Throws DbError when it cannot connect.
    static CDbConnection& registerAndConnect(const std::string& name, const DbConnectionSettings& settings);
    // The registered connection or nothing.
    static CDbConnection* find(const std::string& name);
    // Disconnects and frees it; nothing when there is none.
    static void remove(const std::string& name);

    ~CDbConnection();
    CDbConnection(const CDbConnection&) = delete;
    CDbConnection& operator=(const CDbConnection&) = delete;

    const DbConnectionSettings& settings() const { return settings_; }
    const std::string& driverName() const { return driverName_; }  // "unknown" when the driver keeps it to itself
    SQLHDBC handle() const { return dbc_; }

    // Auto-commit on (true) or off.
    void setTransactionMode(bool autoCommit);
    // Every table of the catalogue: catalogue, schema, name, type, remarks.
    std::unique_ptr<CDbStatement> listTables();
    // Runs the text; nothing when the result has no columns.
    std::unique_ptr<CDbStatement> execute(const std::string& sql);

private:
    explicit CDbConnection(DbConnectionSettings settings);
    void connect();

    DbConnectionSettings settings_;
    std::string driverName_ = "unknown";
    SQLHENV env_ = SQL_NULL_HANDLE;
    SQLHDBC dbc_ = SQL_NULL_HANDLE;
    bool connected_ = false;
};

}  // namespace pw
