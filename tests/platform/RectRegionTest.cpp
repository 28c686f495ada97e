#include <gtest/gtest.h>

#include "platform/RectRegion.h"

using platform::Rect;
using platform::RectRegion;

TEST(RectRegionTest, UnionKeepsRectanglesDisjoint) {
    RectRegion r;
    r.addRect({0, 0, 10, 10});
    r.addRect({5, 5, 15, 15});
    r.addRect({0, 0, 10, 10});  // already covered: adds nothing
    EXPECT_EQ(r.area(), 100 + 100 - 25);
    for (size_t i = 0; i < r.rects().size(); ++i)
        for (size_t j = i + 1; j < r.rects().size(); ++j) {
            const Rect& a = r.rects()[i];
            const Rect& b = r.rects()[j];
            bool overlap = a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
            EXPECT_FALSE(overlap);
        }
    EXPECT_EQ(r.bounds(), (Rect{0, 0, 15, 15}));
}

TEST(RectRegionTest, SubtractAndIntersect) {
    RectRegion r({0, 0, 10, 10});
    r.subtractRect({3, 3, 6, 6});
    EXPECT_EQ(r.area(), 91);
    EXPECT_FALSE(r.containsPoint(4, 4));
    EXPECT_TRUE(r.containsPoint(2, 4));
    r.intersectRect({0, 0, 5, 5});
    EXPECT_EQ(r.area(), 25 - 4);
    RectRegion other({4, 0, 20, 20});
    r.intersectRegion(other);
    EXPECT_EQ(r.area(), 3);  // column x=4, rows 0..2 (row 3..4 at x=4 was cut out)
    r.translate(-4, 0);
    EXPECT_TRUE(r.containsPoint(0, 0));
    EXPECT_TRUE(r.intersectsRect({0, 2, 1, 3}));
    EXPECT_FALSE(r.intersectsRect({0, 3, 1, 4}));
    EXPECT_FALSE(r.intersectsRect({0, 0, 0, 5}));
}
