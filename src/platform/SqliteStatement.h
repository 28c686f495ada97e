#pragma once

#include <cstdint>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

// One prepared SQLite statement, finalized on destruction. Binding indexes count
// from 1 as in SQLite; column indexes count from 0.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const char* sql);
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    bool ok() const { return stmt_ != nullptr; }

    // Clears the previous run and its bindings.
    SqliteStatement& reset();
    SqliteStatement& bind(int index, int64_t value);
    SqliteStatement& bindText(int index, std::string_view text);
    SqliteStatement& bindBlob(int index, const void* data, int64_t size);

    // One step: SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Steps to the end; true when the statement finished without error.
    bool run();

    int64_t columnInt(int column) const;
    std::string_view columnText(int column) const;
    const void* columnBlob(int column) const;
    int columnBytes(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace platform
