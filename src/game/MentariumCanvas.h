#pragma once

#include "sprite/GameCanvas2.h"

// The game's one canvas. It registers itself in a process-wide pointer, shows the
// first screen once the scene has loaded and tells the host so.
//
// This is the part the host entry needs: the screen flow, the common buttons and
// the minigames join it with the game shell.
class MentariumCanvas : public sprite::GameCanvas2 {
public:
    static constexpr int StateMenu = 4;
    static constexpr int StateStartup = 5;

    MentariumCanvas();
    ~MentariumCanvas() override;
    MENTARIUM_CLASS(MentariumCanvas, sprite::GameCanvas2)

    void sceneLoaded(sprite::DataLoader* loader) override;
    void onCloseRequest() override;

    // Window activation: a lost focus asks the running game to pause.
    void onActivation(bool active);

    int getState() const { return state_; }
    bool pauseRequested() const { return pauseRequested_; }

    static MentariumCanvas* current();
    static void setCurrent(MentariumCanvas* canvas);

private:
    int state_ = StateStartup;
    bool pauseRequested_ = false;
};
