// The database layer against a second, real ODBC driver (SQLite's), through
// unixODBC's driver manager.

#include <gtest/gtest.h>

#include "io/dbconnection.h"
#include "io/dberror.h"
#include "io/dbstatement.h"
#include "tests/testsupport.h"

namespace pw {
namespace {

class DbLayer : public ::testing::Test {
protected:
    test::TempFolder dir;
    CDbConnection* db = nullptr;

    void SetUp() override {
        const std::string connection = "DRIVER={" PW_SQLITE_ODBC_DRIVER "};Database=" + dir.file("test.db") + ";";
        db = &CDbConnection::registerAndConnect("sqlite", {connection, {}, {}, {}});
        db->setTransactionMode(true);
        EXPECT_EQ(db->execute("create table kw (phrase varchar(40), hits integer, bid double, price numeric(8,2), "
                              "note text, day date)"),
                  nullptr);  // no result columns
        db->execute("insert into kw values ('red shoes', 120, 0.5, 12.25, 'a long note', '2024-03-01')");
        db->execute("insert into kw values ('blue boots', null, null, null, null, null)");
    }
    void TearDown() override { CDbConnection::remove("sqlite"); }
};

TEST_F(DbLayer, RegistryFindsAndRemovesConnectionsByName) {
    EXPECT_EQ(CDbConnection::find("sqlite"), db);
    EXPECT_EQ(CDbConnection::find("other"), nullptr);
    EXPECT_NE(db->driverName(), "");
    CDbConnection::remove("sqlite");
    EXPECT_EQ(CDbConnection::find("sqlite"), nullptr);
    CDbConnection::remove("sqlite");  // twice is harmless
}

TEST_F(DbLayer, CatalogueListsEveryTableWithItsNameInTheThirdColumn) {
    db->execute("create table other (x integer)");
    const auto tables = db->listTables();
    ASSERT_GE(tables->columnCount(), 3);
    std::vector<std::string> names;
    while (tables->fetch()) names.push_back(tables->valueAsText(2));
    EXPECT_EQ(names, (std::vector<std::string>{"kw", "other"}));
}

TEST_F(DbLayer, ValuesReadAsTextByTheirBoundTypeAndNullsAreNull) {
    const auto rows = db->execute("select phrase, hits, price, note from kw");
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->columnCount(), 4);
    EXPECT_EQ(rows->columnName(0), "phrase");
    EXPECT_EQ(rows->columnName(3), "note");

    ASSERT_TRUE(rows->fetch());
    EXPECT_EQ(rows->valueAsText(0), "red shoes");
    EXPECT_EQ(rows->valueAsText(1), "120");
    // SQLite declares its numbers as doubles without decimals: the text
    // carries the declared decimals, no more.
    EXPECT_EQ(rows->column(2).decimals, 0);
    EXPECT_EQ(rows->valueAsText(2), "12");
    EXPECT_TRUE(rows->column(3).longData);  // text: read in pieces
    EXPECT_EQ(rows->valueAsText(3), "a long note");
    EXPECT_FALSE(rows->isNull(1));

    ASSERT_TRUE(rows->fetch());
    EXPECT_EQ(rows->valueAsText(0), "blue boots");
    for (int i = 1; i < 4; ++i) {
        EXPECT_TRUE(rows->isNull(i)) << i;
        EXPECT_EQ(rows->valueAsText(i), "");
    }
    EXPECT_FALSE(rows->fetch());
}

TEST_F(DbLayer, ColumnNamesAreCutAt259CharactersNeverInsideOne) {
    std::string accented;
    for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";
    const auto rows = db->execute("select 1 as \"" + accented + "\", 2 as \"" + std::string(300, 'a') + "\"");
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->columnName(0), accented.substr(0, 2 * kMaxColumnNameLength));
    EXPECT_EQ(rows->columnName(1), std::string(kMaxColumnNameLength, 'a'));
}

TEST_F(DbLayer, LongTextIsReadWholeInPieces) {
    const std::string longText(30000, 'x');
    db->execute("insert into kw (phrase, note) values ('long', '" + longText + "')");
    const auto rows = db->execute("select note from kw where phrase = 'long'");
    ASSERT_TRUE(rows->fetch());
    EXPECT_EQ(rows->valueAsText(0), longText);
}

TEST_F(DbLayer, DatesAndOutOfRangeColumnsRaiseUsageErrors) {
    const auto rows = db->execute("select day from kw");
    ASSERT_TRUE(rows->fetch());
    try {
        rows->valueAsText(0);
        FAIL() << "a date has no text";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code, kUsageErrorCode);
        EXPECT_EQ(e.text.rfind("Usage error message:    ", 0), 0u) << e.text;
        EXPECT_NE(e.text.find("\nAdditional information: "), std::string::npos) << e.text;
    }
    EXPECT_THROW(rows->valueAsText(1), DbError);
    EXPECT_THROW(rows->isNull(-1), DbError);
}

TEST_F(DbLayer, DriverErrorsCarryTheReturnCodeOperationAndDiagnostics) {
    try {
        db->execute("select * from missing_table");
        FAIL() << "the table does not exist";
    } catch (const DbError& e) {
        EXPECT_EQ(e.code, -1);
        EXPECT_EQ(e.text.rfind(">--- ERROR   -- RC = -1 (CDbStatement::Execute)\n", 0), 0u) << e.text;
        EXPECT_NE(e.text.find("\t>Native Error Code: "), std::string::npos) << e.text;
        EXPECT_NE(e.text.find("\t>         SQLSTATE: "), std::string::npos) << e.text;
        EXPECT_NE(e.text.find("missing_table"), std::string::npos) << e.text;
    }
}

TEST(DbConnect, AMissingDriverFailsToConnectWithTheDriverManagersDiagnostic) {
    try {
        CDbConnection::registerAndConnect("none", {"DRIVER={/nonexistent/libnothing.so};DBQ=x;", {}, {}, {}});
        FAIL() << "there is no such driver";
    } catch (const DbError& e) {
        EXPECT_EQ(e.text.rfind(">--- ERROR   -- RC = -1 (CDbConnection::Connect)\n", 0), 0u) << e.text;
        EXPECT_NE(e.text.find("SQLSTATE: 01000"), std::string::npos) << e.text;  // cannot open lib
    }
    EXPECT_EQ(CDbConnection::find("none"), nullptr);
}

}  // namespace
}  // namespace pw
