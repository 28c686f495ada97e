// Razoz between two threads: the input thread moves it from screen to screen
// and makes it talk while the render thread collects the screens' changes,
// entering Razoz from inside the screens' locks. Both hold the canvas's monitor
// as in the game. Built with ThreadSanitizer (scripts/test --tsan), a lock
// taken in the opposite order is reported.

#include <gtest/gtest.h>

#include <thread>

#include "game/RazozSprite.h"
#include "lang/ObjectLock.h"
#include "sprite/DialogSprite.h"
#include "sprite/SpriteFixtures.h"
#include "util/Region.h"

using sprite_test::Held;

TEST(RazozThreads, MovingAndTalkingWhileTheScreensAreCollectedTakeTheLocksInOneOrder) {
    Held<sprite::DialogSprite> first(new sprite::DialogSprite());
    Held<sprite::DialogSprite> second(new sprite::DialogSprite());
    for (sprite::DialogSprite* screen : {first.get(), second.get()}) {
        screen->setSize(200, 120);
        screen->setVisible(true);
    }
    Held<RazozSprite> razoz(new RazozSprite());
    lang::Object canvas;  // stands in for the canvas's monitor

    std::thread input([&] {
        for (int i = 0; i < 100; ++i) {
            ObjectLock hold(&canvas, true);
            razoz->attach(i % 2 ? second.get() : first.get());
            razoz->say(lang::String("Hello"), 5);
            if (i % 3 == 0) razoz->detach(razoz->getDialog());
        }
        ObjectLock hold(&canvas, true);
        razoz->detach(razoz->getDialog());
    });
    for (int tick = 0; tick < 100; ++tick) {
        ObjectLock hold(&canvas, true);
        for (sprite::DialogSprite* screen : {first.get(), second.get()}) {
            util::RectangleNM total;
            util::Region region;
            screen->collectDirty(tick, &total, &region);
        }
    }
    input.join();

    // Parted from both screens; the next collection lets go of it.
    EXPECT_EQ(razoz->getDialog(), nullptr);
    for (sprite::DialogSprite* screen : {first.get(), second.get()}) {
        screen->collectDirty(100, nullptr, nullptr);
        EXPECT_EQ(screen->childCount(), 0);
    }
}
