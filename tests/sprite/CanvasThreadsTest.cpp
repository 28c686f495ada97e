// The canvas while its threads run: the window thread sizes, paints and asks
// for repaints while the render thread ticks and renders. Built with
// ThreadSanitizer (scripts/test --tsan), any unguarded access here is reported.

#include <gtest/gtest.h>

#include <thread>

#include "lang/ObjectLock.h"
#include "sprite/GameCanvas2.h"
#include "sprite/SpriteFixtures.h"
#include "util/RectangleNM.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

using sprite_test::Held;

TEST(CanvasThreads, SizingPaintingAndRepaintsMeetTheRenderThreadOnlyUnderItsLock) {
    Held<sprite::GameCanvas2> canvas(new sprite::GameCanvas2());
    canvas->setSize(120, 90);
    Held<sprite::Sprite> root(sprite_test::solidSprite(10, 10, 30, 20));
    canvas->addRoot(root.get());
    Held<window::Image> screen(new window::Image(160, 120, 1, false));
    window::Graphics* g = screen->getGraphics();

    // The loader thread starts the canvas while the window thread paints it.
    std::thread loader([&] { canvas->start(); });
    util::RectangleNM exposed(0, 0, 50, 40);
    for (int i = 0; i < 200; ++i) {
        canvas->paint(g);
        canvas->setSize(i % 2 ? 160 : 120, i % 2 ? 120 : 90);
        canvas->repaint(&exposed);
        canvas->repaint(nullptr);
        // A root that changes, as the input thread changes them: under the canvas's monitor.
        ObjectLock hold(canvas.get(), true);
        root->setLocation(10 + i % 7, 10);
    }
    loader.join();
    canvas->stop();

    ASSERT_NE(canvas->getFrameImage(), nullptr);
    EXPECT_EQ(canvas->getFrameImage()->getWidth(), 160);
    EXPECT_EQ(canvas->getFrameImage()->getHeight(), 120);
    EXPECT_TRUE(canvas->isStarted());
    EXPECT_TRUE(canvas->isStopped());
    g->dispose();
    g->release();
}
