// The main menu's introduction and the start signs, in the loaded game.

#include "ProbeGame.h"
#include "game/MainMenu.h"
#include "game/RazozSprite.h"
#include "game/StartGameSwipe.h"
#include "sprite/AnimateSprite.h"

namespace game_test {
namespace {

// The signs before every play, in front of the probe game.
class MinigameStartSigns : public ProbeFixture {};

class IntroBeforeAnyMinigame : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        loadGame();
        menu = dynamic_cast<MainMenu*>(canvas->screen(MentariumCanvas::ScreenMainMenu));
        ASSERT_NE(menu, nullptr);
    }
    MainMenu* menu = nullptr;
};

TEST_F(IntroBeforeAnyMinigame, ClicksBesideTheButtonsAdvanceTheIntroductionToFour) {
    ASSERT_TRUE(menu->isVisible());
    ASSERT_EQ(menu->getHelpStage(), 0);
    RazozSprite* razoz = canvas->getRazoz();
    ASSERT_NE(razoz, nullptr);
    EXPECT_EQ(razoz->getDialog(), menu);
    for (int expected : {1, 2, 3, 4, 4, 4}) {
        tick();
        ASSERT_TRUE(razoz->isBusy());
        press(470, 200);  // nothing of the menu lies there
        EXPECT_EQ(menu->getHelpStage(), expected);
    }
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(canvas->getState(), MentariumCanvas::StateMenu);
}

TEST_F(IntroBeforeAnyMinigame, EachFinishedTextAdvancesTheIntroductionOnce) {
    std::vector<int> stages{menu->getHelpStage()};
    for (int n = 0; n < 4000; ++n) {
        tick();
        if (menu->getHelpStage() != stages.back()) stages.push_back(menu->getHelpStage());
    }
    EXPECT_EQ(stages, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_FALSE(canvas->getRazoz()->isBusy());
    // Once idle, a click beside the buttons leaves the stage.
    press(470, 200);
    EXPECT_EQ(menu->getHelpStage(), 4);
}

TEST_F(MinigameStartSigns, TheStartSignsStandTwentyFiveFramesEachAndPlayFollowsTheThird) {
    auto* swipe = dynamic_cast<StartGameSwipe*>(canvas->screen(MentariumCanvas::ScreenStartGameSwipe));
    ASSERT_NE(swipe, nullptr);
    auto* sign = dynamic_cast<sprite::AnimateSprite*>(swipe->findChild(lang::String("StartGameAction")));
    ASSERT_NE(sign, nullptr);
    start();
    EXPECT_TRUE(swipe->isVisible());
    EXPECT_EQ(probe->getPhase(), GameBase::PhaseStarting);
    std::vector<int> stageAt;  // the stage after each frame
    int gone = -1, play = -1;
    for (int n = 1; n <= 120 && play < 0; ++n) {
        tick();
        stageAt.push_back(swipe->getStage());
        if (swipe->getStage() >= 0 && swipe->getStage() < 3) {
            EXPECT_TRUE(swipe->isVisible());
            EXPECT_EQ(sign->getFrame(), swipe->getStage()) << "frame " << n;
        }
        if (gone < 0 && !swipe->isVisible()) gone = n;
        if (probe->getPhase() == GameBase::PhasePlay) play = n;
        if (play < 0) {
            EXPECT_EQ(probe->getTimeLeft(), 60);
        }
    }
    for (int stage = 0; stage < 3; ++stage) EXPECT_EQ(countOf(stageAt, stage), 25) << "stage " << stage;
    EXPECT_EQ(gone, 76);
    EXPECT_EQ(play, gone + 1);
}

}  // namespace
}  // namespace game_test
