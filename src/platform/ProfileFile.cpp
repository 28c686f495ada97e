#include "platform/ProfileFile.h"

#include <sqlite3.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace platform {

namespace {

// Long enough to outlast another copy's write, short enough not to freeze start-up.
constexpr int kBusyTimeoutMs = 3000;

const char* const kSchema =
    "CREATE TABLE IF NOT EXISTS profile_keys("
    "  id INTEGER PRIMARY KEY,"
    "  parent INTEGER REFERENCES profile_keys(id) ON DELETE CASCADE,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  UNIQUE(parent, name));"
    "CREATE TABLE IF NOT EXISTS profile_values("
    "  key INTEGER NOT NULL REFERENCES profile_keys(id) ON DELETE CASCADE,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  kind INTEGER NOT NULL,"
    "  data BLOB NOT NULL,"
    "  PRIMARY KEY(key, name)) WITHOUT ROWID;"
    "INSERT OR IGNORE INTO profile_keys(id, parent, name) VALUES(1, NULL, '');";

// The player's progress, added in version 2: one row per finished play and per
// finished daily test, and small tables for what is not a play (rank, unlocks,
// settings, levels, the texts that reports print).
const char* const kProgressSchema =
    "CREATE TABLE IF NOT EXISTS progress_tests("
    "  id INTEGER PRIMARY KEY,"
    "  total INTEGER NOT NULL,"
    "  rank_before INTEGER NOT NULL,"
    "  rank_after INTEGER NOT NULL,"
    "  played_at INTEGER NOT NULL,"
    "  local_time TEXT NOT NULL);"
    "CREATE TABLE IF NOT EXISTS progress_plays("
    "  id INTEGER PRIMARY KEY,"
    "  game INTEGER NOT NULL,"
    "  difficulty INTEGER NOT NULL,"
    "  score INTEGER NOT NULL,"
    "  test INTEGER REFERENCES progress_tests(id) ON DELETE CASCADE,"
    "  played_at INTEGER NOT NULL,"
    "  local_time TEXT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS progress_plays_by_game ON progress_plays(game, difficulty, id);"
    "CREATE TABLE IF NOT EXISTS progress_values("
    "  name TEXT PRIMARY KEY, value INTEGER NOT NULL) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS progress_levels("
    "  game INTEGER NOT NULL, difficulty INTEGER NOT NULL, level INTEGER NOT NULL,"
    "  PRIMARY KEY(game, difficulty)) WITHOUT ROWID;"
    "CREATE TABLE IF NOT EXISTS progress_rank_gains("
    "  rank INTEGER PRIMARY KEY, score INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS progress_labels("
    "  name TEXT PRIMARY KEY, text TEXT NOT NULL) WITHOUT ROWID;";

// The tables each version has, with the columns this version uses.
const char* const kTableChecks[] = {
    "SELECT id, parent, name FROM profile_keys LIMIT 0",
    "SELECT key, name, kind, data FROM profile_values LIMIT 0",
    "SELECT id, total, rank_before, rank_after, played_at, local_time FROM progress_tests LIMIT 0",
    "SELECT id, game, difficulty, score, test, played_at, local_time FROM progress_plays LIMIT 0",
    "SELECT name, value FROM progress_values LIMIT 0",
    "SELECT game, difficulty, level FROM progress_levels LIMIT 0",
    "SELECT rank, score FROM progress_rank_gains LIMIT 0",
    "SELECT name, text FROM progress_labels LIMIT 0",
};
constexpr int kTablesOfVersion1 = 2;

ProfileFile::Opened verdict(sqlite3* db, int code, const std::string& what) {
    ProfileFile::Opened result;
    result.why = what + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    result.state = ProfileFile::isDamageCode(code) ? ProfileFile::State::Damaged : ProfileFile::State::Failed;
    sqlite3_close_v2(db);
    return result;
}

// Runs a one-row query (or a statement) and gives the first column as text.
int queryText(sqlite3* db, const char* sql, std::string& out) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(stmt, 0);
            out = text ? reinterpret_cast<const char*>(text) : "";
            rc = SQLITE_OK;
        } else if (rc == SQLITE_DONE) {
            out.clear();
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    return rc;
}

// Brings the file up to this version: a new file gets every table, a file of
// version 1 (settings only) gains the progress tables and keeps its settings.
int upgradeSchema(sqlite3* db) {
    int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return rc;
    std::string version;
    rc = queryText(db, "PRAGMA user_version", version);
    // Another copy may have upgraded the file while this one waited for the lock.
    int found = rc == SQLITE_OK ? std::atoi(version.c_str()) : ProfileFile::kSchemaVersion;
    if (found < ProfileFile::kSchemaVersion) {
        if (found == 0) rc = sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kProgressSchema, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) {
            std::string setVersion = "PRAGMA user_version = " + std::to_string(ProfileFile::kSchemaVersion);
            rc = sqlite3_exec(db, setVersion.c_str(), nullptr, nullptr, nullptr);
        }
    }
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return rc;
}

// Whether the tables of that version exist with the columns this version uses.
bool tablesFit(sqlite3* db, int version) {
    const int tables = version >= 2 ? static_cast<int>(std::size(kTableChecks)) : kTablesOfVersion1;
    for (int i = 0; i < tables; ++i) {
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v2(db, kTableChecks[i], -1, &stmt, nullptr);
        sqlite3_finalize(stmt);
        if (rc != SQLITE_OK) return false;
    }
    return true;
}

std::string timestamp() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

}  // namespace

bool ProfileFile::isDamageCode(int code) {
    int primary = code & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT || primary == SQLITE_FORMAT;
}

ProfileFile::Opened ProfileFile::open(const std::string& path) {
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);

    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX, nullptr);
    if (rc != SQLITE_OK) return verdict(db, rc, "cannot open");
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);

    std::string text;
    rc = queryText(db, "PRAGMA user_version", text);
    if (rc != SQLITE_OK) return verdict(db, rc, "cannot read");
    int version = std::atoi(text.c_str());
    if (version > kSchemaVersion) {
        Opened newer;
        newer.state = State::Damaged;
        newer.why = "written by a newer version (schema " + text + ")";
        sqlite3_close_v2(db);
        return newer;
    }

    rc = queryText(db, "PRAGMA quick_check", text);
    if (rc != SQLITE_OK) return verdict(db, rc, "check failed");
    if (text != "ok") {
        Opened damaged;
        damaged.state = State::Damaged;
        damaged.why = "damaged: " + text;
        sqlite3_close_v2(db);
        return damaged;
    }

    // Checked before anything is written, so a foreign file is kept aside unchanged.
    rc = queryText(db, "SELECT count(*) FROM sqlite_master WHERE name IN ('profile_keys', 'profile_values')", text);
    if (rc != SQLITE_OK) return verdict(db, rc, "cannot read the tables");
    if ((version > 0 || text != "0") && !tablesFit(db, version)) {
        Opened foreign;
        foreign.state = State::Damaged;
        foreign.why = "tables of another shape";
        sqlite3_close_v2(db);
        return foreign;
    }

    // Write-ahead logging lets a second copy read while this one writes; FULL
    // syncing puts every commit (a finished play) on disk before it returns, so
    // neither a killed process nor a power cut loses it.
    rc = queryText(db, "PRAGMA journal_mode = WAL", text);
    if (rc != SQLITE_OK) return verdict(db, rc, "cannot set the journal");
    rc = sqlite3_exec(db, "PRAGMA synchronous = FULL; PRAGMA foreign_keys = ON", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return verdict(db, rc, "cannot configure");
    if (version < kSchemaVersion) {
        rc = upgradeSchema(db);
        if (rc != SQLITE_OK) return verdict(db, rc, "cannot create the tables");
    }

    Opened ready;
    ready.db = db;
    ready.state = State::Ready;
    return ready;
}

std::string ProfileFile::keepAside(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    std::string base = path + ".damaged-" + timestamp();
    std::string aside = base;
    for (int n = 1; fs::exists(aside, error) || fs::exists(aside + "-wal", error); ++n) {
        aside = base + "-" + std::to_string(n);
    }
    fs::rename(path, aside, error);
    if (error) return std::string();
    // The log belongs to the old file: left in place it would be replayed into the new one.
    if (fs::exists(path + "-wal", error)) fs::rename(path + "-wal", aside + "-wal", error);
    if (fs::exists(path + "-journal", error)) fs::rename(path + "-journal", aside + "-journal", error);
    fs::remove(path + "-shm", error);
    return aside;
}

}  // namespace platform
