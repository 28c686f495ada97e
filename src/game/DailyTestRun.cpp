#include "game/DailyTestRun.h"

#include <algorithm>

#include <utility>
#include <vector>
#include "game/ProgressRecord.h"

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

int DailyTestRun::total() const {
    int sum = 0;
    for (int score : scores_) sum += score;
    return sum;
}

int DailyTestRun::strongestGame() const {
    int best = 0;
    for (int k = 1; k < GamesPerTest; ++k)
        if (scores_[k] > scores_[best]) best = k;
    return games_[best];
}

int DailyTestRun::weakestGame() const {
    int worst = 0;
    for (int k = 1; k < GamesPerTest; ++k)
        if (scores_[k] < scores_[worst]) worst = k;
    return games_[worst];
}

void DailyTestRun::unlockNext() {
    if (unlocked_ >= 16) return;
    bonusGame_ = unlockOrder_[unlocked_];
    ++unlocked_;
}

void DailyTestRun::capScores(const ProgressRecord& record, const std::vector<int>& stars) {
    const int start = record.rankAtTestStart();
    const int cap = record.rankThreshold(start + 2) / 6;
    const int next = record.rankThreshold(start + 1);
    int capped[GamesPerTest];
    int cappedSum = 0, originalSum = 0;
    for (int k = 0; k < GamesPerTest; ++k) {
        int s = scores_[k];
        if (s > cap) {
            bool threeStars = k < static_cast<int>(stars.size()) && stars[k] == 3;
            s = threeStars ? cap - 200 + random_.nextInt(99) : cap - 50 + random_.nextInt(50);
        }
        capped[k] = s;
        cappedSum += s;
        originalSum += scores_[k];
    }
    if (cappedSum < next && originalSum >= next) {
        const int deficit = next - cappedSum;
        // The shortfall goes to the games left near the cap. Three-star games are
        // cut deeper, below that band; when no game is left in it, the cut games
        // take the shortfall, so a total that reached the next threshold always
        // keeps reaching it (each share is truncated, but each gets at least 1 more).
        bool receives[GamesPerTest];
        bool anyNearCap = false;
        for (int k = 0; k < GamesPerTest; ++k) anyNearCap = anyNearCap || capped[k] >= cap - 100;
        for (int k = 0; k < GamesPerTest; ++k) receives[k] = anyNearCap ? capped[k] >= cap - 100 : scores_[k] > cap;
        double weightSum = 0;
        int sharing = 0;
        // A game that was not cut (its score at or under the cap) weighs
        // nothing: a negative weight would hand out shares of the wrong sign.
        auto weight = [&](int k) { return std::max(scores_[k] - cap, 0); };
        for (int k = 0; k < GamesPerTest; ++k)
            if (receives[k]) {
                weightSum += weight(k);
                ++sharing;
            }
        for (int k = 0; k < GamesPerTest; ++k) {
            if (!receives[k]) continue;
            // Without any weight the shortfall is shared evenly.
            double share = weightSum > 0 ? weight(k) / weightSum : 1.0 / sharing;
            capped[k] += static_cast<int>(deficit * share) + random_.nextInt(25) + 1;
        }
    }
    std::copy(std::begin(capped), std::end(capped), std::begin(scores_));
}
