#pragma once

#include "game/GameScreen.h"

namespace sprite {
class ButtonSprite;
}

// The choice of difficulty for the practice game: best scores and trophies
// per difficulty; the pointer over a difficulty shows Razoz's advice and the
// history of scores at it.
class DifficultyMenu : public GameScreen {
    MENTARIUM_METACLASS(DifficultyMenu)

public:
    DifficultyMenu() = default;
    MENTARIUM_CLASS(DifficultyMenu, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;
    bool mouseMoved(window::Event* event) override;

    // Razoz's advice on the next trophy of a game at a difficulty.
    static lang::String trophyAdvice(int game, int difficulty);
    // The text of the next trophy after a level (-1 none, 0 bronze, 1 silver).
    static lang::String trophyName(int level);
    // The graph fill of a difficulty's history.
    static uint32_t graphFill(int difficulty);
    // Shows the history of a game at a difficulty in a screen's graph area.
    static void showHistory(GameScreen* screen, const char* area, int game, int difficulty, int xOffset, int yOffset);

protected:
    void onShow() override;
    lang::String onAction(const lang::String& button) override;

private:
    sprite::ButtonSprite* difficultyButton(int d) const;
    void hover(int d);

    int xCaptionOffset_ = 0, yCaptionOffset_ = 0, razozStyle_ = 0;
    int hovered_ = -1;
};
