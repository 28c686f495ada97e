#include "sprite/RenderThread.h"

#include "lang/Exception.h"
#include "platform/Clock.h"
#include "platform/Event.h"
#include "platform/PeriodicTimer.h"
#include "sprite/FrameSchedule.h"
#include "sprite/GameCanvas.h"

namespace sprite {

void RenderThread::run() {
    platform::Event tick(false);
    platform::PeriodicTimer timer(canvas_->getFramePeriod(), tick);
    FrameSchedule schedule(canvas_->getFramePeriod());
    schedule.begin(platform::tickCount());
    while (!stopRequested_) {
        int waitMs = 0;
        try {
            canvas_->lock();
            try {
                if (!GameCanvas::debugPaused()) canvas_->update();
                FrameSchedule::Step step = schedule.afterUpdate(platform::tickCount(), canvas_->frameSkipping_);
                if (step.render) canvas_->renderStep();
                waitMs = step.waitMs;
            } catch (...) {
                canvas_->unlock();
                throw;
            }
            canvas_->unlock();
        } catch (lang::Exception* e) {
            platform::sleepMs(canvas_->getFramePeriod());
            e->release();
        }
        if (waitMs > 0) tick.wait(waitMs);
    }
}

}  // namespace sprite
