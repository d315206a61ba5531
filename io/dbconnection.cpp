#include "io/dbconnection.h"

#include <sqlext.h>

#include <map>
#include <mutex>

#include "io/dberror.h"

namespace pw {

namespace {
struct Registry {
    std::mutex mutex;
    std::map<std::string, std::unique_ptr<CDbConnection>> connections;
};
Registry& registry() {
    static Registry instance;
    return instance;
}

SQLCHAR* sqlText(const std::string& text) { return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str())); }
SQLSMALLINT sqlLength(const std::string& text) { return static_cast<SQLSMALLINT>(std::min<size_t>(text.size(), 32767)); }
}  // namespace

CDbConnection::CDbConnection(DbConnectionSettings settings) : settings_(std::move(settings)) {}

CDbConnection::~CDbConnection() {
    if (connected_) SQLDisconnect(dbc_);
    if (dbc_) SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    if (env_) SQLFreeHandle(SQL_HANDLE_ENV, env_);
}

void CDbConnection::connect() {
    check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_), "CDbConnection::AllocEnvironment", SQL_HANDLE_ENV,
          SQL_NULL_HANDLE);
    check(SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
          "CDbConnection::SetEnvironment", SQL_HANDLE_ENV, env_);
    check(SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_), "CDbConnection::AllocConnection", SQL_HANDLE_ENV, env_);
    SQLRETURN rc;
    if (!settings_.connectionString.empty()) {
        if (settings_.connectionString.size() > 32767)
            throw usageError("The connection string is too long.", settings_.connectionString.substr(0, 64));
        SQLCHAR out[1024];
        SQLSMALLINT outLength = 0;
        rc = SQLDriverConnect(dbc_, nullptr, sqlText(settings_.connectionString), sqlLength(settings_.connectionString),
                              out, sizeof out, &outLength, SQL_DRIVER_NOPROMPT);
    } else {
        rc = SQLConnect(dbc_, sqlText(settings_.dataSource), sqlLength(settings_.dataSource), sqlText(settings_.user),
                        sqlLength(settings_.user), sqlText(settings_.password), sqlLength(settings_.password));
    }
    check(rc, "CDbConnection::Connect", SQL_HANDLE_DBC, dbc_);
    connected_ = true;

    SQLCHAR name[256] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN got = SQLGetInfo(dbc_, SQL_DRIVER_NAME, name, sizeof name, &length);
    if ((got == SQL_SUCCESS || got == SQL_SUCCESS_WITH_INFO) && name[0]) driverName_ = reinterpret_cast<char*>(name);
}

CDbConnection& CDbConnection::registerAndConnect(const std::string& name, const DbConnectionSettings& settings) {
    std::unique_ptr<CDbConnection> connection(new CDbConnection(settings));
    connection->connect();
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    auto& slot = r.connections[name];
    slot = std::move(connection);
    return *slot;
}

CDbConnection* CDbConnection::find(const std::string& name) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const auto found = r.connections.find(name);
    return found == r.connections.end() ? nullptr : found->second.get();
}

void CDbConnection::remove(const std::string& name) {
    std::unique_ptr<CDbConnection> gone;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    const auto found = r.connections.find(name);
    if (found == r.connections.end()) return;
    gone = std::move(found->second);
    r.connections.erase(found);
}

void CDbConnection::setTransactionMode(bool autoCommit) {
    check(SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT,
                            reinterpret_cast<SQLPOINTER>(autoCommit ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF), 0),
          "CDbConnection::SetTransactionMode", SQL_HANDLE_DBC, dbc_);
}

std::unique_ptr<CDbStatement> CDbConnection::listTables() {
    auto statement = std::make_unique<CDbStatement>(*this, "");
    // No pattern at all: every table. (Empty patterns match nothing with
    // some drivers, SQLite's among them.)
    check(SQLTables(statement->handle(), nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0),
          "CDbConnection::ListTables", SQL_HANDLE_STMT, statement->handle());
    statement->bindColumns();
    return statement;
}

std::unique_ptr<CDbStatement> CDbConnection::execute(const std::string& sql) {
    auto statement = std::make_unique<CDbStatement>(*this, sql);
    statement->execute();
    if (statement->columnCount() == 0) return nullptr;
    return statement;
}

}  // namespace pw
