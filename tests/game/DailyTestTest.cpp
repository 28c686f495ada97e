// The daily test's run and ranking: picking games, unlocking, capping scores
// and recording a finished test.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "GameFixture.h"
#include "game/DailyTestRun.h"
#include "game/ProgressRecord.h"
#include "lang/IntArray.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DialogSprite.h"

namespace game_test {
namespace {

constexpr int T[15] = {0, 1500, 2500, 3500, 4600, 5800, 7000, 8300, 9600, 11000, 12500, 14000, 15600, 17200, 19000};
constexpr int Step = 1800;
constexpr int Order[16] = {0, 4, 2, 8, 10, 3, 1, 7, 5, 6, 9, 11, 12, 13, 14, 15};

class DailyTestGame : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 15; ++i) numbers[i] = T[i];
        numbers[15] = Step;
        for (int i = 0; i < 16; ++i) numbers[25 + i] = Order[i];
        record.readThresholds(numbers);
    }
    // A run whose six games scored the given points, in test order.
    void play(DailyTestRun& run, const std::vector<int>& points) {
        run.pickGames();
        for (int k = 0; k < 6; ++k) run.setScore(run.gameAt(k), points[k]);
    }
    lang::IntArray numbers{41};
    ProgressRecord record;
};

TEST_F(DailyTestGame, SixUnlockedGamesWithoutBonusAreExactlyTheTest) {
    for (int round = 0; round < 20; ++round) {
        DailyTestRun run(numbers, 6, -1);
        run.pickGames();
        std::set<int> picked;
        for (int k = 0; k < 6; ++k) picked.insert(run.gameAt(k));
        EXPECT_EQ(picked, std::set<int>(Order, Order + 6));
        EXPECT_EQ(run.currentGame(), run.gameAt(0));
    }
}

TEST_F(DailyTestGame, TheBonusGameStandsAmongTheFirstThree) {
    for (int round = 0; round < 40; ++round) {
        DailyTestRun run(numbers, 9, Order[8]);
        run.pickGames();
        int at = -1;
        for (int k = 0; k < 6; ++k)
            if (run.gameAt(k) == Order[8]) at = k;
        ASSERT_GE(at, 0) << "round " << round;
        EXPECT_LE(at, 2) << "round " << round;
    }
}

TEST_F(DailyTestGame, UnlockingStopsAfterTheSixteenthGame) {
    DailyTestRun run(numbers, 15, Order[14]);
    run.unlockNext();
    EXPECT_EQ(run.unlocked(), 16);
    EXPECT_EQ(run.bonusGame(), Order[15]);
    run.unlockNext();
    EXPECT_EQ(run.unlocked(), 16);
    EXPECT_EQ(run.bonusGame(), Order[15]);  // stays the last one opened
    EXPECT_TRUE(run.isUnlocked(15));
}

// Games a scene lacks wait at the end of the unlock order; the others keep theirs.
TEST_F(DailyTestGame, MissingGamesMoveToTheEndOfTheUnlockOrder) {
    DailyTestRun run(numbers, 6, -1);
    run.deferGames([](int g) { return g == 4 || g == 8; });
    const int expected[16] = {0, 2, 10, 3, 1, 7, 5, 6, 9, 11, 12, 13, 14, 15, 4, 8};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(run.unlockOrderAt(i), expected[i]) << i;
    run.pickGames();
    for (int k = 0; k < 6; ++k) EXPECT_NE(run.gameAt(k), 4);
}

TEST_F(DailyTestGame, StrongestAndWeakestTiesGoToTheEarlierGame) {
    DailyTestRun run(numbers, 6, -1);
    play(run, {300, 500, 100, 500, 100, 200});
    EXPECT_EQ(run.strongestGame(), run.gameAt(1));
    EXPECT_EQ(run.weakestGame(), run.gameAt(2));
    EXPECT_EQ(run.total(), 1700);
}

TEST_F(DailyTestGame, AFarTotalRisesOneRankAndTheCappedScoresStillReachIt) {
    for (int round = 0; round < 20; ++round) {
        const int start = record.currentRank();
        record.setRankAtTestStart(start);
        const int far = record.rankThreshold(start + 3) / 6 + 500;  // past the next two ranks
        DailyTestRun run(numbers, 6, -1);
        play(run, {far, far, far, far, far, far});
        run.capScores(record, {0, 0, 0, 0, 0, 0});
        const int cap = record.rankThreshold(start + 2) / 6;
        for (int k = 0; k < 6; ++k) EXPECT_LT(run.scoreAt(k), cap + 100) << "game " << k;
        EXPECT_GE(run.total(), record.rankThreshold(start + 1)) << "round " << round;
        record.recordTest(run.total(), run.strongestGame(), run.weakestGame());
        EXPECT_EQ(record.currentRank(), start + 1) << "round " << round;
    }
}

// The shortfall after a cut goes to the cut games: a game that was under the
// cap keeps at least its score, and the total still reaches the next rank.
TEST_F(DailyTestGame, GamesUnderTheCapNeverLoseScoreToTheSharing) {
    record.setRankAtTestStart(3);  // cap 5800 / 6 = 966, next rank 4600
    for (int round = 0; round < 20; ++round) {
        DailyTestRun run(numbers, 6, -1);
        play(run, {5000, 870, 870, 870, 0, 0});
        run.capScores(record, {0, 0, 0, 0, 0, 0});
        EXPECT_LT(run.scoreAt(0), 5000);
        for (int k = 1; k <= 3; ++k) EXPECT_GE(run.scoreAt(k), 870) << "round " << round << " game " << k;
        EXPECT_GE(run.total(), 4600) << "round " << round;
    }
}

// Whatever the scores and stars, a total that reached the next threshold still
// reaches it after capping; three-star games are cut below the band that takes
// the shortfall, which the first set (three at 770 with three stars) exercises.
TEST_F(DailyTestGame, ATotalThatReachedTheNextRankKeepsItForAnyScores) {
    std::mt19937 draw(20);
    for (int round = 0; round < 3000; ++round) {
        const int start = round == 0 ? 2 : static_cast<int>(draw() % 20);
        record.setRankAtTestStart(start);
        const int next = record.rankThreshold(start + 1);
        std::vector<int> points(6), stars(6);
        for (int k = 0; k < 6; ++k) {
            points[k] = round == 0 ? (k < 3 ? 770 : 400) : static_cast<int>(draw() % (next / 3 + 1));
            stars[k] = round == 0 ? (k < 3 ? 3 : 1) : static_cast<int>(draw() % 5);
        }
        DailyTestRun run(numbers, 6, -1);
        play(run, points);
        if (run.total() < next) continue;
        run.capScores(record, stars);
        EXPECT_GE(run.total(), next) << "round " << round << " rank " << start;
    }
}

TEST_F(DailyTestGame, ScoresUnderTheCapStayAsTheyAre) {
    DailyTestRun run(numbers, 6, -1);
    play(run, {100, 200, 50, 0, 150, 120});
    run.capScores(record, {1, 2, 0, 0, 1, 1});
    EXPECT_EQ(run.total(), 620);
    record.recordTest(run.total(), run.strongestGame(), run.weakestGame());
    EXPECT_EQ(record.currentRank(), 0);  // 620 is short of the 1500 of rank 1
    EXPECT_EQ(record.bestTestScore(), 620);
}

TEST_F(DailyTestGame, TheHundredAndFirstTestPushesTheOldestOut) {
    for (int t = 1; t <= 101; ++t) record.recordTest(t, 0, 0);
    EXPECT_EQ(record.testHistoryLength(), 100);
    EXPECT_EQ(record.testHistory()[0], 101);
    EXPECT_EQ(record.testHistory()[99], 2);
    EXPECT_EQ(record.bestTestScore(), 101);
}

}  // namespace

// The real game loaded into a canvas, for the test's texts and ranking.
class DailyTestGameRun : public GameFixture {};

// Titles come from the loaded scene's texts: past the named ranks, the last
// title with a level counted from 2.
TEST_F(DailyTestGameRun, RanksPastTheNamedTitlesCarryALevel) {
    loadGame();
    ProgressRecord* record = canvas->getProgress();
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(std::string(record->rankTitle(3).c_str()), std::string(canvas->text("TXT_TEST_TITLE_3").c_str()));
    std::string last = canvas->text("TXT_TEST_TITLE_14").c_str();
    EXPECT_EQ(std::string(record->rankTitle(14).c_str()), last);
    EXPECT_EQ(std::string(record->rankTitle(16).c_str()), last + ", level 3");
}

// A whole test of six games through the canvas: the sixth result ranks it, the
// host hears of a new best score only when the best rose, and a rank gained
// opens the next game as the bonus game.
TEST_F(DailyTestGameRun, SixthResultRanksTheTestAndReportsANewBest) {
    loadGame();
    ProgressRecord* record = canvas->getProgress();
    DailyTestRun* run = canvas->getDailyTest();
    ASSERT_NE(record, nullptr);
    ASSERT_NE(run, nullptr);
    auto playTest = [&](int points) {
        hostCodes().clear();
        hostTexts().clear();
        canvas->setDailyTestMode(true);
        record->setRankAtTestStart(record->currentRank());
        run->pickGames();
        for (int k = 0; k < 6; ++k) {
            canvas->gameFinished(run->currentGame(), points);
            canvas->setState(MentariumCanvas::StateResults);
        }
    };
    playTest(1000);  // far past rank 1's goal
    EXPECT_EQ(record->currentRank(), 1);
    EXPECT_EQ(run->gamesPlayed(), 6);
    ASSERT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_BEST_SCORE), 1);
    size_t at = std::find(hostCodes().begin(), hostCodes().end(), MENTARIUM_NOTIFY_BEST_SCORE) - hostCodes().begin();
    EXPECT_EQ(hostTexts()[at], "<score>" + std::to_string(record->bestTestScore()) + "</score><rank>1</rank>");
    EXPECT_EQ(record->unlockedGames(), 7);
    EXPECT_EQ(record->bonusGame(), run->unlockOrderAt(6));
    EXPECT_EQ(record->scoreAtRankGained(0), record->testHistory()[0]);
    EXPECT_TRUE(canvas->wasRankImproved());

    playTest(10);  // a weak test: no new best, no rank
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_BEST_SCORE), 0);
    EXPECT_EQ(record->currentRank(), 1);
    EXPECT_FALSE(canvas->wasRankImproved());
    EXPECT_EQ(record->testHistoryLength(), 2);
    // The test's scores follow on their own screen, still in daily test mode.
    EXPECT_TRUE(canvas->screen(MentariumCanvas::ScreenDailyTestComplete)->isVisible());
    EXPECT_TRUE(canvas->isDailyTestMode());
}

// The main menu's start buttons lead to the practice area and the daily test
// menu; the test itself starts once six games are in the scene.
TEST_F(DailyTestGameRun, MainMenuOffersBothAreasAndTheTestNeedsItsGames) {
    loadGame();
    auto* menu = dynamic_cast<sprite::DialogSprite*>(canvas->screen(MentariumCanvas::ScreenMainMenu));
    ASSERT_NE(menu, nullptr);
    auto* test = dynamic_cast<sprite::ButtonSprite*>(menu->findChild(lang::String("bStartDailyTest")));
    auto* practice = dynamic_cast<sprite::ButtonSprite*>(menu->findChild(lang::String("bStartPracticeArea")));
    ASSERT_NE(test, nullptr);
    ASSERT_NE(practice, nullptr);
    ASSERT_NE(canvas->screen(MentariumCanvas::ScreenDailyTestMenu), nullptr);
    EXPECT_NE(test->getState(), sprite::ButtonSprite::Inactive);
    EXPECT_NE(practice->getState(), sprite::ButtonSprite::Inactive);
    int present = 0;
    for (int g = 0; g < 16; ++g) present += canvas->gameAt(g) != nullptr;
    EXPECT_EQ(canvas->dailyTestPlayable(), present >= 6);  // missing games wait at the end of the order
}

}  // namespace game_test
