#pragma once

#include "sprite/CanvasThread.h"

namespace sprite {

// Runs the canvas at its frame rate: one update every tick, and a render unless
// the loop is too far behind (see FrameSchedule), until asked to stop.
class RenderThread : public CanvasThread {
public:
    using CanvasThread::CanvasThread;
    bool isInstanceOf(const char* name) const override {
        return std::strcmp(name, "RenderThread") == 0 || lang::Thread::isInstanceOf(name);
    }
    const char* getClassName() const override { return "RenderThread"; }
    void run() override;
};

}  // namespace sprite
