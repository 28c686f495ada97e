#pragma once

#include "game/GameScreen.h"

// The result of a practice play: the score, the best score, the trophy, the
// history graph and Razoz's word on the next trophy.
class PracticeCompleteScreen : public GameScreen {
    MENTARIUM_METACLASS(PracticeCompleteScreen)

public:
    PracticeCompleteScreen() = default;
    MENTARIUM_CLASS(PracticeCompleteScreen, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;

    // The text Razoz says after a play that left the best score at a trophy
    // level, given the level held before the play.
    static lang::String resultText(int game, int difficulty, int level, int levelBefore);

protected:
    void onShow() override;
    void onHide() override;
    lang::String onAction(const lang::String& button) override;

private:
    int xCaptionOffset_ = 0, yCaptionOffset_ = 0, razozStyle_ = 0;
};
