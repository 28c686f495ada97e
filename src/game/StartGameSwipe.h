#pragma once

#include "game/GameScreen.h"

// The three start signs shown before every play, 25 frames each; the
// minigame begins once the stage has reached 3.
class StartGameSwipe : public GameScreen {
    MENTARIUM_METACLASS(StartGameSwipe)

public:
    static constexpr int FramesPerSign = 25;
    static constexpr int Signs = 3;

    StartGameSwipe() = default;
    MENTARIUM_CLASS(StartGameSwipe, GameScreen)

    void start();
    // One frame of the signs. The canvas calls it before the sprites tick, so
    // the minigame sees the last sign gone in the same frame.
    void advance();
    int getStage() const { return stage_; }

private:
    int stage_ = 0;
    int frameCounter_ = 0;
};
