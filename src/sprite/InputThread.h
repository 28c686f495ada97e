#pragma once

#include "sprite/CanvasThread.h"

namespace sprite {

// Hands the canvas's queued input events to it one at a time, outside the
// canvas's monitor, until asked to stop.
class InputThread : public CanvasThread {
public:
    using CanvasThread::CanvasThread;
    bool isInstanceOf(const char* name) const override {
        return std::strcmp(name, "InputThread") == 0 || lang::Thread::isInstanceOf(name);
    }
    const char* getClassName() const override { return "InputThread"; }
    void run() override;
};

}  // namespace sprite
