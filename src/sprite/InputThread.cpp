#include "sprite/InputThread.h"

#include "lang/Exception.h"
#include "sprite/GameCanvas.h"

namespace sprite {

void InputThread::run() {
    while (!stopRequested_) {
        try {
            canvas_->takeEvent();
            canvas_->processEvent();
            canvas_->finishEvent();
        } catch (lang::Exception* e) {
            canvas_->finishEvent();
            e->release();
        }
        canvas_->waitForEvents(this);
    }
    canvas_->drainQueue();
}

}  // namespace sprite
