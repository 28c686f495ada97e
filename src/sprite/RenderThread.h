#pragma once

#include "sprite/CanvasThread.h"

namespace sprite {

class FrameSchedule;

// Runs the canvas at its frame rate: one update every tick, and a render unless
// the loop is too far behind (see FrameSchedule), until asked to stop. When the
// host steps the frames (see FrameGate) it runs one frame per request instead.
class RenderThread : public CanvasThread {
public:
    using CanvasThread::CanvasThread;
    bool isInstanceOf(const char* name) const override {
        return std::strcmp(name, "RenderThread") == 0 || lang::Thread::isInstanceOf(name);
    }
    const char* getClassName() const override { return "RenderThread"; }
    void run() override;

private:
    void runStepped();
    // One update and, when the schedule says so (always without one), a render,
    // under the canvas lock; answers how long to wait for the next tick.
    int runFrame(FrameSchedule* schedule);
};

}  // namespace sprite
