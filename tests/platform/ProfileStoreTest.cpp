#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/ProfileStore.h"
#include "support/TempDir.h"

using platform::ProfileStore;
using platform::ProfileValueKind;
using testsupport::ScopedEnv;
using testsupport::TempDir;

namespace {

bool put(ProfileStore& store, ProfileStore::Key key, const char* name, ProfileValueKind kind, const std::string& data) {
    return store.setValue(key, name, kind, reinterpret_cast<const uint8_t*>(data.data()), data.size());
}

std::string bytesOf(const std::optional<platform::ProfileValue>& value) {
    return value ? std::string(value->data.begin(), value->data.end()) : std::string("<missing>");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
}

// Files in dir whose names contain part.
std::vector<std::string> filesContaining(const std::string& dir, const std::string& part) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (name.find(part) != std::string::npos) found.push_back(entry.path().string());
    }
    return found;
}

// Makes a healthy store with enough values to span several database pages.
void fillStore(const std::string& path, int values) {
    auto store = ProfileStore::open(path);
    ASSERT_TRUE(store);
    ProfileStore::Key key = store->openKey(store->root(), "Software\\Quillory\\Cogniquilt", true);
    ProfileStore::Batch batch(store.get());
    for (int i = 0; i < values; ++i) {
        ASSERT_TRUE(put(*store, key, ("value" + std::to_string(i)).c_str(), ProfileValueKind::Text,
                        std::string(200, static_cast<char>('a' + i % 26))));
    }
}

}  // namespace

TEST(ProfileStore, KeysAreCreatedOnDemandAndFoundWithoutRegardToCase) {
    TempDir dir;
    auto store = ProfileStore::open(dir.file("nested/folder/profile.sqlite"));
    ASSERT_TRUE(store);
    EXPECT_TRUE(std::filesystem::exists(dir.file("nested/folder/profile.sqlite")));

    EXPECT_EQ(store->openKey(store->root(), "Software\\Quillory\\Game", false), ProfileStore::kNoKey);
    ProfileStore::Key made = store->openKey(store->root(), "Software\\Quillory\\Game", true);
    ASSERT_NE(made, ProfileStore::kNoKey);
    EXPECT_EQ(store->openKey(store->root(), "SOFTWARE\\quillory\\game", false), made);
    EXPECT_EQ(store->openKey(store->root(), "\\Software\\\\Quillory\\Game\\", false), made);
    EXPECT_EQ(store->openKey(made, "", false), made);

    ProfileStore::Key quillory = store->openKey(store->root(), "Software\\Quillory", false);
    EXPECT_EQ(store->openKey(quillory, "Game", false), made);
    EXPECT_EQ(store->subkeyNames(quillory), std::vector<std::string>{"Game"});
}

TEST(ProfileStore, ValuesKeepTheirKindAndBytes) {
    TempDir dir;
    auto store = ProfileStore::open(dir.file("profile.sqlite"));
    ASSERT_TRUE(store);
    ProfileStore::Key key = store->openKey(store->root(), "App", true);

    std::string binary("\x00\x01\xff\x00zz", 6);
    ASSERT_TRUE(put(*store, key, "Number", ProfileValueKind::Number, std::string("\x07\x00\x00\x00", 4)));
    ASSERT_TRUE(put(*store, key, "Text", ProfileValueKind::Text, std::string("caf\xe9\0", 5)));
    ASSERT_TRUE(put(*store, key, "Binary", ProfileValueKind::Binary, binary));
    ASSERT_TRUE(put(*store, key, "Empty", ProfileValueKind::Binary, ""));

    auto number = store->getValue(key, "number");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->kind, ProfileValueKind::Number);
    EXPECT_EQ(bytesOf(number), std::string("\x07\x00\x00\x00", 4));
    EXPECT_EQ(store->getValue(key, "Text")->kind, ProfileValueKind::Text);
    EXPECT_EQ(bytesOf(store->getValue(key, "Text")), std::string("caf\xe9\0", 5));
    EXPECT_EQ(bytesOf(store->getValue(key, "Binary")), binary);
    // An empty value exists; it is not the same as a missing one.
    auto empty = store->getValue(key, "Empty");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->data.empty());
    EXPECT_FALSE(store->getValue(key, "Missing"));

    // Writing again replaces both kind and bytes.
    ASSERT_TRUE(put(*store, key, "NUMBER", ProfileValueKind::Text, std::string("12\0", 3)));
    EXPECT_EQ(store->getValue(key, "Number")->kind, ProfileValueKind::Text);
    EXPECT_EQ(bytesOf(store->getValue(key, "Number")), std::string("12\0", 3));
}

TEST(ProfileStore, DeletingValuesAndKeyTrees) {
    TempDir dir;
    auto store = ProfileStore::open(dir.file("profile.sqlite"));
    ASSERT_TRUE(store);
    ProfileStore::Key app = store->openKey(store->root(), "App", true);
    ProfileStore::Key deep = store->openKey(app, "Tree\\Branch\\Leaf", true);
    ProfileStore::Key sibling = store->openKey(app, "Other", true);
    ASSERT_TRUE(put(*store, deep, "v", ProfileValueKind::Text, "x"));
    ASSERT_TRUE(put(*store, sibling, "v", ProfileValueKind::Text, "y"));
    ASSERT_TRUE(put(*store, app, "Tree", ProfileValueKind::Text, "value named like the key"));

    EXPECT_TRUE(store->deleteValue(app, "tree"));
    EXPECT_FALSE(store->deleteValue(app, "Tree"));
    EXPECT_TRUE(store->openKey(app, "Tree\\Branch", false) != ProfileStore::kNoKey);

    EXPECT_TRUE(store->deleteKeyTree(app, "TREE"));
    EXPECT_FALSE(store->deleteKeyTree(app, "Tree"));
    EXPECT_EQ(store->openKey(app, "Tree", false), ProfileStore::kNoKey);
    EXPECT_EQ(store->subkeyNames(app), std::vector<std::string>{"Other"});
    EXPECT_EQ(bytesOf(store->getValue(sibling, "v")), "y");

    // A handle to a deleted key no longer reads or writes anything.
    EXPECT_FALSE(store->getValue(deep, "v"));
    EXPECT_FALSE(put(*store, deep, "w", ProfileValueKind::Text, "lost"));
    EXPECT_EQ(store->openKey(deep, "Again", true), ProfileStore::kNoKey);
}

TEST(ProfileStore, DefaultPathFollowsTheEnvironment) {
    {
        ScopedEnv profile("MENTARIUM_PROFILE", "/somewhere/p.sqlite");
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(ProfileStore::defaultPath(), "/somewhere/p.sqlite");
    }
    ScopedEnv profile("MENTARIUM_PROFILE", nullptr);
    ScopedEnv home("HOME", "/home/player");
    {
        ScopedEnv config("XDG_CONFIG_HOME", "/cfg");
        EXPECT_EQ(ProfileStore::defaultPath(), "/cfg/mentarium/profile.sqlite");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "relative/dir");
        EXPECT_EQ(ProfileStore::defaultPath(), "/home/player/.config/mentarium/profile.sqlite");
    }
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(ProfileStore::defaultPath(), "/home/player/.config/mentarium/profile.sqlite");
}

// Two connections to one store file, as two running copies of the game have.
class TwoConnections : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(first_ && second_);
        key_ = first_->openKey(first_->root(), "Shared", true);
    }
    TempDir dir_;
    std::shared_ptr<ProfileStore> first_ = ProfileStore::open(dir_.file("profile.sqlite"));
    std::shared_ptr<ProfileStore> second_ = ProfileStore::open(dir_.file("profile.sqlite"));
    ProfileStore::Key key_ = ProfileStore::kNoKey;
};

TEST_F(TwoConnections, ABatchIsInvisibleToTheOtherUntilItEnds) {
    {
        ProfileStore::Batch batch(first_.get());
        ASSERT_TRUE(put(*first_, key_, "first", ProfileValueKind::Text, "1"));
        {
            ProfileStore::Batch inner(first_.get());
            ASSERT_TRUE(put(*first_, key_, "second", ProfileValueKind::Text, "2"));
        }
        // The inner scope joined the outer one: nothing is committed yet.
        EXPECT_FALSE(second_->getValue(key_, "first"));
        EXPECT_FALSE(second_->getValue(key_, "second"));
        EXPECT_EQ(bytesOf(first_->getValue(key_, "second")), "2");
    }
    EXPECT_EQ(bytesOf(second_->getValue(key_, "first")), "1");
    EXPECT_EQ(bytesOf(second_->getValue(key_, "second")), "2");
}

TEST_F(TwoConnections, WritingAtOnceLosesNothing) {
    std::atomic<int> failures{0};
    auto writeMany = [&](ProfileStore* store, const std::string& prefix) {
        for (int i = 0; i < 100; ++i) {
            ProfileStore::Batch batch(store);
            if (store->openKey(store->root(), "Shared\\" + prefix, true) == ProfileStore::kNoKey) ++failures;
            if (!put(*store, key_, (prefix + std::to_string(i)).c_str(), ProfileValueKind::Text, prefix)) ++failures;
        }
    };
    std::thread a(writeMany, first_.get(), "a");
    std::thread b(writeMany, second_.get(), "b");
    a.join();
    b.join();
    EXPECT_EQ(failures.load(), 0);
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(bytesOf(first_->getValue(key_, ("b" + std::to_string(i)).c_str())), "b");
        EXPECT_EQ(bytesOf(second_->getValue(key_, ("a" + std::to_string(i)).c_str())), "a");
    }
}

// --- damaged files ---

class DamagedProfile : public ::testing::Test {
protected:
    // Opens the store at path_ and checks that the bad file was kept aside
    // byte for byte, the user was told, and a working store replaced it.
    void expectKeptAsideAndReplaced(const std::string& original) {
        testing::internal::CaptureStderr();
        auto store = ProfileStore::open(path_);
        std::string told = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(store);
        std::vector<std::string> aside = filesContaining(dir_.path(), ".damaged-");
        ASSERT_EQ(aside.size(), 1u) << told;
        EXPECT_TRUE(readFile(aside[0]) == original) << "the kept file differs from the damaged one";
        EXPECT_NE(told.find(aside[0]), std::string::npos) << told;

        ProfileStore::Key key = store->openKey(store->root(), "Software\\Quillory\\Cogniquilt", false);
        EXPECT_EQ(key, ProfileStore::kNoKey) << "the new store starts empty";
        key = store->openKey(store->root(), "Software\\Quillory\\Cogniquilt", true);
        ASSERT_NE(key, ProfileStore::kNoKey);
        EXPECT_TRUE(put(*store, key, "after", ProfileValueKind::Text, "ok"));

        // The replacement is healthy: it opens again without complaint.
        store.reset();
        testing::internal::CaptureStderr();
        auto again = ProfileStore::open(path_);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        ASSERT_TRUE(again);
        key = again->openKey(again->root(), "Software\\Quillory\\Cogniquilt", false);
        EXPECT_EQ(bytesOf(again->getValue(key, "after")), "ok");
    }

    TempDir dir_;
    std::string path_ = dir_.file("profile.sqlite");
};

TEST_F(DamagedProfile, AFileThatIsNotADatabase) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "this is a settings file of some other program\n";
    writeFile(path_, text);
    expectKeptAsideAndReplaced(text);
}

TEST_F(DamagedProfile, ATruncatedDatabase) {
    fillStore(path_, 200);
    std::string whole = readFile(path_);
    ASSERT_GT(whole.size(), 16384u);
    std::string cut = whole.substr(0, whole.size() / 2);
    writeFile(path_, cut);
    expectKeptAsideAndReplaced(cut);
}

TEST_F(DamagedProfile, AStoreOfANewerVersion) {
    fillStore(path_, 5);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA user_version = 7", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    expectKeptAsideAndReplaced(readFile(path_));
}

TEST_F(DamagedProfile, ADatabaseWithTablesOfAnotherShape) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE profile_keys(x); PRAGMA user_version = 1", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    expectKeptAsideAndReplaced(readFile(path_));
}

TEST_F(DamagedProfile, AnEmptyFileIsSimplyANewStore) {
    writeFile(path_, "");
    testing::internal::CaptureStderr();
    auto store = ProfileStore::open(path_);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_TRUE(store);
    EXPECT_TRUE(filesContaining(dir_.path(), ".damaged-").empty());
}

TEST_F(DamagedProfile, AnUnusablePlaceGivesNoStoreAndTouchesNothing) {
    std::filesystem::create_directories(path_);  // a folder where the file should be
    testing::internal::CaptureStderr();
    auto store = ProfileStore::open(path_);
    std::string told = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(store);
    EXPECT_NE(told.find(path_), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(path_));
    EXPECT_TRUE(filesContaining(dir_.path(), ".damaged-").empty());
}
