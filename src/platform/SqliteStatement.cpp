#include "platform/SqliteStatement.h"

#include <sqlite3.h>

namespace platform {

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(stmt_); }

SqliteStatement& SqliteStatement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    return *this;
}

SqliteStatement& SqliteStatement::bind(int index, int64_t value) {
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

SqliteStatement& SqliteStatement::bindText(int index, std::string_view text) {
    sqlite3_bind_text64(stmt_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(int index, const void* data, int64_t size) {
    // A zero-length blob must stay a blob, not become NULL.
    if (size == 0) sqlite3_bind_zeroblob(stmt_, index, 0);
    else
        sqlite3_bind_blob64(stmt_, index, data, static_cast<sqlite3_uint64>(size), SQLITE_TRANSIENT);
    return *this;
}

int SqliteStatement::step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

bool SqliteStatement::run() {
    int rc;
    while ((rc = step()) == SQLITE_ROW) {}
    sqlite3_reset(stmt_);
    return rc == SQLITE_DONE;
}

int64_t SqliteStatement::columnInt(int column) const { return sqlite3_column_int64(stmt_, column); }

std::string_view SqliteStatement::columnText(int column) const {
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    int size = sqlite3_column_bytes(stmt_, column);
    return text ? std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(size)) : std::string_view();
}

const void* SqliteStatement::columnBlob(int column) const { return sqlite3_column_blob(stmt_, column); }

int SqliteStatement::columnBytes(int column) const { return sqlite3_column_bytes(stmt_, column); }

}  // namespace platform
