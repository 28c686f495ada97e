#pragma once

#include <vector>

#include "game/TrophyRule.h"
#include "lang/IntArray.h"
#include "lang/Object.h"

// The player's scores: per game and difficulty the best practice score, the
// last 100 scores and the level store; the daily test's rank, history and the
// thresholds read with the scene. A new record is empty; ProgressKeeper fills
// it with what earlier runs kept and keeps every change.
class ProgressRecord : public lang::Object {
public:
    static constexpr int Games = 16;
    static constexpr int Difficulties = 3;
    static constexpr int HistorySize = 100;
    static constexpr int RankThresholds = 15;
    static constexpr int RankGains = 14;

    struct GameBlock {
        int bestScore[Difficulties] = {0, 0, 0};
        int historyLength[Difficulties] = {0, 0, 0};
        int history[Difficulties][HistorySize] = {};  // newest first
        int storedLevel[Difficulties] = {-1, -1, -1};
    };

    ProgressRecord();
    MENTARIUM_CLASS(ProgressRecord, lang::Object)

    // Thresholds from the scene's whole numbers: 0-14 rank thresholds, 15 the
    // rank step, 16-24 trophy thresholds; missing numbers leave zeros.
    void readThresholds(const lang::IntArray& configuration);

    void addPracticeScore(int game, int difficulty, int score);
    int bestScore(int game, int difficulty) const;
    // TrophyNone, TrophyBronze, TrophySilver or TrophyGold.
    int trophyLevel(int difficulty, int score) const;
    int trophyThreshold(int difficulty, int trophy) const;
    // Null for a game index outside 0..15.
    GameBlock* gameBlock(int game);
    const GameBlock* gameBlock(int game) const;

    // The level store of the minigames: per game and difficulty in practice,
    // one value for the daily test.
    int storedLevel(int game, int difficulty) const;
    void setStoredLevel(int game, int difficulty, int value);
    int dailyLevel() const { return dailyLevel_; }
    void setDailyLevel(int value) { dailyLevel_ = value; }

    // Test score needed to hold rank index i.
    int rankThreshold(int i) const;
    int currentRank() const { return currentRank_; }
    int rankAtTestStart() const { return rankAtTestStart_; }
    void setRankAtTestStart(int rank) { rankAtTestStart_ = rank; }
    int bestTestScore() const { return bestTestScore_; }
    int unlockedGames() const { return unlockedGames_; }
    void setUnlockedGames(int count) { unlockedGames_ = count; }
    int bonusGame() const { return bonusGame_; }
    void setBonusGame(int game) { bonusGame_ = game; }

    // Records a finished daily test: the total joins the test history, the best
    // score rises to it, and the rank rises by one when the total reaches the
    // next rank's threshold.
    void recordTest(int total, int strongest, int weakest);
    // The rank's title: its own text, or past the named ranks the last title with a level.
    lang::String rankTitle(int rank) const;
    // Puts back the daily tests an earlier run recorded (totals newest first).
    void restoreDailyTests(int rank, int bestScore, const std::vector<int>& newestFirst, int strongest, int weakest);
    int testHistoryLength() const { return testHistoryLength_; }
    const int* testHistory() const { return testHistory_; }  // newest first
    int strongestGame() const { return strongestGame_; }
    int weakestGame() const { return weakestGame_; }
    // The total of the test that gained the rank after rank index i (0..13), or -1.
    int scoreAtRankGained(int i) const { return i >= 0 && i < RankGains ? scoreAtRankGained_[i] : -1; }
    void setScoreAtRankGained(int i, int score) {
        if (i >= 0 && i < RankGains) scoreAtRankGained_[i] = score;
    }

private:
    static bool validGame(int game) { return game >= 0 && game < Games; }
    static bool validDifficulty(int d) { return d >= 0 && d < Difficulties; }

    GameBlock games_[Games];
    int currentRank_ = 0;
    int rankAtTestStart_ = 0;
    int bestTestScore_ = 0;
    int strongestGame_ = 0;
    int weakestGame_ = 0;
    int dailyLevel_ = 0;
    int unlockedGames_ = 6;
    int bonusGame_ = -1;
    int reserved_ = -1;
    int testHistoryLength_ = 0;
    int testHistory_[HistorySize] = {};
    int scoreAtRankGained_[RankGains];
    lang::IntArray trophyThresholds_{9};
    lang::IntArray rankThresholds_{RankThresholds};
    int rankStep_ = 1;
};
