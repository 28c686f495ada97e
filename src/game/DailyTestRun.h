#pragma once

#include <algorithm>
#include <vector>

#include "lang/IntArray.h"
#include "lang/Object.h"
#include "util/Random.h"

// The daily test in progress: six games picked from the unlocked ones and
// the score of each as it is played.
class DailyTestRun : public lang::Object {
public:
    static constexpr int GamesPerTest = 6;

    // unlockOrder: the scene's whole numbers 25 to 40 (game indices);
    // unlocked and bonus game as the progress record holds them.
    DailyTestRun(const lang::IntArray& configuration, int unlocked, int bonusGame);
    MENTARIUM_CLASS(DailyTestRun, lang::Object)

    // Moves the games for which missing answers true to the end of the unlock
    // order, keeping the order of the rest: a scene without some games still
    // opens playable ones first, and a test never waits on a game it lacks.
    template <typename Missing>
    void deferGames(Missing missing) {
        std::stable_partition(unlockOrder_.data(), unlockOrder_.data() + 16, [&](int g) { return !missing(g); });
    }

    // Picks the test's games: the unlocked ones in random order, the bonus
    // game among the first three.
    void pickGames();
    // The game to play next, or -1 when all six are played or none is picked.
    int currentGame() const;
    int gameAt(int k) const { return k >= 0 && k < GamesPerTest ? games_[k] : -1; }
    int scoreAt(int k) const { return k >= 0 && k < GamesPerTest ? scores_[k] : 0; }
    int gamesPlayed() const { return gamesPlayed_; }
    void advance();
    // Stores the score at the position of that game in this test.
    void setScore(int game, int score);
    bool isUnlocked(int game) const;
    int unlocked() const { return unlocked_; }
    int bonusGame() const { return bonusGame_; }
    int unlockOrderAt(int i) const { return i >= 0 && i < 16 ? unlockOrder_[i] : -1; }

    int total() const;
    // The game with the highest and the lowest score; ties go to the earlier game.
    int strongestGame() const;
    int weakestGame() const;
    // Opens the next game of the unlock order; it becomes the bonus game.
    void unlockNext();
    // Keeps a test from raising the rank by more than one step: scores above a
    // sixth of the threshold two ranks up are brought down, and when that cut a
    // total that had reached the next rank, the shortfall is shared out again.
    // stars: the stars each game showed, in game order.
    void capScores(const class ProgressRecord& record, const std::vector<int>& stars);

private:
    lang::IntArray unlockOrder_{16};
    util::Random random_;
    int gamesPlayed_ = 0;
    int games_[GamesPerTest] = {-1, -1, -1, -1, -1, -1};
    int scores_[GamesPerTest] = {};
    int unlocked_;
    int bonusGame_;
};
