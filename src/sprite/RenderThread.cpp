#include "sprite/RenderThread.h"

#include "lang/Exception.h"
#include "platform/Clock.h"
#include "platform/Event.h"
#include "platform/PeriodicTimer.h"
#include "sprite/FrameGate.h"
#include "sprite/FrameSchedule.h"
#include "sprite/GameCanvas.h"

namespace sprite {

void RenderThread::run() {
    if (FrameGate::attach()) {
        runStepped();
        FrameGate::detach();
        return;
    }
    platform::Event tick(false);
    platform::PeriodicTimer timer(canvas_->getFramePeriod(), tick);
    FrameSchedule schedule(canvas_->getFramePeriod());
    schedule.begin(platform::tickCount());
    while (!stopRequested_) {
        int waitMs = runFrame(&schedule);
        if (waitMs > 0) tick.wait(waitMs);
    }
}

// Frames at the host's request, each after the input given before it and each
// rendered: there is no clock to fall behind.
void RenderThread::runStepped() {
    while (!stopRequested_) {
        if (!FrameGate::awaitRequest(100)) continue;
        canvas_->awaitInputHandled(this);
        runFrame(nullptr);
        FrameGate::finishFrame(canvas_->getFramePeriod());
    }
}

int RenderThread::runFrame(FrameSchedule* schedule) {
    int waitMs = 0;
    try {
        canvas_->lock();
        try {
            if (!GameCanvas::debugPaused()) canvas_->update();
            FrameSchedule::Step step{true, 0};
            if (schedule) step = schedule->afterUpdate(platform::tickCount(), canvas_->frameSkipping_);
            if (step.render) canvas_->renderStep();
            waitMs = step.waitMs;
        } catch (...) {
            canvas_->unlock();
            throw;
        }
        canvas_->unlock();
    } catch (lang::Exception* e) {
        if (schedule) platform::sleepMs(canvas_->getFramePeriod());
        e->release();
    }
    return waitMs;
}

}  // namespace sprite
