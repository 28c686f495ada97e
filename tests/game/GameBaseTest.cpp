// The minigame base: countdown, pause, level rise, scoring and the shuffles,
// watched through a probe minigame inside the loaded game.

#include <algorithm>
#include <map>
#include <set>

#include "ProbeGame.h"
#include "game/ProgressRecord.h"
#include "sprite/NumberSprite.h"
#include "util/Vector.h"

namespace game_test {

MENTARIUM_DEFINE_METACLASS(ProbeGame)
namespace {

// The minigame base, watched through the probe game.
class MinigameBase : public ProbeFixture {};

using Base = GameBase;

sprite::NumberSprite* timerOf(GameBase* game) {
    return dynamic_cast<sprite::NumberSprite*>(game->findChild(lang::String("Timer")));
}

TEST_F(MinigameBase, CountdownShowsEverySecondTicksTheLastElevenAndEndsTheGame) {
    ProbeGame* game = start();
    sprite::NumberSprite* timer = timerOf(game);
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->getValue(), 60);
    untilPlay(game);
    std::vector<int> shown{timer->getValue()};
    int ticked = -1;
    for (int n = 0; n < 61 * 25 && ticked < 0; ++n) {
        size_t before = canvas->sounds.size();
        tick();
        if (timer->getValue() != shown.back()) shown.push_back(timer->getValue());
        // The tick sound comes with the second that is shown, never between.
        for (size_t i = before; i < canvas->sounds.size(); ++i) {
            if (canvas->sounds[i] == MentariumCanvas::SoundTick) {
                EXPECT_LT(timer->getValue(), 11);
            }
        }
        if (game->getPhase() == Base::PhaseTimeUp) ticked = n;
    }
    ASSERT_GE(ticked, 0) << "the countdown never ended";
    std::vector<int> expected;
    for (int s = 60; s >= 0; --s) expected.push_back(s);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundTick), 11);
    EXPECT_EQ(game->getTimeLeft(), 0);
    EXPECT_EQ(canvas->getState(), MentariumCanvas::StateGameOver);
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_GAME_OVER), 1);
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundGameOver), 1);
}

TEST_F(MinigameBase, TheReportedResultIsTheScaledScore) {
    setParams({{Base::ParamPracticeResultTenthsBy + 1, 15}});  // normal difficulty: factor 1.5
    ProbeGame* game = start(1);
    untilPlay(game);
    game->addPoints(7);
    game->setPhase(Base::PhaseTimeUp);
    ASSERT_EQ(canvas->getState(), MentariumCanvas::StateGameOver);
    ASSERT_GT(tickUntil([this] { return canvas->getState() == MentariumCanvas::StateResults; }, 60), 0);
    EXPECT_EQ(canvas->getProgress()->bestScore(ProbeIndex, 1), 10);  // 7 x 1.5, truncated
    EXPECT_EQ(game->getPhase(), Base::PhaseStopped);
    EXPECT_FALSE(game->isVisible());
}

TEST_F(MinigameBase, PauseStopsTheTimerAndResumeReturnsToThePhase) {
    ProbeGame* game = start();
    untilPlay(game);
    ticks(30);
    int left = game->getTimeLeft();
    canvas->setState(MentariumCanvas::StatePaused);
    EXPECT_EQ(game->getPhase(), Base::PhasePaused);
    EXPECT_EQ(game->getSavedPhase(), Base::PhasePlay);
    EXPECT_FALSE(game->isTimerRunning());
    int updates = game->updates;
    ticks(100);
    EXPECT_EQ(game->getTimeLeft(), left);
    EXPECT_EQ(game->updates, updates);  // the game's own frame work stands still too

    // A phase scheduled while paused is dropped.
    game->scheduleNextPhase(Base::PhaseCorrect, 1);
    EXPECT_EQ(game->getScheduleDelay(), 0);

    canvas->setState(MentariumCanvas::StatePlaying);
    EXPECT_EQ(game->getPhase(), Base::PhasePlay);
    ticks(50);
    EXPECT_LT(game->getTimeLeft(), left);
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_PAUSED), 1);
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_RESUMED), 1);
}

TEST_F(MinigameBase, APauseWhileACorrectAnswerShowsResumesIntoIt) {
    ProbeGame* game = start();
    untilPlay(game);
    game->setPhase(Base::PhaseCorrect);
    canvas->setState(MentariumCanvas::StatePaused);
    ASSERT_EQ(game->getPhase(), Base::PhasePaused);
    int score = game->getScore();
    canvas->setState(MentariumCanvas::StatePlaying);
    EXPECT_EQ(game->getPhase(), Base::PhaseCorrect);
    // Resuming returns to the phase without scoring the answer again.
    EXPECT_EQ(game->getScore(), score);
}

TEST_F(MinigameBase, SixLevelStepsRaiseTheLevelEveryTenSeconds) {
    setParams({{Base::ParamLevelStepsPerPlay, 6}, {Base::ParamLevelStep, 3}, {Base::ParamPracticeStartLevelBy + 1, 5}});
    ProbeGame* game = start(1);
    EXPECT_EQ(game->getFramesPerLevelStep(), 250);
    untilPlay(game);  // the frame that enters play counts as the first
    EXPECT_EQ(game->getLevel(), 5);
    ticks(248);
    EXPECT_EQ(game->getLevel(), 5);
    tick();
    EXPECT_EQ(game->getLevel(), 8);
    ticks(249);
    EXPECT_EQ(game->getLevel(), 8);
    tick();
    EXPECT_EQ(game->getLevel(), 11);
}

TEST_F(MinigameBase, LevelAndMultiplierNeverGoNegative) {
    ProbeGame* game = start();
    game->setLevel(-5);
    EXPECT_EQ(game->getLevel(), 0);
    EXPECT_EQ(canvas->getProgress()->storedLevel(ProbeIndex, 1), 0);
    game->setLevel(7);
    EXPECT_EQ(game->getLevel(), 7);
    game->addMultiplier(-1000);
    EXPECT_EQ(game->getMultiplier(), 0);
    game->addMultiplier(3);
    EXPECT_EQ(game->getMultiplier(), 3);
}

TEST_F(MinigameBase, ACorrectAnswerWithoutARatioIsMultiplierTimesBasePoints) {
    for (auto [numerator, denominator] : {std::pair{0, 4}, std::pair{3, 0}}) {
        setParams({{Base::ParamBasePoints, 10},
                   {Base::ParamPointsRatioNumerator, numerator},
                   {Base::ParamPointsRatioDenominator, denominator},
                   {Base::ParamStartMultiplier, 4}});
        ProbeGame* game = start();
        untilPlay(game);
        ASSERT_EQ(game->getMultiplier(), 4);
        game->setPhase(Base::PhaseCorrect);
        EXPECT_EQ(game->getScore(), 40) << numerator << "/" << denominator;
        game->addMultiplier(-4);
        game->setPhase(Base::PhaseCorrect);
        EXPECT_EQ(game->getScore(), 41) << "a correct answer is worth at least 1";
        canvas->onMessage(nullptr, lang::String("ExitYes"));
    }
}

TEST_F(MinigameBase, ACorrectAnswerWithARatioIsTruncatedAndAtLeastOne) {
    setParams({{Base::ParamBasePoints, 10},
               {Base::ParamPointsRatioNumerator, 1},
               {Base::ParamPointsRatioDenominator, 3},
               {Base::ParamStartMultiplier, 2}});
    ProbeGame* game = start();
    untilPlay(game);
    game->setPhase(Base::PhaseCorrect);
    EXPECT_EQ(game->getScore(), 6);  // 2 x 10 / 3 = 6.67
    game->addMultiplier(-2);
    game->setPhase(Base::PhaseCorrect);
    EXPECT_EQ(game->getScore(), 7);
}

TEST_F(MinigameBase, AResultFactorOfTenLeavesTheScoreAndFifteenScalesIt) {
    setParams({{Base::ParamPracticeResultTenthsBy, 10},  // easy, normal, hard
               {Base::ParamPracticeResultTenthsBy + 1, 15},
               {Base::ParamPracticeResultTenthsBy + 2, 5}});
    ProbeGame* game = start(0);
    game->addPoints(7);
    EXPECT_EQ(game->scaledScore(game->getScore()), 7);
    canvas->setDifficulty(1);
    EXPECT_EQ(game->scaledScore(game->getScore()), 10);
    game->addPoints(6);
    EXPECT_EQ(game->scaledScore(game->getScore()), 19);  // 13 x 1.5 = 19.5
    canvas->setDifficulty(2);                            // a factor below 1 leaves the score
    EXPECT_EQ(game->scaledScore(game->getScore()), 13);
}

TEST_F(MinigameBase, RandomNotInNeverAnswersAListedNumber) {
    const int listed[] = {0, 2, 3, 5, 6};
    std::set<int> seen;
    for (int n = 0; n < 500; ++n) {
        int v = probe->randomNotIn(7, listed, 5);
        ASSERT_TRUE(v == 1 || v == 4) << v;
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 2u);
    const int one[] = {0, 1, 2};
    EXPECT_EQ(probe->randomNotIn(4, one, 3), 3);
    // Everything excluded, or nothing to draw from: no number, and no endless wait.
    const int all[] = {3, 1, 0, 2};
    EXPECT_EQ(probe->randomNotIn(4, all, 4), -1);
    EXPECT_EQ(probe->randomNotIn(0, all, 0), -1);
}

TEST_F(MinigameBase, ShufflesKeepEveryEntry) {
    int values[12] = {5, 5, 1, 2, 3, 9, 9, 9, 0, -4, 7, 8};
    std::multiset<int> before(std::begin(values), std::end(values));
    bool moved = false;
    for (int round = 0; round < 20; ++round) {
        int copy[12];
        std::copy(std::begin(values), std::end(values), copy);
        probe->shuffle(values, 12);
        EXPECT_EQ(std::multiset<int>(std::begin(values), std::end(values)), before);
        moved = moved || !std::equal(std::begin(values), std::end(values), copy);
    }
    EXPECT_TRUE(moved);
    probe->shuffle(values, 0);  // an empty array is left alone

    probe->buildTiles(1, 0);
    std::multiset<window::Image*> tiles;
    for (int i = 0; i < probe->tileCount(); ++i) tiles.insert(probe->tile(i));
    probe->shuffleTiles();
    std::multiset<window::Image*> after;
    for (int i = 0; i < probe->tileCount(); ++i) after.insert(probe->tile(i));
    EXPECT_EQ(after, tiles);

    util::Vector sprites(8);
    std::set<lang::Object*> members;
    for (int i = 0; i < 6; ++i) {
        auto* s = new sprite::Sprite();
        sprites.addElement(s);
        members.insert(s);
        s->release();
    }
    probe->shuffleSprites(&sprites);
    ASSERT_EQ(sprites.size(), 6);
    std::set<lang::Object*> shuffled;
    for (int i = 0; i < 6; ++i) {
        shuffled.insert(sprites.elementAt(i));
        EXPECT_EQ(sprites.elementAt(i)->refCount(), 1) << "only the vector holds each sprite";
    }
    EXPECT_EQ(shuffled, members);
}

// Where a picture stands in the shared tables: table and index.
std::pair<int, int> placeOf(window::Image* picture) {
    for (int t = GameBase::TableA; t <= GameBase::TableD; ++t)
        for (int i = 0; i < GameBase::TableASize; ++i) {
            auto table = static_cast<GameBase::Table>(t);
            if (i >= (t == GameBase::TableA ? GameBase::TableASize : GameBase::PairTableSize)) break;
            if (GameBase::sharedTile(table, i) == picture) return {t, i};
        }
    return {-1, -1};
}

TEST_F(MinigameBase, ModeOneTakesOnePictureOfEveryGroupAndPair) {
    probe->buildTiles(1, 0);
    ASSERT_EQ(probe->tileCount(), 23);
    for (int k = 0; k < 18; ++k) {
        auto [table, index] = placeOf(probe->tile(k));
        EXPECT_EQ(table, GameBase::TableA);
        EXPECT_EQ(index / 4, k);
    }
    for (int k = 0; k < 5; ++k) {
        auto [table, index] = placeOf(probe->tile(18 + k));
        EXPECT_EQ(table, GameBase::TableB);
        EXPECT_EQ(index / 2, k);
    }
}

// Consecutive entries from first on are pairs of two different pictures of one group of the table.
void expectPairs(GameBase* game, int first, int count, int table, int groupSize) {
    std::set<int> groups;
    for (int k = first; k < first + count; k += 2) {
        auto [ta, a] = placeOf(game->tile(k));
        auto [tb, b] = placeOf(game->tile(k + 1));
        EXPECT_EQ(ta, table);
        EXPECT_EQ(tb, table);
        EXPECT_NE(a, b) << "entry " << k;
        EXPECT_EQ(a / groupSize, b / groupSize) << "entry " << k;
        groups.insert(a / groupSize);
    }
    EXPECT_EQ(static_cast<int>(groups.size()), count / 2);
}

TEST_F(MinigameBase, ModesTwoAndThreeTakeTwoPicturesOfEveryGroup) {
    for (int mode : {2, 3, 4}) {
        probe->buildTiles(mode, 0);
        ASSERT_EQ(probe->tileCount(), 36) << "mode " << mode;
        expectPairs(probe, 0, 36, GameBase::TableA, 4);
    }
}

TEST_F(MinigameBase, ModeFiveTakesThePairTablesAndTheGroupsWhenMoreAreNeeded) {
    probe->buildTiles(5, 20);
    ASSERT_EQ(probe->tileCount(), 20);
    expectPairs(probe, 0, 10, GameBase::TableB, 2);
    expectPairs(probe, 10, 10, GameBase::TableC, 2);
    probe->buildTiles(5, 21);
    ASSERT_EQ(probe->tileCount(), 56);
    expectPairs(probe, 20, 36, GameBase::TableA, 4);
    probe->buildTiles(0, 10);
    EXPECT_EQ(probe->tileCount(), 0);
    probe->buildTiles(6, 10);
    EXPECT_EQ(probe->tileCount(), 0);
}

// Scene data may name the base itself; Razoz stays creatable by name too.
TEST(RuntimeClasses, GameBaseIsRegisteredBesideRazoz) {
    lang::Class* base = lang::Class::forName("GameBase");
    ASSERT_NE(base, nullptr);
    lang::Object* made = base->newInstance();
    EXPECT_STREQ(made->getClassName(), "GameBase");
    EXPECT_TRUE(made->isInstanceOf("DialogSprite"));
    made->release();
    EXPECT_NE(lang::Class::forName("RazozSprite"), nullptr);
}

}  // namespace
}  // namespace game_test
