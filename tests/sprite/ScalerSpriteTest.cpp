#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "WidgetFixtures.h"
#include "sprite/BitmapScaler.h"
#include "sprite/ScalerSprite.h"
#include "sprite/SpriteFixtures.h"

namespace {

using sprite::BitmapScaler;
using sprite::ScalerSprite;
using sprite_test::Held;

TEST(ScalerSpriteTest, EightyPercentKeepsTheCentre) {
    Held<ScalerSprite> s(new ScalerSprite());
    Held<window::Image> picture(sprite_test::solidImage(100, 50, 0xFF336699u));
    ASSERT_TRUE(widget_test::initWith(s.get(), {picture.get()}, {200, 100, 1, 1, 80, 128, 0}));
    EXPECT_EQ(s->getWidth(), 80);
    EXPECT_EQ(s->getHeight(), 40);
    s->collectDirty(1, nullptr, nullptr);
    EXPECT_EQ(s->getZoom(), 80);
    ASSERT_NE(s->getImage(), nullptr);
    EXPECT_EQ(s->getImage()->getWidth(), 80);
    EXPECT_EQ(s->getImage()->getHeight(), 40);
    EXPECT_EQ(s->getCentreX(), 200);
    EXPECT_EQ(s->getCentreY(), 100);
    Held<window::Image> out(widget_test::renderSprite(s.get(), 300, 200));
    EXPECT_EQ(widget_test::pixelAt(out.get(), 160, 80), 0xFF336699u);
    EXPECT_EQ(widget_test::pixelAt(out.get(), 239, 119), 0xFF336699u);
    EXPECT_EQ(widget_test::pixelAt(out.get(), 240, 100), 0xFFFFFFFFu);
    EXPECT_EQ(widget_test::pixelAt(out.get(), 159, 100), 0xFFFFFFFFu);
}

TEST(ScalerSpriteTest, DroppedScaledPixelsAreMadeAgainOnPaint) {
    Held<ScalerSprite> s(new ScalerSprite());
    Held<window::Image> picture(sprite_test::solidImage(100, 50, 0xFF336699u));
    widget_test::initWith(s.get(), {picture.get()}, {50, 25, 1, 1, 50, 128, 0});
    s->collectDirty(1, nullptr, nullptr);
    ASSERT_EQ(s->getWidth(), 50);
    s->getImage()->unload();
    ASSERT_FALSE(s->getImage()->hasPixels());
    Held<window::Image> out(widget_test::renderSprite(s.get(), 100, 50));
    EXPECT_TRUE(s->getImage()->hasPixels());
    EXPECT_EQ(widget_test::pixelAt(out.get(), 30, 20), 0xFF336699u);
    EXPECT_EQ(widget_test::pixelAt(out.get(), 80, 12), 0xFFFFFFFFu);
}

TEST(ScalerSpriteTest, ZoomStepsTowardTheEndAndNotifiesOnce) {
    Held<ScalerSprite> s(new ScalerSprite());
    Held<window::Image> picture(sprite_test::solidImage(40, 40, 0xFF00FF00u));
    s->setImage(picture.get());
    s->setLocation(50, 50);
    widget_test::CountingReceiver receiver;
    s->setNotify(&receiver, nullptr);
    s->startScale(100, 50, 5, true, 128, 0, false, 0, 0);
    std::vector<int> zooms, widths;
    for (int t = 1; t <= 8; ++t) {
        s->collectDirty(t, nullptr, nullptr);
        zooms.push_back(s->getZoom());
        widths.push_back(s->getWidth());
    }
    EXPECT_EQ(zooms, (std::vector<int>{90, 80, 70, 60, 50, 50, 50, 50}));
    EXPECT_EQ(widths, (std::vector<int>{36, 32, 28, 24, 20, 20, 20, 20}));
    EXPECT_EQ(s->getCentreX(), 50);
    EXPECT_EQ(s->getAlpha(), 0);
    EXPECT_EQ(receiver.count, 1);
}

TEST(ScalerSpriteTest, ZoomToNothingHides) {
    Held<ScalerSprite> s(new ScalerSprite());
    Held<window::Image> picture(sprite_test::solidImage(10, 10, 0xFF000000u));
    s->setImage(picture.get());
    s->startScale(100, 0, 2, false, 128, 128, false, 0, 0);
    s->collectDirty(1, nullptr, nullptr);
    EXPECT_TRUE(s->isVisible());
    s->collectDirty(2, nullptr, nullptr);
    EXPECT_FALSE(s->isVisible());
}

// A 4 x 4 picture of four 2 x 2 blocks: red, green / blue, white.
window::Image* blocks() {
    return widget_test::pictureOf(4, 4, [](int px, int py) {
        const uint32_t colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
        return colours[(px / 2) + 2 * (py / 2)];
    });
}

TEST(BitmapScalerTest, NearestAndAreaAverage) {
    Held<window::Image> source(blocks());
    Held<BitmapScaler> scaler(new BitmapScaler(source.get()));
    Held<window::Image> nearest(scaler->scale(2, 2, 0));
    ASSERT_NE(nearest.get(), nullptr);
    EXPECT_EQ(widget_test::pixelAt(nearest.get(), 1, 0), 0xFF00FF00u);
    EXPECT_EQ(widget_test::pixelAt(nearest.get(), 0, 1), 0xFF0000FFu);
    Held<window::Image> averaged(scaler->scale(1, 1, 1));
    // All four blocks in equal shares.
    EXPECT_EQ(widget_test::pixelAt(averaged.get(), 0, 0), 0xFF808080u);
    EXPECT_EQ(scaler->getLast(), averaged.get());
    Held<window::Image> grown(scaler->scale(8, 8, 1));
    EXPECT_EQ(widget_test::pixelAt(grown.get(), 7, 7), 0xFFFFFFFFu);
    EXPECT_EQ(widget_test::pixelAt(grown.get(), 0, 7), 0xFF0000FFu);
    EXPECT_EQ(scaler->scale(0, 3, 0), nullptr);
}

TEST(BitmapScalerTest, QuarterTurnsAreExactCopies) {
    Held<window::Image> source(
        widget_test::pictureOf(3, 2, [](int px, int py) { return 0xFF000000u | (py * 3 + px); }));
    Held<BitmapScaler> scaler(new BitmapScaler(source.get()));
    Held<window::Image> turned(scaler->rotate(M_PI / 2, 1.0, 0));
    ASSERT_EQ(turned->getWidth(), 2);
    ASSERT_EQ(turned->getHeight(), 3);
    // Clockwise: the bottom-left pixel comes to the top-left.
    EXPECT_EQ(widget_test::pixelAt(turned.get(), 0, 0), 0xFF000003u);
    EXPECT_EQ(widget_test::pixelAt(turned.get(), 1, 0), 0xFF000000u);
    EXPECT_EQ(widget_test::pixelAt(turned.get(), 1, 2), 0xFF000002u);
    Held<window::Image> half(scaler->rotate(-M_PI, 1.0, 0));
    EXPECT_EQ(widget_test::pixelAt(half.get(), 0, 0), 0xFF000005u);
}

TEST(BitmapScalerTest, EighthTurnFillsItsBoundingBox) {
    Held<window::Image> source(sprite_test::solidImage(20, 20, 0xFFABCDEFu));
    Held<BitmapScaler> scaler(new BitmapScaler(source.get()));
    for (int quality : {0, 1}) {
        Held<window::Image> turned(scaler->rotate(M_PI / 4, 1.0, quality));
        ASSERT_NE(turned.get(), nullptr);
        EXPECT_NEAR(turned->getWidth(), 20 * std::sqrt(2.0) + 1, 1.5);
        int w = turned->getWidth(), h = turned->getHeight();
        EXPECT_EQ(widget_test::pixelAt(turned.get(), w / 2, h / 2), 0xFFABCDEFu);
        EXPECT_EQ(widget_test::pixelAt(turned.get(), 0, 0), 0u);
        EXPECT_EQ(widget_test::pixelAt(turned.get(), w - 1, h - 1), 0u);
    }
}

}  // namespace
