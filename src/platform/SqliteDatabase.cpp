#include "platform/SqliteDatabase.h"

#include <sqlite3.h>

#include "platform/BrivoError.h"
#include "platform/StrUtil.h"
#include "platform/Utf.h"

void SqliteDatabase::Closer::operator()(sqlite3* db) const { sqlite3_close(db); }

SqliteDatabase::SqliteDatabase(const std::wstring& path) {
    const std::string name = ToUtf8(path);
    sqlite3* opened = nullptr;
    const int code = sqlite3_open_v2(name.c_str(), &opened, SQLITE_OPEN_READWRITE, nullptr);
    // SQLite hands out a connection even when opening failed; it carries the message.
    std::unique_ptr<sqlite3, Closer> owner(opened);
    if (code != SQLITE_OK) {
        const std::string message = opened ? sqlite3_errmsg(opened) : sqlite3_errstr(code);
        throw BrivoError("Failed to open database \"" + name + "\" : " + message);
    }
    db_ = std::move(owner);
}

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }

SqliteStatement::SqliteStatement(const SqliteDatabase& db, std::string sql) : db_(db.Handle()), sql_(std::move(sql)) {
    sqlite3_stmt* prepared = nullptr;
    const int code = sqlite3_prepare_v2(db_, sql_.c_str(), static_cast<int>(sql_.size() + 1), &prepared, nullptr);
    statement_.reset(prepared);
    if (code != SQLITE_OK) Raise("Could not prepare SQL statement", code, sqlite3_errmsg(db_));
    // Empty text or only a comment: nothing to run, which no caller means to do.
    if (!prepared) Raise("Could not prepare SQL statement", SQLITE_MISUSE, "no statement");
}

void SqliteStatement::BindText(int index, std::string_view utf8) {
    const int code = sqlite3_bind_text(statement_.get(), index, utf8.data(), static_cast<int>(utf8.size()),
                                       SQLITE_TRANSIENT);
    if (code != SQLITE_OK) Raise("Could not prepare SQL statement", code, sqlite3_errmsg(db_));
}

bool SqliteStatement::Step() {
    const int code = sqlite3_step(statement_.get());
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    Raise("Error executing SQL", code, sqlite3_errmsg(db_));
}

void SqliteStatement::StepToRow() {
    if (!Step()) throw BrivoError("Table is at End of File");
}

void SqliteStatement::Run() {
    int code;
    while ((code = sqlite3_step(statement_.get())) == SQLITE_ROW) {
    }
    if (code != SQLITE_DONE) Raise("Error executing SQL statement", code, sqlite3_errmsg(db_));
}

int SqliteStatement::ColumnCount() const { return sqlite3_column_count(statement_.get()); }

int SqliteStatement::FindColumn(std::string_view name) const {
    const int count = ColumnCount();
    for (int column = 0; column < count; ++column) {
        const char* columnName = sqlite3_column_name(statement_.get(), column);
        if (columnName && EqualsAsciiCaseless(columnName, name)) return column;
    }
    return -1;
}

std::string SqliteStatement::ColumnText(int column) const {
    if (column < 0 || column >= ColumnCount()) return {};
    const unsigned char* text = sqlite3_column_text(statement_.get(), column);
    if (!text) return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement_.get(), column)));
}

std::int64_t SqliteStatement::ColumnInteger(int column) const {
    if (column < 0 || column >= ColumnCount()) return 0;
    switch (sqlite3_column_type(statement_.get(), column)) {
        case SQLITE_NULL:
            return 0;
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            return sqlite3_column_int64(statement_.get(), column);
        default:
            Raise("Error executing SQL", SQLITE_MISMATCH,
                  "column " + std::to_string(column) + " does not hold a number");
    }
}

void SqliteStatement::Raise(const char* what, int code, const std::string& message) const {
    throw BrivoError(std::string(what) + ".\rError [" + std::to_string(code) + "]: " + sqlite3_errstr(code) +
                     ".\r\"" + sql_ + "\": " + message);
}
