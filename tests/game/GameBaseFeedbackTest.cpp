// The minigame base's start of a play and its feedback sprites, through the probe game.

#include "ProbeGame.h"
#include "game/ProgressRecord.h"
#include "sprite/AnimateSprite.h"

namespace game_test {
namespace {

// The start of a play and the answer feedback, through the probe game.
class MinigameStartAndFeedback : public ProbeFixture {};

using Base = GameBase;

TEST_F(MinigameStartAndFeedback, AWrongAnswerShakesTheTimerAndPutsItBackExactly) {
    ProbeGame* game = start();
    untilPlay(game);
    sprite::Sprite* timer = game->findChild(lang::String("Timer"));
    ASSERT_NE(timer, nullptr);
    const int homeX = timer->getX(), homeY = timer->getY();
    for (int answer = 0; answer < 4; ++answer) {
        // The shown second changes in the middle of the shake.
        ASSERT_GT(tickUntil([this] { return canvas->getTick() % 25 == 22; }, 30), 0);
        game->setPhase(Base::PhaseWrong);
        for (int n = 0; n < 5; ++n) {
            EXPECT_EQ(timer->getX(), homeX + game->getTimerOffsetX());
            EXPECT_EQ(timer->getY(), homeY + game->getTimerOffsetY());
            EXPECT_GE(game->getTimerOffsetX(), -3);
            EXPECT_LE(game->getTimerOffsetX(), 0);
            EXPECT_GE(game->getTimerOffsetY(), -3);
            EXPECT_LE(game->getTimerOffsetY(), 0);
            tick();
        }
        tick();
        EXPECT_EQ(timer->getX(), homeX) << "answer " << answer;
        EXPECT_EQ(timer->getY(), homeY) << "answer " << answer;
    }
    EXPECT_EQ(game->getWrongAnswers(), 4);
    // A new play in the middle of a shake starts with the timer at home.
    for (int n = 0; n < 40 && game->getTimerOffsetX() == 0; ++n) {
        game->setPhase(Base::PhaseWrong);
        tick();
    }
    ASSERT_NE(game->getTimerOffsetX(), 0);
    start();
    EXPECT_EQ(timer->getX(), homeX);
    EXPECT_EQ(timer->getY(), homeY);
    EXPECT_EQ(game->getWrongAnswers(), 0);
    ticks(10);
    EXPECT_EQ(timer->getX(), homeX);
    EXPECT_EQ(timer->getY(), homeY);
}

TEST_F(MinigameStartAndFeedback, AnswerIndicatorsShowTheKindAndFadeOut) {
    ProbeGame* game = start();
    untilPlay(game);
    auto* left = dynamic_cast<sprite::AnimateSprite*>(game->findChild(lang::String("AnswerIndicator")));
    auto* right = dynamic_cast<sprite::AnimateSprite*>(game->findChild(lang::String("AnswerIndicator2")));
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    EXPECT_FALSE(left->isVisible());
    game->setPhase(Base::PhaseWrong);
    EXPECT_TRUE(left->isVisible());
    EXPECT_TRUE(right->isVisible());
    EXPECT_EQ(left->getFrame(), 1);
    ticks(7);
    EXPECT_TRUE(left->isVisible());
    EXPECT_EQ(left->getTargetAlpha(), 128);
    tick();
    EXPECT_EQ(left->getTargetAlpha(), 0);  // the fade has begun
    EXPECT_GT(tickUntil([&] { return !left->isVisible() && !right->isVisible(); }, 12), 0);
    game->setPhase(Base::PhaseCorrect);
    EXPECT_TRUE(left->isVisible());
    EXPECT_EQ(right->getFrame(), 0);
}

TEST_F(MinigameStartAndFeedback, APracticePlayStartsFromTheDifficultysLevel) {
    setParams({{0, 2}, {1, 5}, {2, 9}, {6, 3}});
    hostCodes().clear();
    ProbeGame* game = start(2);
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_PLAY_START), 1);
    EXPECT_EQ(game->getStartLevel(), 9);
    EXPECT_EQ(game->getLevel(), 9);
    EXPECT_EQ(game->getMultiplier(), 3);
    EXPECT_EQ(game->getScore(), 0);
    EXPECT_EQ(game->getTimeLeft(), 60);
    EXPECT_EQ(game->getPhase(), Base::PhaseStarting);
    EXPECT_TRUE(game->findChild(lang::String("Score"))->isVisible());
    EXPECT_FALSE(game->findChild(lang::String("STARBAROVERLAY"))->isVisible());
    // The level store is per difficulty: easy keeps its own.
    EXPECT_EQ(canvas->getProgress()->storedLevel(ProbeIndex, 2), 9);
    EXPECT_EQ(canvas->getProgress()->storedLevel(ProbeIndex, 0), -1);
}

TEST_F(MinigameStartAndFeedback, ADailyTestPlayStartsAtLevelOneAtLeastAndUsesTheOneDailyLevel) {
    setParams({{6, 0}, {7, 4}});
    canvas->setDailyTestMode(true);
    canvas->selectGame(ProbeIndex);  // inside the test this starts the play
    ASSERT_EQ(canvas->getState(), MentariumCanvas::StatePlaying);
    EXPECT_EQ(probe->getPhase(), Base::PhaseStarting);
    EXPECT_EQ(probe->getStartLevel(), 1);
    EXPECT_EQ(probe->getLevel(), 1);
    EXPECT_EQ(canvas->getProgress()->dailyLevel(), 1);
    EXPECT_EQ(probe->getMultiplier(), 0);
    EXPECT_TRUE(probe->findChild(lang::String("STARBAROVERLAY"))->isVisible());
    EXPECT_FALSE(probe->findChild(lang::String("Score"))->isVisible());
    probe->setLevel(12);
    EXPECT_EQ(canvas->getProgress()->dailyLevel(), 12);
    EXPECT_EQ(canvas->getProgress()->storedLevel(ProbeIndex, 1), -1);
}

TEST_F(MinigameStartAndFeedback, HidingTheGameEmptiesItsTiles) {
    start();
    probe->buildTiles(2, 0);
    ASSERT_EQ(probe->tileCount(), 36);
    probe->setVisible(false);
    EXPECT_EQ(probe->tileCount(), 0);
    EXPECT_EQ(probe->tile(0), nullptr);
}

}  // namespace
}  // namespace game_test
