#pragma once

#include "game/GameScreen.h"

namespace sprite {
class ButtonSprite;
}

// The main menu, with Razoz's step-by-step introduction: each help stage is a
// text that Razoz types out; the stage moves on when the text is done or the
// player clicks beside the buttons. Once the introduction is over the text
// follows the start button (or the palette switch) under the pointer.
class MainMenu : public GameScreen {
    MENTARIUM_METACLASS(MainMenu)

public:
    static constexpr int StageCount = 8;

    MainMenu() = default;
    ~MainMenu() override;
    MENTARIUM_CLASS(MainMenu, GameScreen)

    void onLoaded(sprite::DataLoader* loader) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    bool mouseMoved(window::Event* event) override;

    void setHelpStage(int stage, bool force);
    int getHelpStage() const { return helpStage_; }
    int talkTime() const { return numbers_[0]; }

protected:
    void onShow() override;
    void onHide() override;
    lang::String onAction(const lang::String& button) override;
    void onBackgroundPress() override;

private:
    void advanceIntroduction();
    void highlight(sprite::ButtonSprite* button);

    sprite::ButtonSprite* practiceButton_ = nullptr;  // borrowed from the screen
    sprite::ButtonSprite* dailyTestButton_ = nullptr;
    sprite::ButtonSprite* paletteButton_ = nullptr;
    sprite::ButtonSprite* hovered_ = nullptr;
    int numbers_[4] = {250, 0, 0, 0};
    int helpStage_ = 0;
    bool wasBusy_ = false;
};
