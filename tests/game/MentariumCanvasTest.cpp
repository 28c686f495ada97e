// The application canvas: state changes, focus loss, the game-over overlay,
// mute and leaving a game, through the loaded game and a probe minigame.

#include "ProbeGame.h"
#include "game/DailyTestRun.h"
#include "game/PauseMenu.h"
#include "game/ProgressRecord.h"
#include "game/RazozSprite.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DialogSprite.h"
#include "window/AudioClip.h"

namespace game_test {
namespace {

using Canvas = MentariumCanvas;

class MinigameCanvas : public ProbeFixture {
protected:
    sprite::Sprite* screen(Canvas::Screen which) {
        sprite::Sprite* s = canvas->screen(which);
        EXPECT_NE(s, nullptr);
        return s;
    }
    // The menu the canvas went back to; the main menu stands in for one the scene lacks.
    void expectMenuShown(Canvas::Screen which) {
        sprite::Sprite* s = canvas->screen(which);
        if (s == nullptr) s = canvas->screen(Canvas::ScreenMainMenu);
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(s->isVisible());
    }
    void action(const char* name) { canvas->onMessage(nullptr, lang::String(name)); }

    // A play that has just run out of time.
    void playUntilGameOver() {
        start();
        untilPlay(probe);
        probe->setPhase(GameBase::PhaseTimeUp);
        ASSERT_EQ(canvas->getState(), Canvas::StateGameOver);
    }
};

TEST_F(MinigameCanvas, LosingTheFocusInPlayPausesAtTheNextFrame) {
    start();
    untilPlay(probe);
    canvas->onActivation(false);
    EXPECT_EQ(canvas->getState(), Canvas::StatePlaying);  // the window thread only asks
    tick();
    EXPECT_EQ(canvas->getState(), Canvas::StatePaused);
    EXPECT_EQ(canvas->getPreviousState(), Canvas::StatePlaying);
    EXPECT_FALSE(canvas->pauseRequested());
    EXPECT_EQ(probe->getPhase(), GameBase::PhasePaused);
    EXPECT_TRUE(screen(Canvas::ScreenPauseMenu)->isVisible());
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_PAUSED), 1);
}

TEST_F(MinigameCanvas, LosingTheFocusElsewhereOnlyClearsTheRequest) {
    canvas->onActivation(false);
    tick();
    EXPECT_EQ(canvas->getState(), Canvas::StateMenu);
    EXPECT_FALSE(canvas->pauseRequested());
    EXPECT_FALSE(screen(Canvas::ScreenPauseMenu)->isVisible());
    // The request is gone: a game started afterwards plays on.
    start();
    untilPlay(probe);
    ticks(5);
    EXPECT_EQ(canvas->getState(), Canvas::StatePlaying);

    // At game over the frame that consumes the request does not shake.
    probe->setPhase(GameBase::PhaseTimeUp);
    ASSERT_EQ(canvas->getState(), Canvas::StateGameOver);
    tick();
    EXPECT_EQ(canvas->getShakeTicks(), 1);
    canvas->onActivation(false);
    tick();
    EXPECT_EQ(canvas->getState(), Canvas::StateGameOver);
    EXPECT_EQ(canvas->getShakeTicks(), 1);
    EXPECT_FALSE(canvas->pauseRequested());
}

TEST_F(MinigameCanvas, TheOverlayShakesThirtyEightFramesBeforeTheResults) {
    sprite::Sprite* overlay = screen(Canvas::ScreenGameOverOverlay);
    const int homeX = overlay->getX(), homeY = overlay->getY();
    playUntilGameOver();
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(canvas->getShakeTicks(), 0);
    bool moved = false;
    for (int n = 1; n <= 37; ++n) {
        tick();
        ASSERT_EQ(canvas->getState(), Canvas::StateGameOver) << "frame " << n;
        EXPECT_GE(overlay->getX(), homeX - 10);
        EXPECT_LE(overlay->getX(), homeX);
        EXPECT_GE(overlay->getY(), homeY - 10);
        EXPECT_LE(overlay->getY(), homeY);
        moved = moved || overlay->getX() != homeX || overlay->getY() != homeY;
    }
    EXPECT_TRUE(moved);
    EXPECT_TRUE(probe->isVisible());
    tick();
    EXPECT_EQ(canvas->getState(), Canvas::StateResults);
    EXPECT_FALSE(overlay->isVisible());
    EXPECT_EQ(overlay->getX(), homeX);
    EXPECT_EQ(overlay->getY(), homeY);
    EXPECT_FALSE(probe->isVisible());
    EXPECT_EQ(probe->getPhase(), GameBase::PhaseStopped);
    EXPECT_EQ(canvas->getProgress()->gameBlock(ProbeIndex)->historyLength[1], 1);
}

TEST_F(MinigameCanvas, PauseCancelOverTheGameOverOverlayReturnsToGameOver) {
    playUntilGameOver();
    action("Quit");
    ASSERT_EQ(canvas->getState(), Canvas::StatePaused);
    EXPECT_EQ(probe->getPhase(), GameBase::PhasePaused);
    action("PauseCancel");
    EXPECT_EQ(canvas->getState(), Canvas::StateGameOver);
    EXPECT_NE(probe->getPhase(), GameBase::PhasePlay);
    // The results still follow the shaking.
    EXPECT_GT(tickUntil([this] { return canvas->getState() == Canvas::StateResults; }, 40), 0);
}

TEST_F(MinigameCanvas, PauseCancelDuringPlayResumesIt) {
    start();
    untilPlay(probe);
    action("Quit");
    ASSERT_EQ(canvas->getState(), Canvas::StatePaused);
    action("PauseCancel");
    EXPECT_EQ(canvas->getState(), Canvas::StatePlaying);
    EXPECT_EQ(probe->getPhase(), GameBase::PhasePlay);
}

TEST_F(MinigameCanvas, MuteTogglesVolumesAndTellsTheHostOnlyOnChanges) {
    canvas->prepare();  // the music clip, as the start does
    canvas->setState(Canvas::StateMenu);
    ASSERT_NE(canvas->getMusic(), nullptr);
    EXPECT_EQ(canvas->getMusic()->getVolume(), 128);
    auto* menu = dynamic_cast<sprite::DialogSprite*>(screen(Canvas::ScreenMainMenu));
    auto* mute = dynamic_cast<sprite::ButtonSprite*>(menu->findChild(lang::String("bMuteVolume")));
    ASSERT_NE(mute, nullptr);
    hostCodes().clear();

    action("bMuteVolume");
    EXPECT_TRUE(canvas->isMuted());
    EXPECT_EQ(canvas->getMusic()->getVolume(), 0);
    EXPECT_EQ(mute->getState(), sprite::ButtonSprite::Selected);
    action("bMuteVolume");
    EXPECT_FALSE(canvas->isMuted());
    EXPECT_EQ(canvas->getMusic()->getVolume(), 128);
    EXPECT_EQ(mute->getState(), sprite::ButtonSprite::Normal);
    EXPECT_EQ(hostCodes(), (std::vector<int>{MENTARIUM_NOTIFY_SOUND_OFF, MENTARIUM_NOTIFY_SOUND_ON}));

    canvas->setMuted(false);
    EXPECT_EQ(hostCodes().size(), 2u);
    canvas->setMuted(true);
    canvas->setMuted(true);
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_SOUND_OFF), 2);
}

TEST_F(MinigameCanvas, ExitYesInTheDailyTestWithoutAGameLeavesQuietly) {
    canvas->setDailyTestMode(true);
    ASSERT_EQ(canvas->getCurrentGame(), -1);
    action("ExitYes");
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_LEFT_GAME), 0);
    EXPECT_EQ(canvas->getState(), Canvas::StateMenu);
    EXPECT_FALSE(canvas->isDailyTestMode());
    expectMenuShown(Canvas::ScreenDailyTestMenu);
}

TEST_F(MinigameCanvas, ExitYesFromAPausedPracticeGameStopsItAndTellsTheHost) {
    start();
    untilPlay(probe);
    action("Quit");
    action("ExitYes");
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_LEFT_GAME), 1);
    EXPECT_EQ(probe->getPhase(), GameBase::PhaseStopped);
    EXPECT_FALSE(probe->isVisible());
    EXPECT_EQ(canvas->getState(), Canvas::StateMenu);
    EXPECT_EQ(canvas->getCurrentGame(), -1);
    EXPECT_FALSE(screen(Canvas::ScreenPauseMenu)->isVisible());
    expectMenuShown(Canvas::ScreenPracticeAreaMenu);
}

TEST_F(MinigameCanvas, LeavingBeforeTheFirstDailyTestGameAsksNothing) {
    canvas->setDailyTestMode(true);
    ASSERT_EQ(canvas->getDailyTest()->gamesPlayed(), 0);
    auto* pause = dynamic_cast<PauseMenu*>(screen(Canvas::ScreenPauseMenu));
    ASSERT_NE(pause, nullptr);
    pause->showBetweenGames();
    sprite::Sprite* button = pause->findChild(lang::String("PauseMainMenu"));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isVisible());
    press(pause->getX() + button->getX() + button->getWidth() / 2,
          pause->getY() + button->getY() + button->getHeight() / 2);
    EXPECT_FALSE(screen(Canvas::ScreenExitMenu)->isVisible());
    EXPECT_FALSE(pause->isVisible());
    EXPECT_EQ(canvas->getState(), Canvas::StateMenu);
    EXPECT_FALSE(canvas->isDailyTestMode());
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_LEFT_GAME), 0);
}

TEST_F(MinigameCanvas, AFinishedPracticePlayRemembersTheTrophyHeldBefore) {
    ProgressRecord* record = canvas->getProgress();
    canvas->setDifficulty(1);
    const int bronze = record->trophyThreshold(1, 0), silver = record->trophyThreshold(1, 1);
    ASSERT_LT(bronze, silver);
    canvas->gameFinished(ProbeIndex, bronze);
    EXPECT_EQ(canvas->getTrophyBefore(), -1);
    EXPECT_EQ(record->bestScore(ProbeIndex, 1), bronze);
    canvas->gameFinished(ProbeIndex, silver);
    EXPECT_EQ(canvas->getTrophyBefore(), 0);
    canvas->gameFinished(ProbeIndex, 1);
    EXPECT_EQ(canvas->getTrophyBefore(), 1);
    EXPECT_EQ(record->bestScore(ProbeIndex, 1), silver);
    EXPECT_EQ(record->gameBlock(ProbeIndex)->historyLength[1], 3);
    // Inside the daily test the record's practice scores stay as they are.
    canvas->setDailyTestMode(true);
    canvas->gameFinished(ProbeIndex, 5000);
    EXPECT_EQ(record->bestScore(ProbeIndex, 1), silver);
    EXPECT_EQ(record->gameBlock(ProbeIndex)->historyLength[1], 3);
}

TEST_F(MinigameCanvas, TheInstructionsOpenOverTheMenusAndCloseOnlyThere) {
    sprite::Sprite* dim = screen(Canvas::ScreenDim);
    sprite::Sprite* instructions = screen(Canvas::ScreenInstructions);
    action("bMenuInstructions");
    EXPECT_TRUE(dim->isVisible());
    EXPECT_TRUE(instructions->isVisible());
    EXPECT_EQ(countOf(canvas->sounds, Canvas::SoundClick), 1);
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_RESUMED), 1);
    action("bInstructionsClose");
    EXPECT_FALSE(dim->isVisible());
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_RESUMED), 2);

    // Outside the menus closing them leaves the darkening to the pause menu.
    start();
    untilPlay(probe);
    action("Quit");
    ASSERT_EQ(canvas->getState(), Canvas::StatePaused);
    EXPECT_TRUE(dim->isVisible());
    action("bInstructionsClose");
    EXPECT_TRUE(dim->isVisible());
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_RESUMED), 2);
}

// Paused while the game-over overlay shakes and resumed: the overlay goes on
// shaking and the darkening of the pause menu is gone.
TEST_F(MinigameCanvas, ResumingTheGameOverTakesTheDarkeningAway) {
    sprite::Sprite* dim = screen(Canvas::ScreenDim);
    start();
    untilPlay(probe);
    canvas->setState(Canvas::StateGameOver);
    action("Quit");
    ASSERT_EQ(canvas->getState(), Canvas::StatePaused);
    EXPECT_TRUE(dim->isVisible());
    action("PauseCancel");
    EXPECT_EQ(canvas->getState(), Canvas::StateGameOver);
    EXPECT_TRUE(screen(Canvas::ScreenGameOverOverlay)->isVisible());
    EXPECT_FALSE(dim->isVisible());
}

TEST_F(MinigameCanvas, AGameMissingFromTheSceneOrOutOfRangeIsNull) {
    EXPECT_NE(canvas->gameAt(0), nullptr);
    EXPECT_EQ(canvas->gameAt(ProbeIndex), probe);
    EXPECT_EQ(canvas->gameAt(MissingIndex), nullptr);
    EXPECT_EQ(canvas->gameAt(-1), nullptr);
    EXPECT_EQ(canvas->gameAt(16), nullptr);
    EXPECT_EQ(probe->getGameIndex(), ProbeIndex);
    // Starting a game the scene lacks leaves the canvas playing nothing rather than failing.
    canvas->selectGame(MissingIndex);
    canvas->setState(Canvas::StatePlaying);
    ticks(3);
    EXPECT_EQ(canvas->getState(), Canvas::StatePlaying);
    action("Quit");
    EXPECT_EQ(canvas->getState(), Canvas::StatePaused);
}

TEST_F(MinigameCanvas, ReleasingTheCanvasFreesTheScreenThatHoldsRazoz) {
    auto* menu = canvas->screen(Canvas::ScreenMainMenu);
    ASSERT_EQ(canvas->getRazoz()->getDialog(), menu);
    menu->addRef();
    canvas->release();
    canvas = nullptr;
    EXPECT_EQ(menu->refCount(), 1) << "something still holds the main menu";
    menu->release();
}

TEST_F(MinigameCanvas, ThePauseMenuOffersToEndTheGameAndAsksFirst) {
    start();
    untilPlay(probe);
    action("Quit");
    auto* pause = dynamic_cast<sprite::DialogSprite*>(screen(Canvas::ScreenPauseMenu));
    ASSERT_NE(pause, nullptr);
    sprite::Sprite* endGame = pause->findChild(lang::String("PauseEndGame"));
    sprite::Sprite* mainMenu = pause->findChild(lang::String("PauseMainMenu"));
    ASSERT_NE(endGame, nullptr);
    ASSERT_NE(mainMenu, nullptr);
    EXPECT_TRUE(endGame->isVisible());
    EXPECT_FALSE(mainMenu->isVisible());
    tick();
    clickOn(pause, endGame);
    EXPECT_TRUE(screen(Canvas::ScreenExitMenu)->isVisible());
    EXPECT_EQ(canvas->getState(), Canvas::StatePaused);
    EXPECT_EQ(probe->getPhase(), GameBase::PhasePaused);
    // "No" keeps the paused game.
    action("ExitNo");
    EXPECT_EQ(canvas->getState(), Canvas::StatePaused);
    EXPECT_EQ(countOf(hostCodes(), MENTARIUM_NOTIFY_LEFT_GAME), 0);
}

}  // namespace
}  // namespace game_test
