#include <gtest/gtest.h>

#include <vector>

#include "platform/RectRegion.h"

using platform::Rect;
using platform::RectRegion;

namespace {

bool disjoint(const RectRegion& r) {
    for (size_t i = 0; i < r.rects().size(); ++i)
        for (size_t j = i + 1; j < r.rects().size(); ++j) {
            const Rect& a = r.rects()[i];
            const Rect& b = r.rects()[j];
            if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) return false;
        }
    return true;
}

}  // namespace

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

TEST(RectRegionTest, ARectangleCoveringOthersReplacesThem) {
    RectRegion r;
    for (int i = 0; i < 10; ++i) r.addRect({i * 3, 0, i * 3 + 2, 2});
    r.addRect({0, 0, 40, 5});
    ASSERT_EQ(r.rects().size(), 1u);
    EXPECT_EQ(r.rects()[0], (Rect{0, 0, 40, 5}));
}

TEST(RectRegionTest, ManyScatteredRectanglesStayFewAndCoverEveryOne) {
    // Overlapping moving sprites: without a bound the region splits into hundreds of slivers.
    RectRegion r;
    std::vector<Rect> added;
    for (int i = 0; i < 300; ++i) {
        Rect a{(i * 97) % 460, (i * 61) % 340, 0, 0};
        a.right = a.left + 35;
        a.bottom = a.top + 34;
        added.push_back(a);
        r.addRect(a);
        ASSERT_LE(r.rects().size(), RectRegion::kMaxRects);
    }
    EXPECT_TRUE(disjoint(r));
    for (const Rect& a : added) {
        RectRegion inside(a);
        inside.intersectRegion(r);
        EXPECT_EQ(inside.area(), static_cast<long>(a.width()) * a.height());
    }
}

TEST(RectRegionTest, PiecesThatMakeOneRectangleAreJoinedExactly) {
    // Strips added out of order cannot be merged as they come; once there are
    // too many, touching ones are joined and the region stays exact.
    RectRegion r;
    for (int i = 0; i < 40; ++i) r.addRect({(i * 7) % 40, 0, (i * 7) % 40 + 1, 10});
    EXPECT_LE(r.rects().size(), RectRegion::kMaxRects);
    EXPECT_EQ(r.area(), 400);
    EXPECT_EQ(r.bounds(), (Rect{0, 0, 40, 10}));
    EXPECT_TRUE(disjoint(r));
}
