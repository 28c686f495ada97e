// The minigame base's start of a play and its feedback sprites, through the probe game.

#include "ProbeGame.h"
#include "game/DailyTestRun.h"
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
    setParams({{Base::ParamPracticeStartLevelBy, 2},  // easy, normal, hard
               {Base::ParamPracticeStartLevelBy + 1, 5},
               {Base::ParamPracticeStartLevelBy + 2, 9},
               {Base::ParamStartMultiplier, 3}});
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
    setParams({{Base::ParamTestStartLevelBy, 0}, {Base::ParamTestStartLevelBy + 1, 4}});  // ranks 0 and 1
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

TEST_F(MinigameStartAndFeedback, DailyTestStarsFollowTheScoreAndAreCountedAtTheEnd) {
    // rank 0: unscaled, one point an answer
    setParams({{Base::ParamTestResultTenthsBy, 10},
               {Base::ParamBasePoints, 1},
               {Base::ParamPointsRatioNumerator, 0},
               {Base::ParamStartMultiplier, 1}});
    ProgressRecord* record = canvas->getProgress();
    record->setRankAtTestStart(0);
    const double share = record->rankThreshold(1) / 6.0;
    ASSERT_GT(share, 40.0);
    canvas->setDailyTestMode(true);
    canvas->selectGame(ProbeIndex);
    untilPlay(probe);
    const char* names[4] = {"star1", "star2", "star3", "star4"};
    const double bars[4] = {share / 6.5, share / 2.3, share, share + share / 3};
    auto starsShown = [&] {
        int n = 0;
        for (const char* name : names) n += probe->findChild(lang::String(name))->isVisible();
        return n;
    };
    EXPECT_EQ(starsShown(), 0);
    for (int star = 0; star < 2; ++star) {
        while (probe->getScore() + 1 <= bars[star]) probe->addPoints(1);  // at the bar: not yet
        EXPECT_EQ(starsShown(), star) << "score " << probe->getScore();
        probe->addPoints(1);
        EXPECT_EQ(starsShown(), star + 1) << "score " << probe->getScore();
    }
    probe->setPhase(GameBase::PhaseTimeUp);
    ASSERT_GT(tickUntil([this] { return canvas->getState() == MentariumCanvas::StateResults; }, 60), 0);
    EXPECT_EQ(canvas->gameStars(), std::vector<int>{2});
    EXPECT_EQ(canvas->getDailyTest()->gamesPlayed(), 1);
}

TEST_F(MinigameStartAndFeedback, APauseDuringTheStartSignsHoldsThem) {
    start();
    ticks(30);
    auto* swipe = canvas->screen(MentariumCanvas::ScreenStartGameSwipe);
    ASSERT_TRUE(swipe->isVisible());
    canvas->onMessage(nullptr, lang::String("Quit"));
    ASSERT_EQ(canvas->getState(), MentariumCanvas::StatePaused);
    EXPECT_EQ(probe->getSavedPhase(), GameBase::PhaseStarting);
    ticks(100);
    EXPECT_TRUE(swipe->isVisible());
    EXPECT_EQ(probe->getPhase(), GameBase::PhasePaused);
    canvas->onMessage(nullptr, lang::String("PauseCancel"));
    EXPECT_EQ(probe->getPhase(), GameBase::PhaseStarting);
    // The signs go on where they stopped: 76 frames in all before play.
    EXPECT_EQ(tickUntil([this] { return probe->getPhase() == GameBase::PhasePlay; }, 100), 77 - 30);
    EXPECT_EQ(probe->getTimeLeft(), 60);
}

TEST_F(MinigameStartAndFeedback, TheGamesPauseButtonPausesIt) {
    start();
    untilPlay(probe);
    sprite::Sprite* quit = probe->findChild(lang::String("Quit"));
    ASSERT_NE(quit, nullptr);
    clickOn(probe, quit);
    EXPECT_EQ(canvas->getState(), MentariumCanvas::StatePaused);
    EXPECT_EQ(probe->getPhase(), GameBase::PhasePaused);
    EXPECT_TRUE(canvas->screen(MentariumCanvas::ScreenPauseMenu)->isVisible());
}

TEST_F(MinigameStartAndFeedback, AnEndedTurnBringsTheFeedbackToTheFrontUntilTheNextTurn) {
    start();
    untilPlay(probe);
    sprite::Sprite* feedback = probe->findChild(lang::String("SuccessFailure"));
    ASSERT_NE(feedback, nullptr);
    ASSERT_NE(probe->childAt(probe->childCount() - 1), feedback);
    const int children = probe->childCount();
    probe->endTurn();
    EXPECT_TRUE(probe->isTurnEnded());
    tick();
    EXPECT_EQ(probe->childAt(probe->childCount() - 1), feedback);
    EXPECT_EQ(probe->childCount(), children);
    EXPECT_EQ(probe->findChild(lang::String("SuccessFailure")), feedback);
    probe->showSuccessFailure(GameBase::FeedbackWrong);
    EXPECT_TRUE(feedback->isVisible());
    EXPECT_EQ(countOf(canvas->sounds, MentariumCanvas::SoundFailure), 1);
    probe->setPhase(GameBase::PhaseNextTurn);
    EXPECT_FALSE(probe->isTurnEnded());
    probe->setPhase(GameBase::PhasePlay);
    EXPECT_FALSE(feedback->isVisible());
}

TEST_F(MinigameStartAndFeedback, TheBonusGameIsTreatedAsSuchOnlyBelowRankTwelve) {
    DailyTestRun* run = canvas->getDailyTest();
    while (run->bonusGame() != ProbeIndex && run->unlocked() < 16) run->unlockNext();
    ASSERT_EQ(run->bonusGame(), ProbeIndex);
    // bonus level 1; rank 12 starts at 20 + 1 x 2
    setParams({{Base::ParamBonusGameLevel, 1}, {Base::ParamHighRankStartLevel, 20}, {Base::ParamHighRankLevelStep, 2}});
    ProgressRecord* record = canvas->getProgress();
    while (record->currentRank() < Base::BonusRankLimit)
        record->recordTest(record->rankThreshold(record->currentRank() + 1), 0, 0);
    canvas->setDailyTestMode(true);
    canvas->selectGame(ProbeIndex);
    ASSERT_EQ(canvas->getState(), MentariumCanvas::StatePlaying);
    EXPECT_FALSE(probe->isBonusGame());
    EXPECT_EQ(probe->getStartLevel(), 22);
}

}  // namespace
}  // namespace game_test
