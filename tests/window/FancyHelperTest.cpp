#include <gtest/gtest.h>

#include "window/Bezier.h"
#include "window/FancyHelper.h"

TEST(FancyHelperTest, TintClampsEachChannel) {
    auto* fx = new window::FancyHelper();
    fx->setFactors(128, 256, 128, 64);
    EXPECT_EQ(fx->tint(255, 255, 255), 0xFFFFFF7Fu);
    EXPECT_EQ(fx->tint(100, 100, 100), 0xFFC86432u);
    fx->reset();
    EXPECT_EQ(fx->tint(1, 2, 3), 0xFF010203u);
    fx->release();
}

TEST(FancyHelperTest, SetFactorsReportsChangeAndRaisesTheMark) {
    auto* fx = new window::FancyHelper();
    window::FancyHelper::takeEffectsChangedMark();
    EXPECT_FALSE(fx->setFactors(128, 128, 128, 128));
    EXPECT_TRUE(window::FancyHelper::takeEffectsChangedMark());
    EXPECT_FALSE(window::FancyHelper::takeEffectsChangedMark());
    EXPECT_TRUE(fx->setFactors(128, 128, 128, 127));
    EXPECT_EQ(fx->blue, 127);
    EXPECT_TRUE(fx->colorFactorsOn());

    auto* other = new window::FancyHelper();
    fx->setShadow(3, -2, true);
    other->copyFrom(fx);
    EXPECT_EQ(other->blue, 127);
    EXPECT_TRUE(other->shadowOn);
    EXPECT_EQ(other->shadowDx, 3);
    EXPECT_EQ(other->shadowDy, -2);
    other->reset();
    EXPECT_FALSE(other->shadowOn);
    EXPECT_FALSE(other->colorFactorsOn());
    other->release();
    fx->release();
}

TEST(BezierTest, TwoPointsGiveFiftyPointsOnTheSegment) {
    const int points[] = {0, 0, 100, 50};
    std::vector<platform::IntPoint> curve = window::bezierCurve(points, 2, 1.0);
    ASSERT_EQ(curve.size(), 50u);
    EXPECT_EQ(curve[0].x, 0);
    EXPECT_EQ(curve[1].x, 2);
    EXPECT_EQ(curve[1].y, 1);
    EXPECT_EQ(curve[49].x, 98);
    EXPECT_EQ(curve[49].y, 49);
    // Degree 2, scaled: the middle sample (t = 0.5) is (P0 + 2 P1 + P2) / 4.
    const int bent[] = {0, 0, 10, 20, 20, 0};
    std::vector<platform::IntPoint> scaled = window::bezierCurve(bent, 3, 2.0);
    EXPECT_EQ(scaled[25].x, 20);
    EXPECT_EQ(scaled[25].y, 20);
}
