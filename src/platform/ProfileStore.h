#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace platform {

class SqliteStatement;

// Kinds of stored values, numbered as the registry numbers them.
enum class ProfileValueKind : int { Text = 1, Binary = 3, Number = 4 };

struct ProfileValue {
    ProfileValueKind kind;
    std::vector<uint8_t> data;
};

// The player's hierarchical key-value store (the registry stand-in): keys hold
// subkeys and named values, names compare without regard to ASCII case. It lives
// in one SQLite database in write-ahead-log mode with a busy timeout, so two
// running copies of the game share it safely; every write is one transaction,
// so a process killed at any moment leaves the old or the new value.
// A key is named by a number that stays valid until the key is deleted.
// Every operation is safe from any thread.
class ProfileStore {
public:
    using Key = int64_t;
    static constexpr Key kNoKey = 0;

    // $MENTARIUM_PROFILE if set, else $XDG_CONFIG_HOME/mentarium/profile.sqlite,
    // else ~/.config/mentarium/profile.sqlite.
    static std::string defaultPath();

    // Opens the store at path, creating the file and its folder when missing.
    // A file that is not a store, is damaged or comes from a newer version is
    // renamed aside (never deleted), reported on standard error, and a fresh
    // store takes its place. Null only when no store can be used at all.
    static std::shared_ptr<ProfileStore> open(const std::string& path);
    static std::shared_ptr<ProfileStore> openDefault() { return open(defaultPath()); }

    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;
    ~ProfileStore();

    // The top of the tree (the current user's branch).
    Key root() const;

    // The key at a backslash-separated path below parent (empty parts are skipped;
    // an empty path is parent itself). With create, missing keys are made.
    // kNoKey when the key is missing, parent was deleted, or the store failed.
    Key openKey(Key parent, std::string_view path, bool create);

    std::optional<ProfileValue> getValue(Key key, std::string_view name);
    bool setValue(Key key, std::string_view name, ProfileValueKind kind, const uint8_t* data, size_t size);
    // False when there was no such value.
    bool deleteValue(Key key, std::string_view name);
    // Deletes the subkey with all its subkeys and values; false when there was none.
    bool deleteKeyTree(Key parent, std::string_view name);
    // The names of key's direct subkeys, sorted.
    std::vector<std::string> subkeyNames(Key key);

    const std::string& path() const { return path_; }

    // Runs work on the database under the store's lock, inside one transaction
    // (or inside the open Batch of this thread). The transaction commits when
    // work answers true and rolls back when it answers false; the answer is
    // whether the commit succeeded.
    bool transact(const std::function<bool(sqlite3*)>& work);
    // Runs read-only work on the database under the store's lock.
    void read(const std::function<void(sqlite3*)>& work);

    // Runs every write made during its life, on any thread of this store, as
    // one transaction. Scopes nest; the outermost one commits.
    class Batch {
    public:
        explicit Batch(ProfileStore* store);
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        ~Batch();

    private:
        ProfileStore* store_;
    };

private:
    struct Statements;
    ProfileStore(sqlite3* db, std::string path, std::unique_ptr<Statements> statements);
    void beginBatch();
    void endBatch();
    Key findChild(Key parent, std::string_view name);

    sqlite3* db_;
    std::string path_;
    std::unique_ptr<Statements> statements_;
    std::recursive_mutex mutex_;
    int batchDepth_ = 0;
    bool inTransaction_ = false;
};

}  // namespace platform
