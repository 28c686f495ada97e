#include "game/DailyTestRun.h"

#include <algorithm>
#include <utility>
#include <vector>

DailyTestRun::DailyTestRun(const lang::IntArray& configuration, int unlocked, int bonusGame)
    : unlocked_(std::clamp(unlocked, 0, 16)), bonusGame_(bonusGame) {
    for (int i = 0; i < 16; ++i) unlockOrder_[i] = 25 + i < configuration.length() ? configuration[25 + i] : i;
}

void DailyTestRun::pickGames() {
    gamesPlayed_ = 0;
    std::fill(std::begin(games_), std::end(games_), -1);
    std::fill(std::begin(scores_), std::end(scores_), 0);
    std::vector<int> pool(unlockOrder_.data(), unlockOrder_.data() + unlocked_);
    int count = static_cast<int>(pool.size());
    if (count == 0) return;
    for (int i = 0; i < count; ++i) std::swap(pool[i], pool[random_.nextInt(count - 1)]);
    if (bonusGame_ >= 0) {
        int k = std::min(random_.nextInt(2), count - 1);
        auto at = std::find(pool.begin(), pool.end(), bonusGame_);
        if (at != pool.end()) std::swap(*at, pool[k]);
    }
    for (int i = 0; i < GamesPerTest && i < count; ++i) games_[i] = pool[i];
}

int DailyTestRun::currentGame() const { return gameAt(gamesPlayed_); }

void DailyTestRun::advance() {
    if (gamesPlayed_ < GamesPerTest) ++gamesPlayed_;
}

void DailyTestRun::setScore(int game, int score) {
    for (int k = 0; k < GamesPerTest; ++k)
        if (games_[k] == game) {
            scores_[k] = score;
            return;
        }
}

bool DailyTestRun::isUnlocked(int game) const {
    for (int i = 0; i < unlocked_; ++i)
        if (unlockOrder_[i] == game) return true;
    return false;
}
