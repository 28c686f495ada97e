#pragma once

#include "game/GameScreen.h"
#include "util/Random.h"

// The summary of a finished daily test: each game's score and stars, the
// total, the history of test scores and Razoz's word on the best and the
// hardest game.
class DailyTestCompleteScreen : public GameScreen {
    MENTARIUM_METACLASS(DailyTestCompleteScreen)

public:
    // Frames of a game's panel: below or at its share of the next rank's goal.
    static constexpr int PanelShort = 0, PanelReached = 1;

    DailyTestCompleteScreen() = default;
    MENTARIUM_CLASS(DailyTestCompleteScreen, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;

    // Razoz's closing words on the test just finished.
    lang::String endText(bool rankImproved);
    // Whether the closing words still wait for the first-test text to be read.
    bool isEndTextPending() const { return endTextPending_; }

protected:
    void onShow() override;
    void onHide() override;
    lang::String onAction(const lang::String& button) override;

private:
    // A draw of 0 .. count - 1 that differs from the previous one when it can.
    int drawText(int count, int& previous);
    void showEndText();

    int goodTexts_ = 0, badTexts_ = 0, razozStyle_ = 0, spare_ = 0, xCaptionOffset_ = 0, yCaptionOffset_ = 0;
    int lastGood_ = -1, lastBad_ = -1;
    bool endTextPending_ = false;
    bool wasBusy_ = false;
    util::Random random_;
};
