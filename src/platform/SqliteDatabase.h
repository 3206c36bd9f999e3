#pragma once
// SQLite databases and statements with owners that close them. Every
// failure raises BrivoError with the text the user sees:
//   opening:   Failed to open database "<file>" : <SQLite's message>
//   preparing: Could not prepare SQL statement.\rError [<code>]: <meaning>.\r"<sql>": <SQLite's message>
//   a row:     Error executing SQL.\r... (same tail)
//   a change:  Error executing SQL statement.\r... (same tail)
//   no row where one is required: Table is at End of File
// All text exchanged with SQLite is UTF-8.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

class SqliteDatabase {
public:
    // Opens an existing database file for reading and writing. A missing file
    // is not created: it fails like any other file that cannot be opened.
    explicit SqliteDatabase(const std::wstring& path);

    sqlite3* Handle() const { return db_.get(); }

private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

class SqliteStatement {
public:
    SqliteStatement(const SqliteDatabase& db, std::string sql);

    // Parameters count from 1.
    void BindText(int index, std::string_view utf8);

    // Moves to the next row of a query: true on a row, false past the last.
    bool Step();
    // As Step, but a query without a further row raises "Table is at End of File".
    void StepToRow();
    // Runs a statement that changes the database to its end.
    void Run();

    int ColumnCount() const;
    // The first column of that name, ASCII letters compared without regard
    // to case; -1 when there is none.
    int FindColumn(std::string_view name) const;
    // Empty for NULL and for a column the row does not have.
    std::string ColumnText(int column) const;
    // 0 for NULL and for a column the row does not have; a real number is cut
    // to its integer part. Text or a blob in the column raises "Error
    // executing SQL": a flag stored as text is a damaged row, not a 0.
    std::int64_t ColumnInteger(int column) const;

    const std::string& Sql() const { return sql_; }

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const;
    };
    [[noreturn]] void Raise(const char* what, int code, const std::string& message) const;

    sqlite3* db_;
    std::string sql_;
    std::unique_ptr<sqlite3_stmt, Finalizer> statement_;
};
