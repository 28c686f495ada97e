#include <gtest/gtest.h>

#include <vector>

#include "WidgetFixtures.h"
#include "lang/String.h"
#include "sprite/AnimateSprite.h"
#include "sprite/SpriteFixtures.h"
#include "window/Event.h"

namespace {

using sprite_test::Held;
using widget_test::initWith;

// A 4 x 2 grid of 50 x 50 frames where frame n is filled with colour 0xFF0000nn.
window::Image* gridPicture() {
    return widget_test::pictureOf(200, 100, [](int px, int py) { return 0xFF000000u | (px / 50 + 4 * (py / 50)); });
}

// An 8-frame strip sprite, visible, with its first collection done.
sprite::AnimateSprite* stripSprite() {
    auto* s = new sprite::AnimateSprite();
    Held<window::Image> picture(gridPicture());
    s->setFrames(picture.get(), 4, 2);
    s->collectDirty(0, nullptr, nullptr);
    return s;
}

std::vector<int> framesOver(sprite::AnimateSprite* s, int passes, int firstTick = 1) {
    std::vector<int> seen;
    for (int t = firstTick; t < firstTick + passes; ++t) {
        s->collectDirty(t, nullptr, nullptr);
        seen.push_back(s->getFrame());
    }
    return seen;
}

TEST(AnimateSpriteTest, GridFramesAreCutFromThePicture) {
    Held<sprite::AnimateSprite> s(new sprite::AnimateSprite());
    Held<window::Image> picture(gridPicture());
    ASSERT_TRUE(initWith(s.get(), {picture.get()}, {10, 20, 4, 2, 5}));
    EXPECT_EQ(s->getWidth(), 50);
    EXPECT_EQ(s->getHeight(), 50);
    EXPECT_EQ(s->getFrameCount(), 8);
    EXPECT_EQ(s->getFrame(), 5);
    s->collectDirty(0, nullptr, nullptr);
    // Frame 5 is column 1, row 1: only its colour shows, inside the sprite's own box.
    Held<window::Image> out(widget_test::renderSprite(s.get(), 100, 100, 0xFFFFFFFFu));
    EXPECT_EQ(widget_test::pixelAt(out.get(), 10, 20), 0xFF000005u);
    EXPECT_EQ(widget_test::pixelAt(out.get(), 59, 69), 0xFF000005u);
    EXPECT_EQ(widget_test::pixelAt(out.get(), 60, 20), 0xFFFFFFFFu);
    EXPECT_EQ(widget_test::pixelAt(out.get(), 9, 20), 0xFFFFFFFFu);
    // Hit tests read the frame on show.
    EXPECT_TRUE(s->hitTest(10, 20));
    EXPECT_FALSE(s->hitTest(60, 20));
}

TEST(AnimateSpriteTest, InitWithFrameMinusOneHides) {
    Held<sprite::AnimateSprite> s(new sprite::AnimateSprite());
    Held<window::Image> picture(gridPicture());
    initWith(s.get(), {picture.get()}, {0, 0, 4, 2, -1});
    EXPECT_FALSE(s->isVisible());
}

TEST(AnimateSpriteTest, LoopBounceAndStop) {
    Held<sprite::AnimateSprite> looping(stripSprite());
    looping->setFrame(5);
    looping->setFrameStep(1, true);
    EXPECT_EQ(framesOver(looping.get(), 4), (std::vector<int>{6, 7, 0, 1}));

    Held<sprite::AnimateSprite> once(stripSprite());
    once->setFrame(5);
    once->setFrameStep(1, false);
    EXPECT_EQ(framesOver(once.get(), 4), (std::vector<int>{6, 7, 7, 7}));
    EXPECT_EQ(once->getFrameStep(), 0);

    Held<sprite::AnimateSprite> bouncing(stripSprite());
    bouncing->setFrame(5);
    bouncing->setBounce(true);
    bouncing->setFrameStep(1, false);
    EXPECT_EQ(framesOver(bouncing.get(), 4), (std::vector<int>{6, 7, 6, 5}));

    Held<sprite::AnimateSprite> backwards(stripSprite());
    backwards->setFrame(1);
    backwards->setFrameStep(-1, true);
    EXPECT_EQ(framesOver(backwards.get(), 3), (std::vector<int>{0, 7, 6}));
}

TEST(AnimateSpriteTest, WrapStaysInsideTheRangeForLargerSteps) {
    Held<sprite::AnimateSprite> s(stripSprite());
    s->setFrameRange(2, 6);
    s->setFrame(5);
    s->setFrameStep(2, true);
    // 5 + 2 = 7 is past 6: the range of five frames wraps it to 2.
    EXPECT_EQ(framesOver(s.get(), 3), (std::vector<int>{2, 4, 6}));
}

TEST(AnimateSpriteTest, FrameIntervalAndPauseKeepTheClock) {
    Held<sprite::AnimateSprite> s(stripSprite());
    s->setFrameInterval(2, 0);
    s->setFrameStep(1, true);
    EXPECT_EQ(framesOver(s.get(), 4), (std::vector<int>{0, 1, 1, 2}));
    s->setPaused(true);
    EXPECT_EQ(framesOver(s.get(), 3, 5), (std::vector<int>{2, 2, 2}));
    s->setPaused(false);
    // Three paused ticks shift the clock: tick 8 counts as 5, tick 9 as 6.
    EXPECT_EQ(framesOver(s.get(), 2, 8), (std::vector<int>{2, 3}));
}

TEST(AnimateSpriteTest, GlideEndsExactlyOnTheTarget) {
    Held<sprite::AnimateSprite> s(stripSprite());
    s->moveTo(10, -7, 3);
    EXPECT_TRUE(s->isAnimating());
    std::vector<int> xs, ys;
    for (int t = 1; t <= 4; ++t) {
        s->collectDirty(t, nullptr, nullptr);
        xs.push_back(s->getX());
        ys.push_back(s->getY());
    }
    EXPECT_EQ(xs, (std::vector<int>{3, 6, 10, 10}));
    EXPECT_EQ(ys, (std::vector<int>{-2, -4, -7, -7}));
    EXPECT_FALSE(s->isAnimating());
}

TEST(AnimateSpriteTest, SetLocationCancelsTheGlide) {
    Held<sprite::AnimateSprite> s(stripSprite());
    s->moveTo(100, 0, 10);
    s->collectDirty(1, nullptr, nullptr);
    s->setLocation(5, 5);
    EXPECT_EQ(s->getMoveSteps(), 0);
    EXPECT_EQ(s->getTargetX(), 5);
    s->collectDirty(2, nullptr, nullptr);
    EXPECT_EQ(s->getX(), 5);
}

TEST(AnimateSpriteTest, FadeToZeroHidesAfterTheLastPass) {
    Held<sprite::AnimateSprite> s(stripSprite());
    s->fadeTo(0, 4, true);
    std::vector<int> alphas;
    for (int t = 1; t <= 3; ++t) {
        s->collectDirty(t, nullptr, nullptr);
        alphas.push_back(s->getAlpha());
        EXPECT_TRUE(s->isVisible()) << "pass " << t;
    }
    EXPECT_EQ(alphas, (std::vector<int>{96, 64, 32}));
    s->collectDirty(4, nullptr, nullptr);
    EXPECT_EQ(s->getAlpha(), 0);
    EXPECT_FALSE(s->isVisible());
}

TEST(AnimateSpriteTest, EndNotificationArrivesOnceWithSourceAndArgument) {
    Held<sprite::AnimateSprite> s(stripSprite());
    widget_test::CountingReceiver receiver;
    Held<lang::String> tag(new lang::String("slide-done"));
    s->setNotify(&receiver, tag.get());
    s->moveTo(6, 0, 2);
    s->fadeTo(64, 3, false);
    for (int t = 1; t <= 10; ++t) {
        s->collectDirty(t, nullptr, nullptr);
        // The glide ends after two passes but the fade runs one more.
        if (t < 3) {
            EXPECT_EQ(receiver.count, 0) << "pass " << t;
        }
    }
    EXPECT_EQ(receiver.count, 1);
    EXPECT_EQ(receiver.lastKind, window::Event::Message);
    EXPECT_EQ(receiver.lastSource, s.get());
    EXPECT_EQ(receiver.lastArgument, tag.get());
    // The notification's event released what it held; the sprite keeps the argument.
    EXPECT_EQ(tag->refCount(), 2);
    s->setNotify(nullptr, nullptr);
    EXPECT_EQ(tag->refCount(), 1);
}

TEST(AnimateSpriteTest, PlayOnceNotifiesWhenTheLastFrameIsReached) {
    Held<sprite::AnimateSprite> s(stripSprite());
    widget_test::CountingReceiver receiver;
    s->setNotify(&receiver, nullptr);
    s->setFrame(5);
    s->setFrameStep(1, false);
    EXPECT_TRUE(s->isAnimating());
    framesOver(s.get(), 6);
    EXPECT_EQ(receiver.count, 1);
    EXPECT_EQ(s->getFrame(), 7);
}

TEST(AnimateSpriteTest, EndlessLoopNeverNotifiesButAFiniteOneDoes) {
    Held<sprite::AnimateSprite> endless(stripSprite());
    widget_test::CountingReceiver quiet;
    endless->setNotify(&quiet, nullptr);
    endless->setFrameStep(1, true);
    EXPECT_FALSE(endless->isAnimating());
    framesOver(endless.get(), 20);
    EXPECT_EQ(quiet.count, 0);

    Held<sprite::AnimateSprite> twice(stripSprite());
    widget_test::CountingReceiver told;
    twice->setNotify(&told, nullptr);
    twice->setLoopCount(2);
    twice->setFrameStep(1, true);
    EXPECT_TRUE(twice->isAnimating());
    framesOver(twice.get(), 40);
    EXPECT_EQ(told.count, 1);
    EXPECT_EQ(twice->getFrame(), 7);
}

TEST(AnimateSpriteTest, PassesRecordDirtyAreasOnlyWhileMoving) {
    Held<sprite::AnimateSprite> s(stripSprite());
    util::RectangleNM total;
    EXPECT_FALSE(s->collectDirty(1, &total, nullptr));
    s->moveTo(20, 0, 2);
    EXPECT_TRUE(s->collectDirty(2, &total, nullptr));
    // Old place and new place: x from 0 to 10 + 50.
    EXPECT_EQ(total.x, 0);
    EXPECT_EQ(total.width, 60);
    s->collectDirty(3, nullptr, nullptr);
    EXPECT_FALSE(s->collectDirty(4, nullptr, nullptr));
}

}  // namespace
