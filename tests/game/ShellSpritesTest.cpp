// Razoz, the exit question and the sparkle of the rank celebration.

#include <cmath>

#include "GameFixture.h"
#include "game/RazozSprite.h"
#include "game/SparkleSprite.h"
#include "sprite/DialogSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/SpriteFixtures.h"

namespace game_test {
namespace {

// Whether a screen holds a sprite among its children.
bool holds(sprite::DialogSprite* screen, sprite::Sprite* s) {
    for (int i = 0; i < screen->childCount(); ++i)
        if (screen->childAt(i) == s) return true;
    return false;
}

class MinigameShellRazoz : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        loadGame();
        razoz = canvas->getRazoz();
        menu = dynamic_cast<sprite::DialogSprite*>(canvas->screen(MentariumCanvas::ScreenMainMenu));
        ASSERT_NE(razoz, nullptr);
        ASSERT_NE(menu, nullptr);
    }
    RazozSprite* razoz = nullptr;
    sprite::DialogSprite* menu = nullptr;
};

TEST_F(MinigameShellRazoz, IsBusyWhileTypingAndForTheTalkTimeUnlessCovered) {
    ASSERT_EQ(razoz->getDialog(), menu);
    ASSERT_NE(razoz->getTextBox(), nullptr);
    EXPECT_EQ(razoz->getTextBox(), menu->findChild(lang::String("RazozDialog")));
    razoz->say(lang::String("Hi"), 6);
    EXPECT_TRUE(razoz->getTextBox()->isRevealing());
    ASSERT_GT(tickUntil([this] { return !razoz->getTextBox()->isRevealing(); }, 20), 0);
    EXPECT_TRUE(razoz->isBusy());
    ticks(2);
    razoz->setCovered(true);
    int counter = razoz->getTalkCounter();
    ticks(30);
    EXPECT_EQ(razoz->getTalkCounter(), counter);  // the talk time stands still while covered
    EXPECT_TRUE(razoz->isBusy());
    razoz->setCovered(false);
    EXPECT_EQ(tickUntil([this] { return !razoz->isBusy(); }, 20), counter);
}

TEST_F(MinigameShellRazoz, MovesFromScreenToScreenWithoutStayingBehind) {
    auto* pause = dynamic_cast<sprite::DialogSprite*>(canvas->screen(MentariumCanvas::ScreenPauseMenu));
    ASSERT_NE(pause, nullptr);
    ASSERT_TRUE(holds(menu, razoz));
    razoz->attach(pause);
    EXPECT_EQ(razoz->getDialog(), pause);
    tick();  // a screen lets its removed sprites go at its next collection
    EXPECT_FALSE(holds(menu, razoz));
    EXPECT_TRUE(holds(pause, razoz));
    EXPECT_EQ(pause->childAt(pause->childCount() - 1), razoz);  // in front of the screen's sprites
    EXPECT_EQ(razoz->getTextBox(), nullptr);                    // the pause menu has no text box
    EXPECT_FALSE(razoz->isBusy());
    razoz->say(lang::String("nobody hears this"), 50);
    EXPECT_FALSE(razoz->isBusy());
    razoz->detach(menu);  // not attached there: nothing happens
    EXPECT_EQ(razoz->getDialog(), pause);
    razoz->detach(pause);
    EXPECT_EQ(razoz->getDialog(), nullptr);
    tick();
    EXPECT_FALSE(holds(pause, razoz));
}

TEST_F(MinigameShellRazoz, StaysOnTheMenuWhenItIsHiddenAndShownInOneFrame) {
    menu->setVisible(false);
    menu->setVisible(true);
    ticks(2);
    EXPECT_EQ(razoz->getDialog(), menu);
    EXPECT_TRUE(holds(menu, razoz));
    EXPECT_TRUE(razoz->isVisible());
}

class MinigameShellExitMenu : public GameFixture {};

TEST_F(MinigameShellExitMenu, TheTitleSaysWhatIsLeft) {
    loadGame();
    auto* exit = dynamic_cast<sprite::DialogSprite*>(canvas->screen(MentariumCanvas::ScreenExitMenu));
    ASSERT_NE(exit, nullptr);
    sprite::Sprite* practice = exit->findChild(lang::String("ExitTitlePractice"));
    sprite::Sprite* test = exit->findChild(lang::String("ExitTitleTest"));
    ASSERT_NE(practice, nullptr);
    ASSERT_NE(test, nullptr);
    exit->setVisible(true);
    EXPECT_TRUE(practice->isVisible());
    EXPECT_FALSE(test->isVisible());
    exit->setVisible(false);
    canvas->setDailyTestMode(true);
    exit->setVisible(true);
    EXPECT_FALSE(practice->isVisible());
    EXPECT_TRUE(test->isVisible());
}

TEST(MinigameShellSparkle, CirclesOutwardsAroundItsCentreAndTwinkles) {
    util::RectangleNM total;
    util::Region region;
    for (int n = 0; n < 64; ++n) {
        sprite_test::Held<SparkleSprite> sparkle(new SparkleSprite());
        window::Image* picture = sprite_test::solidImage(32, 8, 0xFFFFFFFFu);
        sparkle->setFrames(picture, 4, 1);
        picture->release();
        sparkle->start(200, 150, 40, 1.5);
        EXPECT_TRUE(sparkle->isVisible());
        EXPECT_LE(sparkle->getRadius(), 40.0);
        EXPECT_GE(sparkle->getRadius(), 0.0);
        bool lit = false;
        double radius = sparkle->getRadius();
        for (int tick = 1; tick <= 60; ++tick) {
            sparkle->collectDirty(tick, &total, &region);
            EXPECT_NEAR(sparkle->getRadius(), radius + 1.5 * tick, 1e-9);
            EXPECT_GE(sparkle->getAngle(), 0.0);
            EXPECT_LT(sparkle->getAngle(), 2 * M_PI);
            double cx = sparkle->getX() + 4.0, cy = sparkle->getY() + 4.0;
            EXPECT_NEAR(std::hypot(cx - 200, cy - 150), sparkle->getRadius(), 1.5) << "tick " << tick;
            EXPECT_GE(sparkle->getAlpha(), 0);
            EXPECT_LE(sparkle->getAlpha(), 128);
            lit = lit || sparkle->getAlpha() > 0;
        }
        EXPECT_TRUE(lit) << "sparkle " << n << " never showed";
    }
}

}  // namespace
}  // namespace game_test
