// The loader frame's two threads: the window thread stops the frame while the
// loader thread is about to start the canvas. Built with ThreadSanitizer
// (scripts/test --tsan), an unguarded stop flag is reported.

#include <gtest/gtest.h>

#include "sprite/GameCanvas2.h"
#include "sprite/LoaderFrame2.h"
#include "sprite/SpriteFixtures.h"

using sprite_test::Held;

namespace {

// A canvas whose scene is ready at once, so the loader goes straight to
// starting it; it notes whether its threads still ran when the stopped frame,
// done with its loader, destroyed it.
class ReadyCanvas : public sprite::GameCanvas2 {
public:
    bool loadScene() override { return true; }
    void destroy() override {
        if (isStarted() && !isStopped()) runningAtDestroy = true;
        GameCanvas2::destroy();
    }
    bool runningAtDestroy = false;
};

}  // namespace

TEST(LoaderFrameThreads, AStopWhileTheLoaderStartsTheCanvasLeavesItStopped) {
    sprite::LoaderFrame2::setSoundRetryDelay(0);
    for (int round = 0; round < 5; ++round) {
        Held<ReadyCanvas> canvas(new ReadyCanvas());
        Held<sprite::LoaderFrame2> frame(new sprite::LoaderFrame2());
        frame->setCanvas(canvas.get());
        frame->start();
        frame->stop();
        frame->onDestroy();  // waits for the loader, then destroys the canvas
        EXPECT_TRUE(frame->isStopped());
        EXPECT_FALSE(canvas->runningAtDestroy) << "the loader left the canvas running after the stop, round " << round;
        frame->setCanvas(nullptr);
    }
}
