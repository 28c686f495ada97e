#pragma once

#include "game/GameScreen.h"

namespace sprite {
class ButtonSprite;
}
namespace window {
class Image;
}

// The choice of the practice game: one button per game, dark while the game
// is locked; the pointer over a button shows the game's description.
class PracticeAreaMenu : public GameScreen {
    MENTARIUM_METACLASS(PracticeAreaMenu)

public:
    static constexpr int Descriptions = 17;  // the 16 games and the locked picture

    PracticeAreaMenu() = default;
    ~PracticeAreaMenu() override;
    MENTARIUM_CLASS(PracticeAreaMenu, GameScreen)

    bool mouseMoved(window::Event* event) override;

    // A game can be practised when it is unlocked and the scene has it.
    static bool isPlayable(int game);

protected:
    void onShow() override;
    void onHide() override;
    lang::String onAction(const lang::String& button) override;

private:
    sprite::ButtonSprite* startButton(int game) const;
    void releaseDescriptions();

    window::Image* descriptions_[Descriptions] = {};
    int hovered_ = -1;
};
