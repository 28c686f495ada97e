#include <gtest/gtest.h>

#include <memory>

#include "platform/DeviceContext.h"
#include "platform/FontFace.h"

using platform::FontFace;

TEST(FontFaceTest, ArialResolvesToAMetricCompatibleFace) {
    std::unique_ptr<FontFace> face(FontFace::open("Arial", 20));
    ASSERT_NE(face, nullptr);
    const platform::TextMetrics& m = face->metrics();
    // Liberation Sans shares Arial's vertical metrics: 1854 + 434 units of 2048.
    EXPECT_EQ(m.ascent, 18);
    EXPECT_EQ(m.descent, 4);
    EXPECT_EQ(m.height, 22);
    EXPECT_EQ(m.internalLeading, 2);
    // The average advance, scaled to the size: about half the em.
    EXPECT_GE(m.aveCharWidth, 8);
    EXPECT_LE(m.aveCharWidth, 13);
    std::unique_ptr<FontFace> big(FontFace::open("Arial", 40));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->metrics().ascent, 36);
    EXPECT_NEAR(big->measure("Mentarium", 9), 2 * face->measure("Mentarium", 9), 4);
    EXPECT_EQ(face->measure("ab", 2), face->measure("a", 1) + face->measure("b", 1));
    EXPECT_LT(face->measure("iiii", 4), face->measure("WWWW", 4));
    EXPECT_EQ(face->measure("", 0), 0);
    // Arial's digits all share one advance.
    EXPECT_EQ(face->measure("1", 1), face->measure("8", 1));
}

TEST(FontFaceTest, DrawsAntiAliasedTextAtTheBaseline) {
    platform::Surface surface(80, 40);
    std::fill(surface.pixels(), surface.pixels() + 80 * 40, 0xFFFFFFFFu);
    platform::DeviceContext dc(&surface);
    std::unique_ptr<FontFace> face(FontFace::open("Arial", 20));
    ASSERT_NE(face, nullptr);
    dc.selectFont(face.get());
    dc.setTextColor(0x000000);
    dc.setTransparentBackground(true);
    dc.setTextAlign(platform::TextAlign::BaselineLeft);
    dc.textOut(5, 25, "Hg\xE9", 3);  // é from Windows-1252
    int inked = 0, partial = 0, top = 40, bottom = 0, right = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            uint32_t p = surface.row(y)[x];
            if (p == 0xFFFFFFFFu) continue;
            ++inked;
            if ((p & 0xFF) != 0) ++partial;
            EXPECT_EQ(p >> 24, 0xFFu);
            EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);  // grey: black over white
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            right = std::max(right, x);
        }
    EXPECT_GT(inked, 40);
    EXPECT_GT(partial, 0);    // anti-aliased edges
    EXPECT_GE(top, 25 - 18);  // nothing above the ascent
    EXPECT_GT(bottom, 25);    // the g descends below the baseline
    EXPECT_LE(bottom, 25 + 4);
    EXPECT_LT(right, 5 + face->measure("Hg\xE9", 3) + 2);
}
