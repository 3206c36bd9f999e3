// The SQLite owners and the texts of their errors.
#include "platform/SqliteDatabase.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/BrivoError.h"
#include "platform/Utf.h"

namespace {

class SqliteDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"brivo-sqlite-" + std::to_wstring(GetCurrentProcessId()) + L"-\u00e9.sqlite";
        // SQLite opens an empty file as an empty database.
        CloseHandle(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    static std::string ErrorOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const BrivoError& error) {
            return error.what();
        }
        return "(no error)";
    }

    std::wstring path_;
};

TEST_F(SqliteDatabaseTest, StatementsRunAndRowsAreReadByPositionAndByName) {
    const SqliteDatabase db(path_);
    SqliteStatement(db, "create table t (Id integer, Name text, Flag, Other text)").Run();
    SqliteStatement insert(db, "insert into t values (7, ?, 2.75, NULL)");
    insert.BindText(1, "Caf\xc3\xa9 \"quoted\"");
    insert.Run();
    SqliteStatement query(db, "select t.*, 'second' as name from t");
    ASSERT_TRUE(query.Step());
    EXPECT_EQ(query.ColumnCount(), 5);
    EXPECT_EQ(query.FindColumn("NAME"), 1);  // the first of two
    EXPECT_EQ(query.FindColumn("id"), 0);
    EXPECT_EQ(query.FindColumn("missing"), -1);
    EXPECT_EQ(query.ColumnInteger(0), 7);
    EXPECT_EQ(query.ColumnText(1), "Caf\xc3\xa9 \"quoted\"");
    EXPECT_EQ(query.ColumnInteger(2), 2);
    EXPECT_EQ(query.ColumnText(3), "");
    EXPECT_EQ(query.ColumnInteger(3), 0);
    EXPECT_EQ(query.ColumnText(9), "");
    EXPECT_EQ(query.ColumnInteger(-1), 0);
    EXPECT_FALSE(query.Step());
}

TEST_F(SqliteDatabaseTest, ErrorsCarryTheStatementCodeAndMessage) {
    const SqliteDatabase db(path_);
    EXPECT_EQ(ErrorOf([&] { SqliteStatement(db, "select * from missing_table"); }),
              "Could not prepare SQL statement.\rError [1]: SQL logic error.\r\"select * from missing_table\": no such table: missing_table");
    SqliteStatement(db, "create table u (k integer primary key, v text)").Run();
    SqliteStatement(db, "insert into u values (1, 'one')").Run();
    EXPECT_EQ(ErrorOf([&] { SqliteStatement(db, "insert into u values (1, 'again')").Run(); }),
              "Error executing SQL statement.\rError [19]: constraint failed.\r\"insert into u values (1, 'again')\": "
              "UNIQUE constraint failed: u.k");
    SqliteStatement query(db, "select v from u");
    ASSERT_TRUE(query.Step());
    EXPECT_EQ(ErrorOf([&] { query.ColumnInteger(0); }),
              "Error executing SQL.\rError [20]: datatype mismatch.\r\"select v from u\": column 0 does not hold a number");
    SqliteStatement none(db, "select v from u where k=2");
    EXPECT_EQ(ErrorOf([&] { none.StepToRow(); }), "Table is at End of File");
}

TEST_F(SqliteDatabaseTest, AMissingFileIsNotCreatedAndItsNameIsInTheError) {
    const std::wstring missing = path_ + L".missing";
    const std::string error = ErrorOf([&] { SqliteDatabase db(missing); });
    EXPECT_EQ(error, "Failed to open database \"" + ToUtf8(missing) + "\" : unable to open database file");
    EXPECT_EQ(GetFileAttributesW(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
