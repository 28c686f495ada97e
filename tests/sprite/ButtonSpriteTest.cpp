#include <gtest/gtest.h>

#include "WidgetFixtures.h"
#include "lang/Class.h"
#include "sprite/ButtonSprite.h"
#include "sprite/ColorBalButtonSprite.h"
#include "sprite/RectButtonSprite.h"
#include "sprite/RectSprite.h"
#include "sprite/SpriteFixtures.h"
#include "window/FancyHelper.h"

namespace {

using sprite::ButtonSprite;
using sprite_test::Held;
using widget_test::initWith;

// A strip of three 20 x 10 frames: 0 hover, 1 normal, 2 inactive, at (100, 50).
template <typename Button = ButtonSprite>
Button* makeButton(bool withState = true) {
    auto* b = new Button();
    Held<window::Image> strip(
        widget_test::pictureOf(60, 10, [](int px, int) { return 0xFF000000u | static_cast<uint32_t>(px / 20); }));
    if (withState) initWith(b, {strip.get()}, {100, 50, 3, 1, 0, 1, 2, ButtonSprite::Normal});
    else
        initWith(b, {strip.get()}, {100, 50, 3, 1, 0, 1, 2});
    b->getBounds();
    return b;
}

TEST(ButtonSpriteTest, NewButtonIsHiddenUntilAStateWithAFrame) {
    Held<ButtonSprite> b(makeButton(false));
    EXPECT_FALSE(b->isVisible());
    EXPECT_FALSE(b->isShown());
    EXPECT_EQ(b->getState(), ButtonSprite::Inactive);
    b->setState(ButtonSprite::Normal);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->getFrame(), 1);
    EXPECT_EQ(b->getWidth(), 20);
}

TEST(ButtonSpriteTest, HoverPressAndReleaseInside) {
    Held<ButtonSprite> b(makeButton());
    ASSERT_EQ(b->getState(), ButtonSprite::Normal);
    EXPECT_TRUE(b->hover(105, 55));
    EXPECT_EQ(b->getState(), ButtonSprite::Hover);
    EXPECT_EQ(b->getFrame(), 0);
    // Without fire-on-release a press fires at once.
    EXPECT_TRUE(b->press());
    b->setFireOnRelease(true);
    EXPECT_FALSE(b->press());
    EXPECT_EQ(b->getState(), ButtonSprite::Pressed);
    EXPECT_EQ(b->getFrame(), 0);  // the pressed look defaults to the hover frame
    EXPECT_TRUE(b->hover(110, 52));
    EXPECT_EQ(b->getState(), ButtonSprite::Pressed);
    EXPECT_TRUE(b->releaseAt(110, 52));
    EXPECT_FALSE(b->isPressed());
    EXPECT_EQ(b->getState(), ButtonSprite::Normal);
}

TEST(ButtonSpriteTest, ReleaseOutsideDoesNotFireAndRestoresNormal) {
    Held<ButtonSprite> b(makeButton());
    b->setFireOnRelease(true);
    b->hover(101, 51);
    EXPECT_FALSE(b->press());
    EXPECT_FALSE(b->hover(300, 300));
    EXPECT_EQ(b->getState(), ButtonSprite::Normal);
    EXPECT_FALSE(b->releaseAt(300, 300));
    EXPECT_EQ(b->getState(), ButtonSprite::Normal);
    EXPECT_EQ(b->getFrame(), 1);
}

TEST(ButtonSpriteTest, InactiveButtonIgnoresHoverAndIsNotHit) {
    Held<ButtonSprite> b(makeButton());
    b->setState(ButtonSprite::Inactive);
    EXPECT_EQ(b->getFrame(), 2);
    EXPECT_FALSE(b->hover(105, 55));
    EXPECT_EQ(b->getState(), ButtonSprite::Inactive);
    EXPECT_EQ(b->getFrame(), 2);
    EXPECT_FALSE(b->isHit(105, 55));
}

TEST(ButtonSpriteTest, SelectedStatesAndHiding) {
    Held<ButtonSprite> b(makeButton());
    b->setStateFrames(0, 1, 2, 2, 0, -2, -2);
    b->setState(ButtonSprite::Selected);
    EXPECT_EQ(b->getFrame(), 2);
    EXPECT_TRUE(b->hover(105, 55));
    EXPECT_EQ(b->getState(), ButtonSprite::SelectedHover);
    b->setPressed(true);
    EXPECT_EQ(b->getState(), ButtonSprite::SelectedPressed);
    b->setPressed(false);
    EXPECT_EQ(b->getState(), ButtonSprite::Selected);
    // A state without a frame hides the button, and a hidden button is inactive.
    b->setStateFrames(0, -1, 2, 2, 0, -2, -2);
    b->setState(ButtonSprite::Normal);
    EXPECT_FALSE(b->isVisible());
    b->setState(ButtonSprite::Hover);
    EXPECT_TRUE(b->isVisible());
    b->setVisible(false);
    EXPECT_EQ(b->getState(), ButtonSprite::Inactive);
}

TEST(ButtonSpriteTest, UnloadingForgetsHoverAndPress) {
    Held<ButtonSprite> b(makeButton());
    b->hover(105, 55);
    b->unloadImage();
    EXPECT_EQ(b->getState(), ButtonSprite::Normal);
}

TEST(ButtonSpriteTest, AlphaHitTestingUsesTheFrameOnShow) {
    Held<ButtonSprite> b(new ButtonSprite());
    // Frame 0 is opaque on its left half only; frame 1 is opaque everywhere.
    Held<window::Image> strip(
        widget_test::pictureOf(40, 10, [](int px, int) { return px >= 10 && px < 20 ? 0u : 0xFF00FF00u; }));
    initWith(b.get(), {strip.get()}, {0, 0, 2, 1, 1, 0, 0, ButtonSprite::Normal});
    b->getBounds();
    b->setHitByBounds(false);
    EXPECT_FALSE(b->isHit(15, 5));
    EXPECT_TRUE(b->isHit(5, 5));
    EXPECT_FALSE(b->hover(15, 5));
    EXPECT_TRUE(b->hover(5, 5));
    ASSERT_EQ(b->getFrame(), 1);
    EXPECT_TRUE(b->isHit(15, 5));
    EXPECT_TRUE(b->isHitExact(15, 5));
}

TEST(ColorBalButtonSpriteTest, BrightensWhileHovered) {
    Held<sprite::ColorBalButtonSprite> b(makeButton<sprite::ColorBalButtonSprite>());
    EXPECT_TRUE(b->hover(105, 55));
    ASSERT_NE(b->getFancy(), nullptr);
    EXPECT_EQ(b->getFancy()->red, 160);
    EXPECT_EQ(b->getFancy()->blue, 160);
    EXPECT_EQ(b->getAlpha(), 128);
    EXPECT_FALSE(b->hover(0, 0));
    EXPECT_EQ(b->getFancy()->green, 128);
}

TEST(RectButtonSpriteTest, NeedsFourNumbersAndNeverRepaints) {
    Held<sprite::RectButtonSprite> tooFew(new sprite::RectButtonSprite());
    EXPECT_FALSE(initWith(tooFew.get(), {}, {1, 2, 3}));

    Held<sprite::RectButtonSprite> zone(new sprite::RectButtonSprite());
    ASSERT_TRUE(initWith(zone.get(), {}, {10, 20, 30, 40, ButtonSprite::Normal}));
    EXPECT_EQ(zone->getState(), ButtonSprite::Normal);
    EXPECT_TRUE(zone->isHit(39, 59));
    EXPECT_FALSE(zone->isHit(40, 59));
    EXPECT_TRUE(zone->hover(10, 20));
    EXPECT_EQ(zone->getState(), ButtonSprite::Hover);
    EXPECT_FALSE(zone->collectDirty(1, nullptr, nullptr));
    EXPECT_FALSE(zone->isDirty());
}

TEST(RectSpriteTest, FilledAndOutlined) {
    Held<sprite::RectSprite> r(new sprite::RectSprite());
    ASSERT_TRUE(initWith(r.get(), {}, {2, 3, 5, 4, static_cast<int>(0xFF112233u), 1, 1}));
    r->collectDirty(0, nullptr, nullptr);
    Held<window::Image> filled(widget_test::renderSprite(r.get(), 10, 10));
    EXPECT_EQ(widget_test::pixelAt(filled.get(), 4, 5), 0xFF112233u);
    EXPECT_EQ(widget_test::pixelAt(filled.get(), 6, 6), 0xFF112233u);
    EXPECT_EQ(widget_test::pixelAt(filled.get(), 7, 6), 0xFFFFFFFFu);
    r->setFilled(false);
    Held<window::Image> outline(widget_test::renderSprite(r.get(), 10, 10));
    EXPECT_EQ(widget_test::pixelAt(outline.get(), 2, 3), 0xFF112233u);
    EXPECT_EQ(widget_test::pixelAt(outline.get(), 6, 6), 0xFF112233u);
    EXPECT_EQ(widget_test::pixelAt(outline.get(), 4, 5), 0xFFFFFFFFu);
}

TEST(WidgetClassesTest, RegisteredByName) {
    for (const char* name : {"AnimateSprite", "ButtonSprite", "ColorBalButtonSprite", "RectButtonSprite", "RectSprite",
                             "NewFontSprite", "NumberSprite", "LineGraphSprite"}) {
        lang::Class* c = lang::Class::forName(name);
        ASSERT_NE(c, nullptr) << name;
        lang::Object* made = c->newInstance();
        EXPECT_TRUE(made->isInstanceOf(name));
        EXPECT_TRUE(made->isInstanceOf("Sprite"));
        EXPECT_STREQ(made->getClassName(), name);
        made->release();
    }
}

}  // namespace
