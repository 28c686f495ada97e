#include "game/ProgressKeeper.h"

#include <algorithm>
#include <cstdio>

#include "game/DailyTestRun.h"
#include "game/ProgressRecord.h"
#include "platform/ProgressStore.h"

namespace {

// Values kept with each finished daily test.
constexpr const char* kRank = "rank";
constexpr const char* kUnlocked = "unlocked";
constexpr const char* kBonusGame = "bonus_game";
constexpr const char* kDailyLevel = "daily_level";
constexpr const char* kStrongest = "strongest_game";
constexpr const char* kWeakest = "weakest_game";

bool validGame(int64_t game) { return game >= 0 && game < ProgressRecord::Games; }
bool validDifficulty(int64_t d) { return d >= 0 && d < ProgressRecord::Difficulties; }

}  // namespace

ProgressKeeper::ProgressKeeper(std::shared_ptr<platform::ProfileStore> profile) {
    if (!profile) return;
    store_ = std::make_unique<platform::ProgressStore>(std::move(profile));
    kept_ = std::make_unique<platform::StoredProgress>(store_->load(ProgressRecord::HistorySize));
    settings_ = kept_->values;
}

ProgressKeeper::~ProgressKeeper() = default;

void ProgressKeeper::complain(const char* what) const {
    std::fprintf(stderr, "mentarium: could not keep %s in %s; it is lost when the game closes\n", what,
                 store_->path().c_str());
}

void ProgressKeeper::restore(ProgressRecord& record) {
    if (!kept_) return;
    const platform::StoredProgress& kept = *kept_;
    for (const auto& practice : kept.practice) {
        ProgressRecord::GameBlock* block = record.gameBlock(practice.game);
        if (block == nullptr || !validDifficulty(practice.difficulty)) continue;
        const int d = practice.difficulty;
        const int length = std::min<int>(static_cast<int>(practice.newestFirst.size()), ProgressRecord::HistorySize);
        std::copy_n(practice.newestFirst.begin(), length, block->history[d]);
        block->historyLength[d] = length;
        block->bestScore[d] = std::max(practice.best, 0);
    }
    for (const auto& level : kept.levels)
        if (validGame(level.game) && validDifficulty(level.difficulty))
            record.setStoredLevel(level.game, level.difficulty, level.level);
    auto value = [&](const char* name, int fallback, int low, int high) {
        auto found = kept.values.find(name);
        if (found == kept.values.end() || found->second < low || found->second > high) return fallback;
        return static_cast<int>(found->second);
    };
    record.restoreDailyTests(value(kRank, 0, 0, 1000), kept.bestTest, kept.testsNewestFirst,
                             value(kStrongest, 0, 0, ProgressRecord::Games - 1),
                             value(kWeakest, 0, 0, ProgressRecord::Games - 1));
    record.setDailyLevel(value(kDailyLevel, record.dailyLevel(), 0, 1 << 20));
    // Never fewer unlocked games than a new record starts with.
    record.setUnlockedGames(value(kUnlocked, record.unlockedGames(), record.unlockedGames(), ProgressRecord::Games));
    record.setBonusGame(value(kBonusGame, record.bonusGame(), -1, ProgressRecord::Games - 1));
    for (const auto& [rank, score] : kept.rankGains) record.setScoreAtRankGained(rank, score);
    kept_.reset();
}

int ProgressKeeper::setting(const char* name, int fallback) const {
    auto found = settings_.find(name);
    return found == settings_.end() ? fallback : static_cast<int>(found->second);
}

void ProgressKeeper::remember(const char* name, int value) {
    if (!store_) return;
    auto found = settings_.find(name);
    if (found != settings_.end() && found->second == value) return;
    settings_[name] = value;
    if (!store_->setValue(name, value)) complain("a setting");
}

void ProgressKeeper::practicePlayed(const ProgressRecord& record, int game, int difficulty, int score) {
    if (!store_ || !validGame(game) || !validDifficulty(difficulty)) return;
    if (!store_->addPractice(game, difficulty, score, record.storedLevel(game, difficulty))) complain("a play");
}

void ProgressKeeper::testFinished(const ProgressRecord& record, const DailyTestRun& run) {
    if (!store_) return;
    platform::StoredTest test;
    test.total = run.total();
    test.rankBefore = record.rankAtTestStart();
    test.rankAfter = record.currentRank();
    for (int k = 0; k < DailyTestRun::GamesPerTest; ++k)
        if (validGame(run.gameAt(k))) test.games.emplace_back(run.gameAt(k), run.scoreAt(k));
    test.values = {{kRank, record.currentRank()},        {kUnlocked, record.unlockedGames()},
                   {kBonusGame, record.bonusGame()},     {kDailyLevel, record.dailyLevel()},
                   {kStrongest, record.strongestGame()}, {kWeakest, record.weakestGame()}};
    if (test.rankAfter > test.rankBefore) test.rankGained = test.rankBefore;
    if (!store_->addTest(test)) complain("a daily test");
}

void ProgressKeeper::rememberLabels(const std::map<std::string, std::string>& labels) {
    if (store_ && !store_->setLabels(labels)) complain("the game names");
}
