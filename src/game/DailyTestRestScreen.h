#pragma once

#include "game/GameScreen.h"
#include "util/Random.h"

// Between the games of a daily test: the six games with the finished ones
// and the next one marked, the next game's rules and Razoz's hint for it.
class DailyTestRestScreen : public GameScreen {
    MENTARIUM_METACLASS(DailyTestRestScreen)

public:
    // Frames of a game's row in the list.
    static constexpr int RowLater = 0, RowPlayed = 1, RowNext = 2;

    DailyTestRestScreen() = default;
    MENTARIUM_CLASS(DailyTestRestScreen, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;

    // The hint text key of a game (0-15) and variant (1 or 2).
    static lang::String hintKey(int game, int variant);

protected:
    void onShow() override;
    void onHide() override;
    lang::String onAction(const lang::String& button) override;

private:
    int razozStyle_ = 0;
    util::Random random_;
};
