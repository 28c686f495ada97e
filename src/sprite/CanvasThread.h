#pragma once

#include <atomic>

#include "lang/Thread.h"

namespace sprite {

class GameCanvas;

// A worker of the canvas: its own runnable, with a stop request that run() polls.
class CanvasThread : public lang::Thread {
public:
    explicit CanvasThread(GameCanvas* canvas) : canvas_(canvas) {}

    void requestStop() { stopRequested_ = true; }
    bool stopRequested() const { return stopRequested_; }

protected:
    GameCanvas* canvas_;  // the canvas owns this thread and outlives its run
    std::atomic<bool> stopRequested_{false};
};

}  // namespace sprite
