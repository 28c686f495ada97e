#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class ProfileStore;

// One finished play as kept: a practice play at its difficulty (0 easy, 1
// normal, 2 hard), or a game of a daily test (difficulty kDailyTest, with the
// test it belongs to).
struct StoredPlay {
    static constexpr int kDailyTest = -1;
    int64_t id = 0;
    int game = 0;
    int difficulty = 0;
    int score = 0;
    int64_t test = 0;       // 0 for a practice play
    int64_t playedAt = 0;   // seconds since 1970, UTC
    std::string localTime;  // "YYYY-MM-DD HH:MM:SS" in the player's time zone
};

// A finished daily test with its six games and the record's values that
// changed with it (rank, unlocks, levels).
struct StoredTest {
    int total = 0;
    int rankBefore = 0;
    int rankAfter = 0;
    std::vector<std::pair<int, int>> games;  // (game, score) in play order
    std::map<std::string, int64_t> values;
    int rankGained = -1;  // the rank index whose gain this test's total bought, or -1
};

// What a game reads back at start: per game and difficulty the best score and
// the newest scores, the daily tests' totals, and the small values.
struct StoredProgress {
    struct Practice {
        int game = 0;
        int difficulty = 0;
        int best = 0;
        std::vector<int> newestFirst;
    };
    struct Level {
        int game = 0;
        int difficulty = 0;
        int level = 0;
    };
    std::vector<Practice> practice;
    std::vector<int> testsNewestFirst;
    int bestTest = 0;
    std::map<std::string, int64_t> values;
    std::map<int, int> rankGains;  // rank index -> total of the test that gained it
    std::vector<Level> levels;
};

// Per game and difficulty, what a report of the player's progress shows.
struct PlaySummary {
    int game = 0;
    int difficulty = 0;
    int best = 0;
    int plays = 0;
    std::string lastPlayed;  // local time of the newest play
};

// The player's progress in the profile database: one row per finished play
// and per finished daily test, written in one transaction the moment it ends,
// so a process killed at any instant loses at most the play that was running.
// Every operation is safe from any thread (the profile store's lock).
class ProgressStore {
public:
    explicit ProgressStore(std::shared_ptr<ProfileStore> profile);

    // The record as kept: at most historyLength newest scores per game and
    // difficulty and of the daily tests. Empty when nothing was kept.
    StoredProgress load(int historyLength);

    // A practice play and the level the game stored for that difficulty.
    bool addPractice(int game, int difficulty, int score, int level);
    bool addTest(const StoredTest& test);
    bool setValue(const std::string& name, int64_t value);

    // Texts a report prints without the game's scene at hand (game names, rank
    // titles, trophy thresholds), written by the game when they change.
    bool setLabels(const std::map<std::string, std::string>& labels);
    std::map<std::string, std::string> labels();

    // Every play, oldest first.
    void forEachPlay(const std::function<void(const StoredPlay&)>& visit);
    std::vector<PlaySummary> summaries();

    // Copies the whole database to backupPath, then empties the progress
    // tables; the start-up options stay. False (and nothing emptied) when the
    // copy could not be made.
    bool resetInto(const std::string& backupPath, std::string& why);

    const std::string& path() const;

private:
    std::shared_ptr<ProfileStore> profile_;
};

}  // namespace platform
