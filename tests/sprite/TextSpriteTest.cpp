#include <gtest/gtest.h>

#include "WidgetFixtures.h"
#include "sprite/SpriteFixtures.h"
#include "sprite/TextSprite.h"
#include "window/Font.h"
#include "window/FontMetrics.h"

namespace {

using sprite::TextSprite;
using sprite_test::Held;

TEST(TextSpriteTest, SizeFollowsTheFontAndAlignmentMovesTheBounds) {
    Held<TextSprite> s(new TextSprite());
    ASSERT_TRUE(widget_test::initWith(s.get(), {}, {100, 10, 2}));
    s->setText("Score");
    Held<window::Font> font(new window::Font("Arial", TextSprite::DefaultSize));
    Held<window::FontMetrics> metrics(font->getFontMetrics());
    ASSERT_GT(metrics->stringWidth("Score"), 0) << "no platform font";
    EXPECT_EQ(s->getWidth(), metrics->stringWidth("Score") + 2);
    EXPECT_EQ(s->getHeight(), metrics->getHeight() + 2);
    EXPECT_EQ(s->getBounds()->x, 100 - s->getWidth());
    s->setAlignment(1);
    EXPECT_EQ(s->getBounds()->x, 100 - s->getWidth() / 2);
}

TEST(TextSpriteTest, DrawsInsideItsBoundsAndFillsTheBackground) {
    Held<TextSprite> s(new TextSprite());
    widget_test::initWith(s.get(), {}, {10, 5});
    s->setText("Hello");
    s->setColors(0x000000, 0x00FF00);
    s->collectDirty(0, nullptr, nullptr);
    Held<window::Image> plain(widget_test::renderSprite(s.get(), 120, 40));
    auto [first, last] = widget_test::inkColumns(plain.get());
    ASSERT_GE(first, 0) << "nothing drawn";
    EXPECT_GE(first, 10);
    EXPECT_LT(last, 10 + s->getWidth());
    s->setFillBackground(true);
    Held<window::Image> filled(widget_test::renderSprite(s.get(), 120, 40));
    EXPECT_EQ(widget_test::pixelAt(filled.get(), 10, 5), 0xFF00FF00u);
    EXPECT_EQ(widget_test::pixelAt(filled.get(), 9, 5), 0xFFFFFFFFu);
}

TEST(TextSpriteTest, CaretBlinksEveryTwentyFrames) {
    Held<TextSprite> s(new TextSprite());
    s->setText("ab");
    s->setCaret(true);
    s->collectDirty(1, nullptr, nullptr);
    EXPECT_FALSE(s->isDirty());
    s->collectDirty(20, nullptr, nullptr);
    EXPECT_FALSE(s->isDirty());  // collected in the same pass
    util::RectangleNM total;
    EXPECT_TRUE(s->collectDirty(40, &total, nullptr));
    EXPECT_GT(total.width, 0);
    EXPECT_FALSE(s->collectDirty(41, &total, nullptr));
}

}  // namespace
