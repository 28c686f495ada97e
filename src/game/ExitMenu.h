#pragma once

#include "game/GameScreen.h"

// The question whether to leave the running game or daily test.
class ExitMenu : public GameScreen {
    MENTARIUM_METACLASS(ExitMenu)

public:
    ExitMenu() : GameScreen(true) {}
    MENTARIUM_CLASS(ExitMenu, GameScreen)

protected:
    void onShow() override;
    lang::String onAction(const lang::String& button) override;
};
