#include "platform/ProgressStore.h"

#include <sqlite3.h>

#include <ctime>

#include "platform/ProfileStore.h"
#include "platform/SqliteStatement.h"

namespace platform {

namespace {

struct Stamp {
    int64_t utc;
    std::string local;
};

Stamp now() {
    std::time_t t = std::time(nullptr);
    std::tm parts{};
    localtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    return {static_cast<int64_t>(t), text};
}

const char kInsertPlay[] =
    "INSERT INTO progress_plays(game, difficulty, score, test, played_at, local_time) VALUES(?1, ?2, ?3, ?4, ?5, ?6)";
const char kSetValue[] =
    "INSERT INTO progress_values(name, value) VALUES(?1, ?2) "
    "ON CONFLICT(name) DO UPDATE SET value = excluded.value";

bool insertPlay(sqlite3* db, int game, int difficulty, int score, int64_t test, const Stamp& at) {
    SqliteStatement insert(db, kInsertPlay);
    insert.bind(1, game).bind(2, difficulty).bind(3, score).bind(5, at.utc).bindText(6, at.local);
    if (test != 0) insert.bind(4, test);  // unbound stays NULL: a practice play
    return insert.run();
}

bool putValue(sqlite3* db, const std::string& name, int64_t value) {
    SqliteStatement set(db, kSetValue);
    return set.bindText(1, name).bind(2, value).run();
}

}  // namespace

ProgressStore::ProgressStore(std::shared_ptr<ProfileStore> profile) : profile_(std::move(profile)) {}

const std::string& ProgressStore::path() const { return profile_->path(); }

StoredProgress ProgressStore::load(int historyLength) {
    StoredProgress kept;
    profile_->read([&](sqlite3* db) {
        // The newest scores of each game and difficulty walk the index backwards.
        SqliteStatement recent(db,
                               "SELECT game, difficulty, score FROM ("
                               "  SELECT game, difficulty, score,"
                               "    row_number() OVER (PARTITION BY game, difficulty ORDER BY id DESC) AS n"
                               "  FROM progress_plays WHERE test IS NULL)"
                               " WHERE n <= ?1 ORDER BY game, difficulty, n");
        recent.bind(1, historyLength);
        while (recent.step() == SQLITE_ROW) {
            int game = static_cast<int>(recent.columnInt(0)), difficulty = static_cast<int>(recent.columnInt(1));
            if (kept.practice.empty() || kept.practice.back().game != game ||
                kept.practice.back().difficulty != difficulty)
                kept.practice.push_back({game, difficulty, 0, {}});
            kept.practice.back().newestFirst.push_back(static_cast<int>(recent.columnInt(2)));
        }
        SqliteStatement best(db,
                             "SELECT game, difficulty, max(score) FROM progress_plays WHERE test IS NULL "
                             "GROUP BY game, difficulty ORDER BY game, difficulty");
        size_t at = 0;
        while (best.step() == SQLITE_ROW) {
            // Both lists are sorted by game and difficulty and hold the same groups.
            while (at < kept.practice.size() &&
                   (kept.practice[at].game != best.columnInt(0) || kept.practice[at].difficulty != best.columnInt(1)))
                ++at;
            if (at < kept.practice.size()) kept.practice[at].best = static_cast<int>(best.columnInt(2));
        }
        SqliteStatement tests(db, "SELECT total FROM progress_tests ORDER BY id DESC LIMIT ?1");
        tests.bind(1, historyLength);
        while (tests.step() == SQLITE_ROW) kept.testsNewestFirst.push_back(static_cast<int>(tests.columnInt(0)));
        SqliteStatement bestTest(db, "SELECT coalesce(max(total), 0) FROM progress_tests");
        if (bestTest.step() == SQLITE_ROW) kept.bestTest = static_cast<int>(bestTest.columnInt(0));
        SqliteStatement values(db, "SELECT name, value FROM progress_values");
        while (values.step() == SQLITE_ROW) kept.values[std::string(values.columnText(0))] = values.columnInt(1);
        SqliteStatement gains(db, "SELECT rank, score FROM progress_rank_gains");
        while (gains.step() == SQLITE_ROW)
            kept.rankGains[static_cast<int>(gains.columnInt(0))] = static_cast<int>(gains.columnInt(1));
        SqliteStatement levels(db, "SELECT game, difficulty, level FROM progress_levels");
        while (levels.step() == SQLITE_ROW)
            kept.levels.push_back({static_cast<int>(levels.columnInt(0)), static_cast<int>(levels.columnInt(1)),
                                   static_cast<int>(levels.columnInt(2))});
    });
    return kept;
}

bool ProgressStore::addPractice(int game, int difficulty, int score, int level) {
    const Stamp at = now();
    return profile_->transact([&](sqlite3* db) {
        SqliteStatement setLevel(db,
                                 "INSERT INTO progress_levels(game, difficulty, level) VALUES(?1, ?2, ?3) "
                                 "ON CONFLICT(game, difficulty) DO UPDATE SET level = excluded.level");
        return insertPlay(db, game, difficulty, score, 0, at) &&
               setLevel.bind(1, game).bind(2, difficulty).bind(3, level).run();
    });
}

bool ProgressStore::addTest(const StoredTest& test) {
    const Stamp at = now();
    return profile_->transact([&](sqlite3* db) {
        SqliteStatement insert(db,
                               "INSERT INTO progress_tests(total, rank_before, rank_after, played_at, local_time) "
                               "VALUES(?1, ?2, ?3, ?4, ?5)");
        if (!insert.bind(1, test.total)
                 .bind(2, test.rankBefore)
                 .bind(3, test.rankAfter)
                 .bind(4, at.utc)
                 .bindText(5, at.local)
                 .run())
            return false;
        const int64_t id = sqlite3_last_insert_rowid(db);
        for (const auto& [game, score] : test.games)
            if (!insertPlay(db, game, StoredPlay::kDailyTest, score, id, at)) return false;
        for (const auto& [name, value] : test.values)
            if (!putValue(db, name, value)) return false;
        if (test.rankGained < 0) return true;
        SqliteStatement gain(db,
                             "INSERT INTO progress_rank_gains(rank, score) VALUES(?1, ?2) "
                             "ON CONFLICT(rank) DO UPDATE SET score = excluded.score");
        return gain.bind(1, test.rankGained).bind(2, test.total).run();
    });
}

bool ProgressStore::setValue(const std::string& name, int64_t value) {
    return profile_->transact([&](sqlite3* db) { return putValue(db, name, value); });
}

bool ProgressStore::setLabels(const std::map<std::string, std::string>& labels) {
    return profile_->transact([&](sqlite3* db) {
        // Unchanged labels are left alone, so a start with the same scene writes nothing.
        SqliteStatement set(db,
                            "INSERT INTO progress_labels(name, text) VALUES(?1, ?2) "
                            "ON CONFLICT(name) DO UPDATE SET text = excluded.text WHERE text IS NOT excluded.text");
        for (const auto& [name, text] : labels)
            if (!set.reset().bindText(1, name).bindText(2, text).run()) return false;
        return true;
    });
}

std::map<std::string, std::string> ProgressStore::labels() {
    std::map<std::string, std::string> found;
    profile_->read([&](sqlite3* db) {
        SqliteStatement all(db, "SELECT name, text FROM progress_labels");
        while (all.step() == SQLITE_ROW) found[std::string(all.columnText(0))] = std::string(all.columnText(1));
    });
    return found;
}

void ProgressStore::forEachPlay(const std::function<void(const StoredPlay&)>& visit) {
    profile_->read([&](sqlite3* db) {
        SqliteStatement all(db,
                            "SELECT id, game, difficulty, score, coalesce(test, 0), played_at, local_time "
                            "FROM progress_plays ORDER BY id");
        while (all.step() == SQLITE_ROW) {
            StoredPlay play;
            play.id = all.columnInt(0);
            play.game = static_cast<int>(all.columnInt(1));
            play.difficulty = static_cast<int>(all.columnInt(2));
            play.score = static_cast<int>(all.columnInt(3));
            play.test = all.columnInt(4);
            play.playedAt = all.columnInt(5);
            play.localTime = std::string(all.columnText(6));
            visit(play);
        }
    });
}

std::vector<PlaySummary> ProgressStore::summaries() {
    std::vector<PlaySummary> found;
    profile_->read([&](sqlite3* db) {
        SqliteStatement all(db,
                            "SELECT game, difficulty, max(score), count(*), max(local_time) FROM progress_plays "
                            "GROUP BY game, difficulty ORDER BY game, difficulty");
        while (all.step() == SQLITE_ROW)
            found.push_back({static_cast<int>(all.columnInt(0)), static_cast<int>(all.columnInt(1)),
                             static_cast<int>(all.columnInt(2)), static_cast<int>(all.columnInt(3)),
                             std::string(all.columnText(4))});
    });
    return found;
}

bool ProgressStore::resetInto(const std::string& backupPath, std::string& why) {
    bool copied = false;
    profile_->read([&](sqlite3* db) {
        SqliteStatement copy(db, "VACUUM INTO ?1");
        copied = copy.bindText(1, backupPath).run();
        if (!copied) why = sqlite3_errmsg(db);
    });
    if (!copied) return false;
    bool emptied = profile_->transact([](sqlite3* db) {
        return sqlite3_exec(db,
                            "DELETE FROM progress_plays; DELETE FROM progress_tests; DELETE FROM progress_values;"
                            "DELETE FROM progress_levels; DELETE FROM progress_rank_gains;",
                            nullptr, nullptr, nullptr) == SQLITE_OK;
    });
    if (!emptied) why = "the progress could not be emptied";
    return emptied;
}

}  // namespace platform
