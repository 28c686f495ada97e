#pragma once

#include "game/GameScreen.h"

// The rules of the game being played, opened from the pause menu: the
// game's description picture.
class InGameInstructDialog : public GameScreen {
    MENTARIUM_METACLASS(InGameInstructDialog)

public:
    InGameInstructDialog() : GameScreen(true) {}
    MENTARIUM_CLASS(InGameInstructDialog, GameScreen)

    // The description picture of a game (0-15), or of a locked game (16).
    static lang::String descriptionPicture(int game);

protected:
    void onShow() override;
    lang::String onAction(const lang::String& button) override;
};
