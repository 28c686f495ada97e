// The player's progress in the profile database: kept across a reopen, added
// to files of the settings-only version, a file with progress tables of another
// shape kept aside, and a reset. (A killed writer: UserProcessTest.)
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "platform/ProfileStore.h"
#include "platform/ProgressStore.h"
#include "support/TempDir.h"

using platform::ProfileStore;
using platform::ProgressStore;
using platform::StoredProgress;

namespace {

class ProgressStoreTest : public ::testing::Test {
protected:
    std::shared_ptr<ProfileStore> open() {
        auto profile = ProfileStore::open(path_);
        EXPECT_TRUE(profile);
        return profile;
    }
    void exec(const char* sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    testsupport::TempDir dir_;
    std::string path_ = dir_.file("profile.sqlite");
};

const StoredProgress::Practice* practiceOf(const StoredProgress& kept, int game, int difficulty) {
    for (const auto& p : kept.practice)
        if (p.game == game && p.difficulty == difficulty) return &p;
    return nullptr;
}

}  // namespace

// Plays, tests and values written by one opening are read back by the next:
// the newest scores first and at most as many as asked, the best over all of
// them, the daily test's games apart from the practice history.
TEST_F(ProgressStoreTest, ARecordSurvivesACloseAndReopen) {
    {
        ProgressStore store(open());
        for (int i = 0; i < 105; ++i) ASSERT_TRUE(store.addPractice(3, 0, i == 2 ? 5000 : i, i / 10));
        ASSERT_TRUE(store.addPractice(3, 2, 77, 1));
        platform::StoredTest test;
        test.total = 3600;
        test.rankBefore = 1;
        test.rankAfter = 2;
        test.games = {{0, 600}, {1, 600}, {2, 600}, {3, 600}, {4, 600}, {5, 600}};
        test.values = {{"rank", 2}, {"unlocked", 8}};
        test.rankGained = 1;
        ASSERT_TRUE(store.addTest(test));
        ASSERT_TRUE(store.setValue("muted", 1));
    }
    ProgressStore store(open());
    StoredProgress kept = store.load(100);
    const auto* easy = practiceOf(kept, 3, 0);
    ASSERT_NE(easy, nullptr);
    ASSERT_EQ(easy->newestFirst.size(), 100u);
    EXPECT_EQ(easy->newestFirst.front(), 104);
    EXPECT_EQ(easy->newestFirst.back(), 5);
    EXPECT_EQ(easy->best, 5000);  // fell out of the history, still the best
    const auto* hard = practiceOf(kept, 3, 2);
    ASSERT_NE(hard, nullptr);
    EXPECT_EQ(hard->newestFirst, std::vector<int>{77});
    EXPECT_EQ(practiceOf(kept, 0, 0), nullptr);  // test games are no practice
    EXPECT_EQ(kept.testsNewestFirst, std::vector<int>{3600});
    EXPECT_EQ(kept.bestTest, 3600);
    EXPECT_EQ(kept.values["rank"], 2);
    EXPECT_EQ(kept.values["unlocked"], 8);
    EXPECT_EQ(kept.values["muted"], 1);
    EXPECT_EQ(kept.rankGains[1], 3600);
    ASSERT_EQ(kept.levels.size(), 2u);
    int plays = 0, testPlays = 0;
    store.forEachPlay([&](const platform::StoredPlay& play) {
        ++plays;
        if (play.test != 0) ++testPlays;
        EXPECT_EQ(play.localTime.size(), 19u);
    });
    EXPECT_EQ(plays, 112);
    EXPECT_EQ(testPlays, 6);
}

// A profile of the settings-only version keeps its settings and gains the
// progress tables.
TEST_F(ProgressStoreTest, AProfileWithoutProgressTablesIsUpgraded) {
    exec(
        "CREATE TABLE profile_keys(id INTEGER PRIMARY KEY, parent INTEGER REFERENCES profile_keys(id) ON DELETE "
        "CASCADE, name TEXT NOT NULL COLLATE NOCASE, UNIQUE(parent, name));"
        "CREATE TABLE profile_values(key INTEGER NOT NULL REFERENCES profile_keys(id) ON DELETE CASCADE,"
        " name TEXT NOT NULL COLLATE NOCASE, kind INTEGER NOT NULL, data BLOB NOT NULL,"
        " PRIMARY KEY(key, name)) WITHOUT ROWID;"
        "INSERT INTO profile_keys(id, parent, name) VALUES(1, NULL, '');"
        "INSERT INTO profile_values VALUES(1, 'FULLSCREEN', 4, x'01000000');"
        "PRAGMA user_version = 1;");
    auto profile = open();
    ASSERT_TRUE(profile);
    auto value = profile->getValue(profile->root(), "FULLSCREEN");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data, (std::vector<uint8_t>{1, 0, 0, 0}));
    ProgressStore store(profile);
    EXPECT_TRUE(store.addPractice(1, 1, 900, 2));
    EXPECT_EQ(store.load(100).practice.size(), 1u);
}

// Progress tables of another shape make the file foreign: it is kept aside
// and a fresh store takes its place.
TEST_F(ProgressStoreTest, ProgressTablesOfAnotherShapeAreKeptAside) {
    { ProgressStore store(open()); }
    exec("DROP TABLE progress_plays; CREATE TABLE progress_plays(x);");
    testing::internal::CaptureStderr();
    auto profile = ProfileStore::open(path_);
    std::string told = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(profile);
    EXPECT_NE(told.find("kept it as"), std::string::npos) << told;
    EXPECT_TRUE(ProgressStore(profile).addPractice(0, 0, 1, 0));
}

// A reset keeps the progress in a backup file and the settings in place.
TEST_F(ProgressStoreTest, AResetKeepsABackupAndTheSettings) {
    auto profile = open();
    ProgressStore store(profile);
    ASSERT_TRUE(store.addPractice(2, 1, 1234, 3));
    ASSERT_TRUE(store.setLabels({{"game.2", "Spatial Memory"}}));
    std::string why;
    ASSERT_TRUE(profile->setValue(profile->root(), "FULLSCREEN", platform::ProfileValueKind::Number,
                                  reinterpret_cast<const uint8_t*>("\1\0\0\0"), 4));
    std::string backup = dir_.file("backup.sqlite");
    ASSERT_TRUE(store.resetInto(backup, why)) << why;
    EXPECT_TRUE(store.load(100).practice.empty());
    EXPECT_TRUE(profile->getValue(profile->root(), "FULLSCREEN"));
    EXPECT_EQ(store.labels()["game.2"], "Spatial Memory");
    auto saved = ProfileStore::open(backup);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ProgressStore(saved).load(100).practice.size(), 1u);
    EXPECT_FALSE(store.resetInto(backup, why));  // never over an existing file
}
