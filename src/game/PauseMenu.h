#pragma once

#include "game/GameScreen.h"

// The pause menu: in a running game it offers to resume, read the rules, end
// the game or mute; between two daily test games it leads back to the menus.
class PauseMenu : public GameScreen {
    MENTARIUM_METACLASS(PauseMenu)

public:
    PauseMenu() : GameScreen(true) {}
    MENTARIUM_CLASS(PauseMenu, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;

    void showInGame();
    void showBetweenGames();

protected:
    lang::String onAction(const lang::String& button) override;

private:
    // Shows one of the two leave buttons, enabled, and hides the other.
    void showWith(const char* leave, const char* hidden);
};
