// The progress record: score histories, trophies and the rank ladder.

#include <gtest/gtest.h>

#include "game/ProgressRecord.h"
#include "lang/IntArray.h"

namespace game_test {
namespace {

constexpr int T[15] = {0, 1500, 2500, 3500, 4600, 5800, 7000, 8300, 9600, 11000, 12500, 14000, 15600, 17200, 19000};
constexpr int Step = 1800;

// A record with the thresholds read from a scene's number list.
class MinigameProgressRecord : public ::testing::Test {
protected:
    void SetUp() override {
        lang::IntArray numbers(41);
        for (int i = 0; i < 15; ++i) numbers[i] = T[i];
        numbers[15] = Step;
        const int trophies[9] = {300, 600, 900, 400, 800, 1200, 500, 1000, 1500};
        for (int i = 0; i < 9; ++i) numbers[16 + i] = trophies[i];
        for (int i = 0; i < 16; ++i) numbers[25 + i] = i;
        record.readThresholds(numbers);
    }
    ProgressRecord record;
};

TEST_F(MinigameProgressRecord, TheHundredAndFirstScorePushesTheOldestOut) {
    for (int s = 1; s <= 101; ++s) record.addPracticeScore(3, 2, s * 10);
    const ProgressRecord::GameBlock* block = record.gameBlock(3);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->historyLength[2], 100);
    EXPECT_EQ(block->history[2][0], 1010);  // newest first
    EXPECT_EQ(block->history[2][99], 20);   // the first score fell off
    EXPECT_EQ(record.bestScore(3, 2), 1010);
    record.addPracticeScore(3, 2, 5);
    EXPECT_EQ(block->historyLength[2], 100);
    EXPECT_EQ(block->history[2][0], 5);
    EXPECT_EQ(block->history[2][99], 30);
    EXPECT_EQ(record.bestScore(3, 2), 1010);  // a lower score keeps the best
    // Nothing leaked into the other difficulties or games.
    EXPECT_EQ(block->historyLength[1], 0);
    EXPECT_EQ(record.gameBlock(4)->historyLength[2], 0);
    EXPECT_EQ(record.bestScore(4, 2), 0);
}

TEST_F(MinigameProgressRecord, ScoresOutsideTheGamesAreIgnored) {
    record.addPracticeScore(16, 0, 100);
    record.addPracticeScore(-1, 0, 100);
    record.addPracticeScore(0, 3, 100);
    EXPECT_EQ(record.gameBlock(16), nullptr);
    EXPECT_EQ(record.bestScore(16, 0), 0);
    EXPECT_EQ(record.gameBlock(0)->historyLength[0], 0);
}

TEST_F(MinigameProgressRecord, AScoreEqualToAThresholdEarnsThatTrophy) {
    EXPECT_EQ(record.trophyLevel(0, 299), -1);
    EXPECT_EQ(record.trophyLevel(0, 300), 0);
    EXPECT_EQ(record.trophyLevel(0, 599), 0);
    EXPECT_EQ(record.trophyLevel(0, 600), 1);
    EXPECT_EQ(record.trophyLevel(0, 899), 1);
    EXPECT_EQ(record.trophyLevel(0, 900), 2);
    EXPECT_EQ(record.trophyLevel(1, 800), 1);
    EXPECT_EQ(record.trophyLevel(2, 1499), 1);
    EXPECT_EQ(record.trophyLevel(2, 1500), 2);
    EXPECT_EQ(record.trophyLevel(2, 499), -1);
    EXPECT_EQ(record.trophyThreshold(1, 2), 1200);
}

TEST_F(MinigameProgressRecord, RankThresholdsFollowTheLadderBeyondTheTable) {
    EXPECT_EQ(record.rankThreshold(0), T[0]);
    EXPECT_EQ(record.rankThreshold(14), T[14]);
    EXPECT_EQ(record.rankThreshold(15), T[14] + Step);
    EXPECT_EQ(record.rankThreshold(21), T[14] + 7 * Step);
    EXPECT_EQ(record.rankThreshold(22), T[14] + 8 * Step + 4000);
    EXPECT_EQ(record.rankThreshold(32), T[14] + 18 * Step + 121 * 4000);
    EXPECT_EQ(record.rankThreshold(33), 1000000);
    EXPECT_EQ(record.rankThreshold(35), 3000000);
}

TEST_F(MinigameProgressRecord, AFreshRecordStartsEmpty) {
    ProgressRecord fresh;
    EXPECT_EQ(fresh.storedLevel(0, 0), -1);
    EXPECT_EQ(fresh.unlockedGames(), 6);
    EXPECT_EQ(fresh.bonusGame(), -1);
    EXPECT_EQ(fresh.currentRank(), 0);
    EXPECT_EQ(fresh.bestScore(15, 2), 0);
}

}  // namespace
}  // namespace game_test
