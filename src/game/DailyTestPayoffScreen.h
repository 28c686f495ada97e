#pragma once

#include "game/GameScreen.h"

class MentariumCanvas;
namespace sprite {
class ScalerSprite;
}

// The rank a daily test earned, after its scores. A test that raised the rank gets the
// celebration: the "New Rank" banner zooms in and glows, Razoz cheers, the
// medal twinkles, the new rank title zooms in and, when a game was opened,
// its lock sparkles and its name zooms in; then the OK button appears. A
// test that did not gets a card with the score and the next rank's goal.
class DailyTestPayoffScreen : public GameScreen {
    MENTARIUM_METACLASS(DailyTestPayoffScreen)

public:
    // The steps of the celebration, each named by the signal that ends it.
    enum Step {
        StepNone,
        StepBadNews,
        StepCongratsScaling,
        StepGlowUp,
        StepGlowDown,
        StepNewRankText,
        StepTrophyTwinkle,
        StepRankTitle,
        StepLockSparkle,
        StepUnlockTitle,
        StepDone
    };

    DailyTestPayoffScreen() = default;
    MENTARIUM_CLASS(DailyTestPayoffScreen, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;
    void paint(window::Graphics* g) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;

    Step step() const { return step_; }
    const char* stepName() const;

    // The end of a daily test's screens: the menus in daily test mode, which show the test's menu.
    static void backToTestMenu(MentariumCanvas* c);

    // A picture of what a sprite draws, the size of its bounds (new reference).
    static window::Image* pictureOf(sprite::Sprite* s);

protected:
    void onShow() override;
    void onHide() override;
    lang::String onAction(const lang::String& button) override;

private:
    void showBadNews(int rank);
    void startCelebration();
    // One frame of the celebration: moves on when the running step has ended.
    void advance();
    void sparkleAround(sprite::Sprite* target);
    void stopSparkles();
    // Shows a text in a hidden text sprite, and zooms a picture of it in.
    void zoomInText(const char* source, const char* scaled, const lang::String& text);
    bool scaling(const char* name) const;
    void finish();

    int razozStyle_ = 0;
    Step step_ = StepNone;
    int wait_ = 0;
    bool newRankSoundDue_ = false;
};
