#include <gtest/gtest.h>

#include <vector>

#include "platform/DeviceContext.h"
#include "platform/LineStepper.h"

using platform::DeviceContext;
using platform::IntPoint;
using platform::Rect;
using platform::Surface;

namespace {

const uint32_t kRed = 0xFF0000, kPaper = 0xFFFFFFFF;

struct Page {
    explicit Page(int w = 10, int h = 10) : surface(w, h) {
        std::fill(surface.pixels(), surface.pixels() + w * h, kPaper);
        dc.selectSurface(&surface);
    }
    uint32_t at(int x, int y) const { return surface.row(y)[x]; }
    int count(uint32_t argb) const {
        int n = 0;
        for (int i = 0; i < surface.width() * surface.height(); ++i) n += surface.pixels()[i] == argb;
        return n;
    }
    Surface surface;
    DeviceContext dc;
};

}  // namespace

TEST(DeviceContextTest, ClipsAccumulateAndRestore) {
    Page page;
    EXPECT_EQ(page.dc.getClipBox(), (Rect{0, 0, 10, 10}));
    platform::RectRegion none;
    EXPECT_FALSE(page.dc.getClipRegion(none));

    int token = page.dc.save();
    page.dc.intersectClipRect(Rect{2, 2, 8, 8});
    page.dc.intersectClipRect(Rect{0, 0, 5, 20});  // cannot grow back
    EXPECT_EQ(page.dc.getClipBox(), (Rect{2, 2, 5, 8}));
    page.dc.excludeClipRect(Rect{2, 2, 5, 4});
    EXPECT_EQ(page.dc.getClipBox(), (Rect{2, 4, 5, 8}));
    page.dc.fillSolidRect(Rect{0, 0, 10, 10}, kRed);
    EXPECT_EQ(page.count(0xFFFF0000), 3 * 4);
    EXPECT_EQ(page.at(2, 4), 0xFFFF0000u);
    EXPECT_EQ(page.at(2, 3), kPaper);

    EXPECT_TRUE(page.dc.restore(token));
    EXPECT_EQ(page.dc.getClipBox(), (Rect{0, 0, 10, 10}));
    EXPECT_FALSE(page.dc.restore(token));  // already popped

    platform::RectRegion region(Rect{1, 1, 3, 3});
    page.dc.selectClipRegion(&region);
    page.dc.offsetClipRegion(5, 0);
    EXPECT_EQ(page.dc.getClipBox(), (Rect{6, 1, 8, 3}));
    page.dc.selectClipRegion(nullptr);
    EXPECT_EQ(page.dc.getClipBox(), (Rect{0, 0, 10, 10}));
}

TEST(DeviceContextTest, NothingSelectedDrawsNothing) {
    DeviceContext dc;
    dc.fillSolidRect(Rect{0, 0, 5, 5}, kRed);
    dc.lineTo(5, 5);
    dc.ellipse(Rect{0, 0, 5, 5});
    EXPECT_EQ(dc.getClipBox(), (Rect{}));
    EXPECT_TRUE(dc.drawableRects().empty());
}

TEST(DeviceContextTest, LineStepperExcludesTheEndPoint) {
    std::vector<IntPoint> points;
    platform::stepLine(0, 0, 4, 2, [&](int x, int y) { points.push_back(IntPoint{x, y}); });
    ASSERT_EQ(points.size(), 4u);
    EXPECT_EQ(points[0].x, 0);
    EXPECT_EQ(points[3].x, 3);
    for (size_t i = 1; i < points.size(); ++i) {
        EXPECT_EQ(points[i].x - points[i - 1].x, 1);
        EXPECT_LE(points[i].y - points[i - 1].y, 1);
    }
    EXPECT_GE(points[3].y, 1);
    points.clear();
    platform::stepLine(3, 7, 3, 2, [&](int x, int y) { points.push_back(IntPoint{x, y}); });
    ASSERT_EQ(points.size(), 5u);
    EXPECT_EQ(points[4].y, 3);
    points.clear();
    platform::stepLine(1, 1, 1, 1, [&](int x, int y) { points.push_back(IntPoint{x, y}); });
    EXPECT_TRUE(points.empty());
}

TEST(DeviceContextTest, PensDrawThinAndWideLines) {
    Page page;
    page.dc.selectPen(platform::Pen::solid(1, kRed));
    page.dc.moveTo(1, 1);
    page.dc.lineTo(6, 1);
    EXPECT_EQ(page.count(0xFFFF0000), 5);
    EXPECT_EQ(page.at(6, 1), kPaper);
    EXPECT_EQ(page.dc.currentPosition().x, 6);

    Page wide(20, 20);
    wide.dc.selectPen(platform::Pen::solid(4, kRed));
    wide.dc.moveTo(5, 10);
    wide.dc.lineTo(15, 10);
    EXPECT_EQ(wide.at(10, 8), 0xFFFF0000u);
    EXPECT_EQ(wide.at(10, 11), 0xFFFF0000u);
    EXPECT_EQ(wide.at(10, 13), kPaper);
    EXPECT_EQ(wide.at(10, 6), kPaper);

    Page none;
    none.dc.selectPen(platform::Pen::none());
    none.dc.lineTo(9, 9);
    EXPECT_EQ(none.count(kPaper), 100);
}

TEST(DeviceContextTest, PolygonFillCoversPixelCentresOnly) {
    Page page;
    page.dc.selectPen(platform::Pen::none());
    page.dc.selectBrush(platform::Brush::solid(kRed));
    IntPoint square[] = {{2, 2}, {6, 2}, {6, 6}, {2, 6}};
    page.dc.polygon(square, 4);
    EXPECT_EQ(page.count(0xFFFF0000), 16);
    EXPECT_EQ(page.at(2, 2), 0xFFFF0000u);
    EXPECT_EQ(page.at(5, 5), 0xFFFF0000u);
    EXPECT_EQ(page.at(6, 6), kPaper);

    // With a pen and no brush, only the closed outline.
    Page outline;
    outline.dc.selectPen(platform::Pen::solid(1, kRed));
    outline.dc.selectBrush(platform::Brush::none());
    outline.dc.polygon(square, 4);
    EXPECT_EQ(outline.count(0xFFFF0000), 16);
    EXPECT_EQ(outline.at(4, 4), kPaper);
    EXPECT_EQ(outline.at(2, 4), 0xFFFF0000u);
}

TEST(DeviceContextTest, EllipseStaysInItsBox) {
    Page page(20, 20);
    page.dc.selectPen(platform::Pen::none());
    page.dc.selectBrush(platform::Brush::solid(kRed));
    page.dc.ellipse(Rect{4, 6, 14, 12});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (page.at(x, y) != kPaper) {
                EXPECT_TRUE(x >= 4 && x < 14 && y >= 6 && y < 12) << x << "," << y;
            }
    EXPECT_EQ(page.at(9, 9), 0xFFFF0000u);
    EXPECT_EQ(page.at(4, 6), kPaper);  // corners stay clear
    EXPECT_EQ(page.at(4, 8), 0xFFFF0000u);
    EXPECT_EQ(page.at(13, 9), 0xFFFF0000u);
}

TEST(DeviceContextTest, BlockCopiesCutToBothSurfaces) {
    Page target(6, 6);
    Surface sourceSurface(4, 4);
    for (int i = 0; i < 16; ++i) sourceSurface.pixels()[i] = 0xFF000000u | static_cast<uint32_t>(i);
    DeviceContext source(&sourceSurface);
    target.dc.intersectClipRect(Rect{0, 0, 6, 5});
    // Source starts at (-1, 2): the first column and row 4+ fall outside it.
    target.dc.bitBlt(1, 1, 4, 4, source, -1, 2);
    EXPECT_EQ(target.at(1, 1), kPaper);
    EXPECT_EQ(target.at(2, 1), 0xFF000008u);  // source (0, 2)
    EXPECT_EQ(target.at(4, 2), 0xFF00000Eu);  // source (2, 3)
    EXPECT_EQ(target.at(2, 3), kPaper);
    target.dc.copyPixels(4, 3, sourceSurface.pixels(), 4, 4, 4);
    EXPECT_EQ(target.at(5, 4), 0xFF000005u);
    EXPECT_EQ(target.at(5, 5), kPaper);  // clipped away
}
