#pragma once

#include "game/GameScreen.h"

// The rules of the game, opened from the menus; it shows the game's version.
class InstructDialog : public GameScreen {
    MENTARIUM_METACLASS(InstructDialog)

public:
    static constexpr const char* Version = "1.07";

    InstructDialog() : GameScreen(true) {}
    MENTARIUM_CLASS(InstructDialog, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;

protected:
    lang::String onAction(const lang::String& button) override;
};
