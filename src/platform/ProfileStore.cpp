#include "platform/ProfileStore.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

#include "platform/ProfileFile.h"
#include "platform/SqliteStatement.h"

namespace platform {

namespace {

constexpr ProfileStore::Key kRootKey = 1;

std::string envText(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

struct ProfileStore::Statements {
    explicit Statements(sqlite3* db)
        : findKey(db, "SELECT id FROM profile_keys WHERE parent = ?1 AND name = ?2"),
          keyExists(db, "SELECT 1 FROM profile_keys WHERE id = ?1"),
          insertKey(db, "INSERT INTO profile_keys(parent, name) VALUES(?1, ?2)"),
          deleteKey(db, "DELETE FROM profile_keys WHERE parent = ?1 AND name = ?2"),
          listKeys(db, "SELECT name FROM profile_keys WHERE parent = ?1 ORDER BY name"),
          getValue(db, "SELECT kind, data FROM profile_values WHERE key = ?1 AND name = ?2"),
          setValue(db,
                   "INSERT INTO profile_values(key, name, kind, data) VALUES(?1, ?2, ?3, ?4) "
                   "ON CONFLICT(key, name) DO UPDATE SET kind = excluded.kind, data = excluded.data"),
          deleteValue(db, "DELETE FROM profile_values WHERE key = ?1 AND name = ?2") {}

    bool ok() const {
        return findKey.ok() && keyExists.ok() && insertKey.ok() && deleteKey.ok() && listKeys.ok() && getValue.ok() &&
               setValue.ok() && deleteValue.ok();
    }

    SqliteStatement findKey, keyExists, insertKey, deleteKey, listKeys, getValue, setValue, deleteValue;
};

std::string ProfileStore::defaultPath() {
    std::string explicitPath = envText("MENTARIUM_PROFILE");
    if (!explicitPath.empty()) return explicitPath;
    std::string config = envText("XDG_CONFIG_HOME");
    // Relative values are to be ignored, as the base-directory convention says.
    if (config.empty() || config[0] != '/') {
        std::string home = envText("HOME");
        config = (home.empty() ? std::string(".") : home) + "/.config";
    }
    return config + "/mentarium/profile.sqlite";
}

std::shared_ptr<ProfileStore> ProfileStore::open(const std::string& path) {
    // A second attempt follows only after a damaged file was moved out of the way.
    for (int attempt = 0; attempt < 2; ++attempt) {
        ProfileFile::Opened opened = ProfileFile::open(path);
        if (opened.state == ProfileFile::State::Ready) {
            auto statements = std::make_unique<Statements>(opened.db);
            if (statements->ok()) {
                return std::shared_ptr<ProfileStore>(new ProfileStore(opened.db, path, std::move(statements)));
            }
            int code = sqlite3_extended_errcode(opened.db);
            opened.why = std::string("unexpected contents: ") + sqlite3_errmsg(opened.db);
            // Tables of another shape are a foreign file; anything else is a passing failure.
            opened.state = ((code & 0xff) == SQLITE_ERROR || ProfileFile::isDamageCode(code))
                               ? ProfileFile::State::Damaged
                               : ProfileFile::State::Failed;
            statements.reset();
            sqlite3_close_v2(opened.db);
        }
        if (opened.state == ProfileFile::State::Failed || attempt == 1) {
            std::fprintf(stderr, "mentarium: cannot use the profile store %s (%s); settings will not be kept\n",
                         path.c_str(), opened.why.c_str());
            return nullptr;
        }
        std::string aside = ProfileFile::keepAside(path);
        if (aside.empty()) {
            std::fprintf(stderr,
                         "mentarium: the profile store %s is unreadable (%s) and could not be moved aside; "
                         "starting with default settings that will not be kept\n",
                         path.c_str(), opened.why.c_str());
            return nullptr;
        }
        std::fprintf(stderr,
                     "mentarium: the profile store %s is unreadable (%s); kept it as %s and started a new one "
                     "with default settings\n",
                     path.c_str(), opened.why.c_str(), aside.c_str());
    }
    return nullptr;
}

ProfileStore::ProfileStore(sqlite3* db, std::string path, std::unique_ptr<Statements> statements)
    : db_(db), path_(std::move(path)), statements_(std::move(statements)) {}

ProfileStore::~ProfileStore() {
    statements_.reset();
    sqlite3_close_v2(db_);
}

ProfileStore::Key ProfileStore::root() const { return kRootKey; }

ProfileStore::Key ProfileStore::findChild(Key parent, std::string_view name) {
    SqliteStatement& find = statements_->findKey;
    find.reset().bind(1, parent).bindText(2, name);
    Key found = find.step() == SQLITE_ROW ? find.columnInt(0) : kNoKey;
    find.reset();
    return found;
}

ProfileStore::Key ProfileStore::openKey(Key parent, std::string_view path, bool create) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    if (parent == kNoKey) return kNoKey;
    Batch batch(create ? this : nullptr);
    SqliteStatement& exists = statements_->keyExists;
    exists.reset().bind(1, parent);
    bool parentExists = exists.step() == SQLITE_ROW;
    exists.reset();
    if (!parentExists) return kNoKey;

    Key key = parent;
    size_t from = 0;
    while (from <= path.size()) {
        size_t end = path.find('\\', from);
        if (end == std::string_view::npos) end = path.size();
        std::string_view part = path.substr(from, end - from);
        from = end + 1;
        if (part.empty()) continue;
        Key child = findChild(key, part);
        if (child == kNoKey) {
            if (!create) return kNoKey;
            SqliteStatement& insert = statements_->insertKey;
            insert.reset().bind(1, key).bindText(2, part);
            if (!insert.run()) return kNoKey;
            child = sqlite3_last_insert_rowid(db_);
        }
        key = child;
    }
    return key;
}

std::optional<ProfileValue> ProfileStore::getValue(Key key, std::string_view name) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    SqliteStatement& get = statements_->getValue;
    get.reset().bind(1, key).bindText(2, name);
    std::optional<ProfileValue> value;
    if (get.step() == SQLITE_ROW) {
        const uint8_t* bytes = static_cast<const uint8_t*>(get.columnBlob(1));
        int size = get.columnBytes(1);
        value = ProfileValue{static_cast<ProfileValueKind>(get.columnInt(0)),
                             bytes ? std::vector<uint8_t>(bytes, bytes + size) : std::vector<uint8_t>()};
    }
    get.reset();
    return value;
}

bool ProfileStore::setValue(Key key, std::string_view name, ProfileValueKind kind, const uint8_t* data, size_t size) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    SqliteStatement& set = statements_->setValue;
    set.reset()
        .bind(1, key)
        .bindText(2, name)
        .bind(3, static_cast<int>(kind))
        .bindBlob(4, data, static_cast<int64_t>(size));
    return set.run();
}

bool ProfileStore::deleteValue(Key key, std::string_view name) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    SqliteStatement& remove = statements_->deleteValue;
    remove.reset().bind(1, key).bindText(2, name);
    return remove.run() && sqlite3_changes(db_) > 0;
}

bool ProfileStore::deleteKeyTree(Key parent, std::string_view name) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    // Subkeys and values go with the key through the cascading references.
    SqliteStatement& remove = statements_->deleteKey;
    remove.reset().bind(1, parent).bindText(2, name);
    return remove.run() && sqlite3_changes(db_) > 0;
}

std::vector<std::string> ProfileStore::subkeyNames(Key key) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    SqliteStatement& list = statements_->listKeys;
    list.reset().bind(1, key);
    std::vector<std::string> names;
    while (list.step() == SQLITE_ROW) names.emplace_back(list.columnText(0));
    list.reset();
    return names;
}

void ProfileStore::beginBatch() {
    mutex_.lock();
    if (batchDepth_++ == 0) {
        inTransaction_ = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
}

void ProfileStore::endBatch() {
    if (--batchDepth_ == 0 && inTransaction_) {
        if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        inTransaction_ = false;
    }
    mutex_.unlock();
}

bool ProfileStore::transact(const std::function<bool(sqlite3*)>& work) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    if (batchDepth_ > 0) return work(db_);  // the open batch commits it
    if (sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) return false;
    if (work(db_) && sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return false;
}

void ProfileStore::read(const std::function<void(sqlite3*)>& work) {
    std::lock_guard<std::recursive_mutex> hold(mutex_);
    work(db_);
}

ProfileStore::Batch::Batch(ProfileStore* store) : store_(store) {
    if (store_) store_->beginBatch();
}

ProfileStore::Batch::~Batch() {
    if (store_) store_->endBatch();
}

}  // namespace platform
