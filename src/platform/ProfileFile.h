#pragma once

#include <string>

struct sqlite3;

namespace platform {

// Opening the profile database file: connection settings, the health check of an
// existing file, the schema of a new one, and keeping a bad file aside.
class ProfileFile {
public:
    // 1: settings only; 2: the player's progress beside them.
    static constexpr int kSchemaVersion = 2;

    enum class State {
        Ready,    // usable
        Damaged,  // not a database, damaged, or from a newer version: keep it aside
        Failed,   // cannot be used now (no access, locked too long): leave it alone
    };

    struct Opened {
        sqlite3* db = nullptr;  // set when Ready; the caller closes it
        State state = State::Failed;
        std::string why;
    };

    // Opens path (creating the file and its folder), checks it and sets up the schema.
    static Opened open(const std::string& path);

    // Whether an SQLite result code says the file itself is bad.
    static bool isDamageCode(int code);

    // Renames path (and its write-ahead log) to a new name beside it and drops
    // its shared-memory index. The new name, or empty when the rename failed.
    static std::string keepAside(const std::string& path);
};

}  // namespace platform
