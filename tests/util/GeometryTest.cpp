#include <gtest/gtest.h>

#include "util/Polygon.h"
#include "util/RectangleNM.h"
#include "util/Region.h"
#include "window/Color.h"

TEST(GeometryTest, RectangleContainsIntersectsAndHashes) {
    util::RectangleNM r(0, 0, 10, 10);
    EXPECT_FALSE(r.contains(10, 5));
    EXPECT_TRUE(r.contains(9, 9));
    util::RectangleNM touching(10, 0, 5, 5);
    util::RectangleNM cut = r;
    cut.intersect(touching);
    EXPECT_EQ(cut.x + cut.y + cut.width + cut.height, 0);
    util::RectangleNM grown = r;
    grown.add(util::RectangleNM(20, -5, 5, 5));
    EXPECT_EQ(grown.y, -5);
    EXPECT_EQ(grown.width, 25);
    EXPECT_EQ(grown.height, 15);
    EXPECT_EQ(util::RectangleNM(1, 2, 3, 4).hashCode(), 0x01020304);
    util::RectangleNM same(0, 0, 10, 10);
    EXPECT_FALSE(r.equals(&same));
    EXPECT_TRUE(r.sameAs(&same));
}

TEST(GeometryTest, ColourForcesOpaqueAlpha) {
    window::Color c(0x123456);
    EXPECT_EQ(c.value, 0xFF123456u);
    window::Color d(0x00123456);
    EXPECT_TRUE(c.sameAs(&d));
    util::RectangleNM r;
    EXPECT_FALSE(c.sameAs(&r));
}

TEST(GeometryTest, PolygonBounds) {
    int xs[] = {5, -3, 8};
    int ys[] = {2, 7, -1};
    util::Polygon p;
    p.setPoints(xs, ys, 3);
    EXPECT_EQ(p.minX, -3);
    EXPECT_EQ(p.minY, -1);
    EXPECT_EQ(p.width, 11);
    EXPECT_EQ(p.height, 8);
}

TEST(GeometryTest, RegionUnionIntersectTranslate) {
    util::Region region;
    EXPECT_TRUE(region.isEmpty());
    EXPECT_FALSE(region.intersects(util::RectangleNM(0, 0, 5, 5)));
    region.addRect(0, 0, 10, 10);
    region.addRect(5, 5, 10, 10);
    EXPECT_TRUE(region.intersects(util::RectangleNM(12, 12, 1, 1)));
    EXPECT_FALSE(region.intersects(util::RectangleNM(12, 0, 3, 3)));
    EXPECT_FALSE(region.intersects(util::RectangleNM(1, 1, 0, 5)));
    region.translate(100, 0);
    EXPECT_TRUE(region.intersects(util::RectangleNM(101, 1, 1, 1)));
    region.intersectRect(100, 0, 3, 3);
    EXPECT_FALSE(region.intersects(util::RectangleNM(104, 4, 1, 1)));
    region.intersectRect(0, 0, 0, 5);
    EXPECT_TRUE(region.isEmpty());
}

#include "util/Random.h"

TEST(RandomTest, RangesAndReproducibility) {
    util::Random r(1234);
    EXPECT_EQ(r.nextInt(0), 0);
    EXPECT_EQ(r.nextInt(-5), 0);
    bool seen[7] = {};
    for (int i = 0; i < 2000; ++i) {
        int v = r.nextInt(6);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 6);
        seen[v] = true;
        int w = r.nextInt(1);
        ASSERT_TRUE(w == 0 || w == 1);
        int between = r.nextInt(9, 3);
        ASSERT_GE(between, 3);
        ASSERT_LE(between, 9);
    }
    for (bool s : seen) EXPECT_TRUE(s);
    EXPECT_EQ(r.nextInt(4, 4), 4);
    util::Random a(77), b(77);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(a.nextWord(), b.nextWord());
}
