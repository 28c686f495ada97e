#include <gtest/gtest.h>

#include "WidgetFixtures.h"
#include "sprite/LineGraphSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/SpriteFixtures.h"

namespace {

using sprite::LineGraphSprite;
using sprite_test::Held;

std::pair<int, int> rounded(int lo, int hi, int digits) {
    LineGraphSprite::roundValueRange(lo, hi, digits);
    return {lo, hi};
}

TEST(LineGraphRangeTest, ValueAxisKeepsTheLeadingDigits) {
    EXPECT_EQ(rounded(1234, 1780, 2), std::make_pair(1200, 1800));
    EXPECT_EQ(rounded(50, 50, 2), std::make_pair(0, 100));
    EXPECT_EQ(rounded(500, 500, 2), std::make_pair(490, 510));
    EXPECT_EQ(rounded(0, 0, 2), std::make_pair(0, 100));
    EXPECT_EQ(rounded(0, 0, 1), std::make_pair(0, 10));
    EXPECT_EQ(rounded(37, 981, 1), std::make_pair(30, 1000));
    EXPECT_EQ(rounded(100, 100, 2), std::make_pair(90, 110));
}

TEST(LineGraphRangeTest, DivisionsShrinkUntilStepsAreWideEnough) {
    int lo = 10, hi = 30;
    EXPECT_EQ(LineGraphSprite::divide(lo, hi, 10, 3), 6);
    // 20 / 6 leaves 2: the whole steps are centred in the span.
    EXPECT_EQ(lo, 11);
    EXPECT_EQ(hi, 29);
    lo = 5;
    hi = 5;
    EXPECT_EQ(LineGraphSprite::divide(lo, hi, 4, 2), 1);
    lo = 0;
    hi = 40;
    EXPECT_EQ(LineGraphSprite::divide(lo, hi, 4, 2), 4);
    EXPECT_EQ(hi, 40);
}

struct Stepped {
    int lo, hi, step;
    bool operator==(const Stepped&) const = default;
};
Stepped stepped(int lo, int hi, int n) {
    int step = LineGraphSprite::roundStep(lo, hi, n);
    return {lo, hi, step};
}

TEST(LineGraphRangeTest, RoundStepsCoverTheValuesInFewDivisions) {
    EXPECT_EQ(stepped(1234, 1780, 4), (Stepped{1200, 1800, 200}));
    EXPECT_EQ(stepped(40, 370, 4), (Stepped{0, 400, 100}));
    EXPECT_EQ(stepped(0, 100, 4), (Stepped{0, 100, 25}));
    EXPECT_EQ(stepped(500, 500, 4), (Stepped{500, 501, 1}));  // one value still gets a span
    EXPECT_EQ(stepped(0, 7, 4), (Stepped{0, 8, 2}));
    EXPECT_EQ(stepped(3, 98765, 2), (Stepped{0, 100000, 50000}));
    EXPECT_EQ(stepped(10, 20, 0), (Stepped{10, 20, 10}));  // at least one division
}

LineGraphSprite* gameGraph(int w, int h) { return widget_test::gameStyleGraph(w, h, 0xFF203040u); }

TEST(LineGraphSpriteTest, NoPointsShowsTheFrameAndOneDivision) {
    Held<LineGraphSprite> g(gameGraph(200, 120));
    int px, py;
    g->getNewestPoint(px, py);
    EXPECT_EQ(px, 0);
    EXPECT_EQ(py, 0);
    const LineGraphSprite::Layout& l = g->lastLayout();
    EXPECT_EQ(l.minValue, 0);
    EXPECT_EQ(l.maxValue, 100);
    EXPECT_EQ(l.nx, 1);
    EXPECT_EQ(l.ny, 1);
    window::Image* picture = g->getImage();
    // Frame corners are opaque black; the plot area has the fill colour; outside it stays transparent.
    EXPECT_EQ(widget_test::pixelAt(picture, l.left, l.bottom), 0xFF000000u);
    EXPECT_EQ(widget_test::pixelAt(picture, l.right, l.top), 0xFF000000u);
    EXPECT_EQ(widget_test::pixelAt(picture, (l.left + l.right) / 2, (l.top + l.bottom) / 2), 0xFF203040u);
    EXPECT_EQ(widget_test::pixelAt(picture, 199, 119), 0x00FEFEFEu);
}

TEST(LineGraphSpriteTest, OnePointSitsAtTheEndOfTheSpan) {
    Held<LineGraphSprite> g(gameGraph(200, 120));
    g->addPoint(40);
    int px, py;
    g->getNewestPoint(px, py);
    const LineGraphSprite::Layout& l = g->lastLayout();
    EXPECT_EQ(l.ny, 2);
    EXPECT_EQ(px, l.xEnd);
    // Half the inner width stays free to the right of the point.
    EXPECT_EQ(l.xEnd, (l.x1 - l.x0) * 50 / 100 + l.x0);
    EXPECT_EQ(py, l.y1 + 40 * (l.y0 - l.y1) / 100);
}

TEST(LineGraphSpriteTest, ManyPointsLimitDivisionsAndEndOnTheNewest) {
    Held<LineGraphSprite> g(gameGraph(200, 120));
    for (int i = 0; i < 25; ++i) g->addPoint(1000 + i * 31);
    EXPECT_TRUE(g->isGraphDirty());
    int px, py;
    g->getNewestPoint(px, py);
    EXPECT_FALSE(g->isGraphDirty());
    const LineGraphSprite::Layout& l = g->lastLayout();
    EXPECT_LE(l.nx, 10);
    EXPECT_GE((l.xEnd - l.x0) / l.nx, 2);
    EXPECT_EQ(px, l.xEnd);
    EXPECT_EQ(l.minValue, 1000);
    EXPECT_EQ(l.maxValue, 1800);
    // The newest point is on the line.
    uint32_t onLine = widget_test::pixelAt(g->getImage(), px, py);
    EXPECT_TRUE(onLine == 0xFF000000u || onLine == 0xFF008EEFu || onLine == 0xFF707070u) << std::hex << onLine;

    Held<LineGraphSprite> narrow(gameGraph(45, 120));
    for (int i = 0; i < 25; ++i) narrow->addPoint(i);
    narrow->getNewestPoint(px, py);
    const LineGraphSprite::Layout& n = narrow->lastLayout();
    EXPECT_LT(n.nx, 10);
    EXPECT_GE((n.xEnd - n.x0) / n.nx, 2);
}

TEST(LineGraphSpriteTest, SettersMarkDirtyOnlyOnChangeAndShrinkingDropsThePicture) {
    Held<LineGraphSprite> g(gameGraph(100, 80));
    int px, py;
    g->getNewestPoint(px, py);
    g->setInset(5);
    EXPECT_FALSE(g->isGraphDirty());
    g->setInset(6);
    EXPECT_TRUE(g->isGraphDirty());
    g->setSize(0, 80);
    EXPECT_EQ(g->getImage(), nullptr);
    g->collectDirty(0, nullptr, nullptr);
    Held<window::Image> out(widget_test::renderSprite(g.get(), 10, 10));
    EXPECT_EQ(widget_test::pixelAt(out.get(), 0, 0), 0xFFFFFFFFu);
}

TEST(LineGraphSpriteTest, CloneCopiesPointsAndMakesItsOwnPicture) {
    Held<LineGraphSprite> g(gameGraph(100, 80));
    g->addPoint(3);
    g->addPoint(9);
    Held<LineGraphSprite> copy(static_cast<LineGraphSprite*>(g->clone()));
    EXPECT_EQ(copy->pointCount(), 2);
    ASSERT_NE(copy->getImage(), nullptr);
    EXPECT_NE(copy->getImage(), g->getImage());
    EXPECT_EQ(copy->getWidth(), 100);
    int ax, ay, bx, by;
    g->getNewestPoint(ax, ay);
    copy->getNewestPoint(bx, by);
    EXPECT_EQ(ax, bx);
    EXPECT_EQ(ay, by);
}

}  // namespace
