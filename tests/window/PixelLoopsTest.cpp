#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "window/PixelLoops.h"

using namespace window::pixels;

namespace {

// A small pixel surface and a one-pixel source for hand-computed blends.
struct Canvas {
    Canvas(int w, int h, uint32_t fill) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    PixelTarget target() { return PixelTarget{pixels.data(), width, height, width}; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int width, height;
    std::vector<uint32_t> pixels;
};

const platform::Rect kEverywhere{0, 0, 1000, 1000};

uint32_t blendOne(uint32_t dst, uint32_t src, BlitFactors f = {}, bool destAlpha = false, bool additive = false) {
    Canvas c(1, 1, dst);
    PixelSource s{&src, 1, 1, 1};
    if (additive) {
        additiveBlit(c.target(), kEverywhere, s, 0, 0, f, destAlpha);
    } else {
        normalBlit(c.target(), kEverywhere, s, 0, 0, f, destAlpha);
    }
    return c.at(0, 0);
}

BlitFactors factors(int alpha, int red, int green, int blue) { return BlitFactors{alpha, red, green, blue}; }

}  // namespace

TEST(NormalBlitTest, ClearSourceLeavesTargetAndOpaqueReplacesIt) {
    EXPECT_EQ(blendOne(0xFF123456, 0x00FFFFFF), 0xFF123456u);
    EXPECT_EQ(blendOne(0xFF123456, 0xFFABCDEF), 0xFFABCDEFu);
    EXPECT_EQ(blendOne(0x00000000, 0x00FFFFFF, {}, true), 0x00000000u);
    EXPECT_EQ(blendOne(0xFF123456, 0x00FFFFFF, factors(200, 50, 300, 128)), 0xFF123456u);
}

TEST(NormalBlitTest, PlainHalfAlphaBlendsAllFourBytesWithFloorRounding) {
    // Weight 128 >> 1 = 64: blue 255 + ((0 - 255) * 64 >> 7) = 127, alpha 255 + (-127 * 64 >> 7) = 191.
    EXPECT_EQ(blendOne(0xFF0000FF, 0x80FF0000), 0xBF7F007Fu);
    EXPECT_EQ(blendPlain(0xFF0000FF, 0x80FF0000), 0xBF7F007Fu);
    // Alpha 1 has weight 0: nothing changes.
    EXPECT_EQ(blendOne(0xFF204060, 0x01FFFFFF), 0xFF204060u);
}

TEST(NormalBlitTest, FourLaneRowsMatchThePixelRule) {
    std::mt19937 random(7);
    const int n = 37;  // not a multiple of four: the tail runs too
    std::vector<uint32_t> src(n * 3), dst(n * 3);
    for (int i = 0; i < n * 3; ++i) {
        uint32_t a = (i % 5 == 0) ? 0 : (i % 7 == 0) ? 255 : random() & 0xFF;
        src[i] = a << 24 | (random() & 0xFFFFFF);
        dst[i] = random();
    }
    // Runs of all-clear and all-opaque pixels take the shortcuts.
    for (int i = 0; i < 8; ++i) src[n + i] = 0x00FFFFFF;
    for (int i = 8; i < 16; ++i) src[n + i] = 0xFF000000 | static_cast<uint32_t>(i);
    std::vector<uint32_t> expected(dst);
    for (int i = 0; i < n * 3; ++i) expected[i] = blendPlain(dst[i], src[i]);
    normalBlit(PixelTarget{dst.data(), n, 3, n}, kEverywhere, PixelSource{src.data(), n, 3, n}, 0, 0, {}, false);
    EXPECT_EQ(dst, expected);
}

TEST(NormalBlitTest, AlphaFactorScalesSourceAlpha) {
    // 64 halves alpha 255 to 127: green 0 + (255 * 127 >> 8) = 126; the target's alpha stays.
    EXPECT_EQ(blendOne(0x80000000, 0xFF00FF00, factors(64, 128, 128, 128)), 0x80007E00u);
    // 256 makes alpha 128 opaque, alpha 127 not.
    EXPECT_EQ(blendOne(0xFF000000, 0x80102030, factors(256, 128, 128, 128)), 0x80102030u);
    EXPECT_EQ(blendOne(0xFF000000, 0x7FFF0000, factors(256, 128, 128, 128)), 0xFFFD0000u);
    // Factor 0 draws nothing, even opaque pixels.
    EXPECT_EQ(blendOne(0xFF000000, 0xFFFFFFFF, factors(0, 128, 128, 128)), 0xFF000000u);
}

TEST(NormalBlitTest, ColourFactorsScaleTheSource) {
    // Opaque: each channel times its factor, clamped; alpha 255.
    EXPECT_EQ(blendOne(0x00000000, 0xFF808080, factors(128, 256, 128, 64)), 0xFFFF8040u);
    EXPECT_EQ(blendOne(0x00000000, 0xFFC8C8C8, factors(128, 256, 128, 128)), 0xFFFFC8C8u);
    // Half alpha, red factor 64: c' = 127, 0 + (127 * 128 >> 8) = 63; alpha becomes 255.
    EXPECT_EQ(blendOne(0x40000000, 0x80FF0000, factors(128, 64, 128, 128)), 0xFF3F0000u);
    // The unclamped c' (255 * 256 >> 7 = 510) blends, then clamps: 100 + (410 * 200 >> 8) = 420 -> 255.
    EXPECT_EQ(blendOne(0xFF640000, 0x64FF0000, factors(256, 256, 128, 128)), 0xFFFF0000u);
}

TEST(NormalBlitTest, DestinationAlphaComposites) {
    // A clear target takes the source as it is, colour factors or not.
    EXPECT_EQ(blendOne(0x00FFFFFF, 0x40123456, {}, true), 0x40123456u);
    EXPECT_EQ(blendOne(0x00FFFFFF, 0x40123456, factors(64, 256, 10, 10), true), 0x40123456u);
    // Opaque target: D + ((S - D) * a >> 8), alpha 255.
    EXPECT_EQ(blendOne(0xFF0000FF, 0x80FF0000, {}, true), 0xFF7F007Fu);
    // Half-clear target: o = 127 * 128 / 255 + 128 = 191, w = 128 * 255 / 191 = 170.
    EXPECT_EQ(blendOne(0x800000FF, 0x80FF0000, {}, true), 0xBFAA0055u);
    // Colour factors with a target: the factor applies to the blended value.
    // red: (0 + (200 * 128 >> 8)) * 256 >> 7 = 200; blue: (100 + (-100 * 128 >> 8)) * 64 >> 7 = 25.
    EXPECT_EQ(blendOne(0x80000064, 0x80C80000, factors(128, 256, 128, 64), true), 0xFFC80019u);
}

TEST(AdditiveBlitTest, AddsAndSaturates) {
    EXPECT_EQ(blendOne(0xFF102030, 0x00FFFFFF, {}, false, true), 0xFF102030u);
    EXPECT_EQ(blendOne(0x00F0F0F0, 0xFF202020, {}, false, true), 0xFFFFFFFFu);
    EXPECT_EQ(blendOne(0xFF102030, 0xFF010203, {}, false, true), 0xFF112233u);
    // Half alpha adds half: 0x40 * 128 >> 8 = 0x20.
    EXPECT_EQ(blendOne(0xFF101010, 0x80404040, {}, false, true), 0xFF303030u);
    // Colour factors: opaque adds the scaled source; partial scales the weighted source.
    EXPECT_EQ(blendOne(0xFF000000, 0xFF808080, factors(128, 256, 128, 64), false, true), 0xFFFF8040u);
    EXPECT_EQ(blendOne(0xFF000000, 0x80808080, factors(128, 256, 128, 64), false, true), 0xFF804020u);
    // A clear target with destination alpha takes the source unchanged.
    EXPECT_EQ(blendOne(0x00FFFFFF, 0x80404040, {}, true, true), 0x80404040u);
    EXPECT_EQ(blendOne(0xFF000000, 0xFFFFFFFF, factors(0, 128, 128, 128), false, true), 0xFF000000u);
}

TEST(BlitPlacementTest, PartlyOffTheSurfaceUsesTheRightSourceOffsets) {
    std::vector<uint32_t> src(16);
    for (int i = 0; i < 16; ++i) src[i] = 0xFF000000u | static_cast<uint32_t>(i);  // pixel (x, y) holds y * 4 + x
    PixelSource source{src.data(), 4, 4, 4};
    Canvas topLeft(4, 4, 0xFFAAAAAA);
    normalBlit(topLeft.target(), kEverywhere, source, -2, -1, {}, false);
    EXPECT_EQ(topLeft.at(0, 0), 0xFF000006u);  // source (2, 1)
    EXPECT_EQ(topLeft.at(1, 2), 0xFF00000Fu);  // source (3, 3)
    EXPECT_EQ(topLeft.at(2, 0), 0xFFAAAAAAu);
    EXPECT_EQ(topLeft.at(0, 3), 0xFFAAAAAAu);

    Canvas bottomRight(4, 4, 0xFFAAAAAA);
    additiveBlit(bottomRight.target(), kEverywhere, source, 2, 3, {}, false);
    EXPECT_EQ(bottomRight.at(2, 3), 0xFFAAAAAAu);  // source (0, 0) is 0 added
    EXPECT_EQ(bottomRight.at(3, 3), 0xFFAAAAABu);  // source (1, 0)
    EXPECT_EQ(bottomRight.at(1, 3), 0xFFAAAAAAu);
    EXPECT_EQ(bottomRight.at(3, 2), 0xFFAAAAAAu);

    // The clip cuts too; a negative clip origin counts as 0.
    Canvas clipped(4, 4, 0xFFAAAAAA);
    copyBlit(clipped.target(), platform::Rect{-5, -5, 2, 1}, source, -1, 0);
    EXPECT_EQ(clipped.at(0, 0), 0xFF000001u);
    EXPECT_EQ(clipped.at(1, 0), 0xFF000002u);
    EXPECT_EQ(clipped.at(2, 0), 0xFFAAAAAAu);
    EXPECT_EQ(clipped.at(0, 1), 0xFFAAAAAAu);

    // Entirely outside: nothing.
    Canvas outside(4, 4, 0xFFAAAAAA);
    normalBlit(outside.target(), kEverywhere, source, 4, 0, {}, false);
    normalBlit(outside.target(), kEverywhere, source, -4, -4, {}, false);
    EXPECT_EQ(outside.pixels, std::vector<uint32_t>(16, 0xFFAAAAAA));
}

TEST(ShadowBlitTest, DarkensUnderTheSilhouette) {
    uint32_t src[2] = {0xFF000000, 0x00FFFFFF};
    PixelSource source{src, 2, 1, 2};
    Canvas c(2, 1, 0x00C8C8C8);
    // s = 255 * 128 >> 8 = 127: 200 - (200 * 127 >> 8) = 101.
    shadowBlit(c.target(), kEverywhere, source, 0, 0, 128);
    EXPECT_EQ(c.at(0, 0), 0xFF656565u);
    EXPECT_EQ(c.at(1, 0), 0x00C8C8C8u);
    Canvas none(2, 1, 0x00C8C8C8);
    shadowBlit(none.target(), kEverywhere, source, 0, 0, 0);
    EXPECT_EQ(none.at(0, 0), 0x00C8C8C8u);
}

TEST(PixelFillTest, OpaqueAndBlendedFillsStayInsideClip) {
    Canvas c(4, 4, 0x80000000);
    fillOpaque(c.target(), platform::Rect{1, 1, 3, 10}, platform::Rect{0, 0, 4, 2}, 0xFF112233);
    EXPECT_EQ(c.at(1, 1), 0xFF112233u);
    EXPECT_EQ(c.at(2, 1), 0xFF112233u);
    EXPECT_EQ(c.at(0, 1), 0x80000000u);
    EXPECT_EQ(c.at(1, 0), 0x80000000u);
    EXPECT_EQ(c.at(1, 2), 0x80000000u);

    Canvas b(2, 1, 0x80000000);
    fillBlended(b.target(), kEverywhere, platform::Rect{0, 0, 1, 1}, 0x80FF0000);
    EXPECT_EQ(b.at(0, 0), 0x807F0000u);  // 0 + (255 * 128 >> 8); the alpha byte stays
    EXPECT_EQ(b.at(1, 0), 0x80000000u);
    fillBlended(b.target(), kEverywhere, platform::Rect{0, 0, 2, 1}, 0x00FFFFFF);
    EXPECT_EQ(b.at(1, 0), 0x80000000u);
}

// Wide rows run four pixels at a time; a one-pixel source takes the per-pixel
// rules. Both must agree for every setting, random pixels included.
TEST(BlitLanesTest, WideRowsMatchOnePixelAtATime) {
    std::mt19937 random(11);
    const int n = 23;
    const BlitFactors settings[] = {factors(128, 200, 100, 64),  factors(64, 128, 128, 128),
                                    factors(256, 256, 0, 128),   factors(100, 128, 128, 128),
                                    factors(128, 128, 128, 128), factors(300, 90, 128, 128)};
    for (const BlitFactors& f : settings) {
        for (bool additive : {false, true}) {
            for (bool destAlpha : {false, true}) {
                std::vector<uint32_t> src(n), dst(n);
                for (int i = 0; i < n; ++i) {
                    uint32_t a = (i % 6 == 0) ? 0 : (i % 6 == 1) ? 255 : random() & 0xFF;
                    src[i] = a << 24 | (random() & 0xFFFFFF);
                    dst[i] = (i % 5 == 0 ? 0u : random() & 0xFF000000u) | (random() & 0xFFFFFF);
                }
                std::vector<uint32_t> expected(n);
                for (int i = 0; i < n; ++i) expected[i] = blendOne(dst[i], src[i], f, destAlpha, additive);
                PixelTarget target{dst.data(), n, 1, n};
                PixelSource source{src.data(), n, 1, n};
                if (additive) {
                    additiveBlit(target, kEverywhere, source, 0, 0, f, destAlpha);
                } else {
                    normalBlit(target, kEverywhere, source, 0, 0, f, destAlpha);
                }
                EXPECT_EQ(dst, expected) << "alpha " << f.alpha << " red " << f.red << " additive " << additive
                                         << " destination alpha " << destAlpha;
            }
        }
    }
}

// Whole random pictures through the row loops, with runs of clear and opaque
// pixels long enough for the shortcuts, against the per-pixel rules (a
// one-pixel source never takes a fast path): exact to the bit.
TEST(BlitLanesTest, RandomPicturesWithRunsMatchThePerPixelRules) {
    std::mt19937 random(23);
    const int w = 67, h = 9;
    const BlitFactors settings[] = {factors(128, 128, 128, 128), factors(128, 200, 100, 64),
                                    factors(200, 128, 128, 128), factors(90, 255, 3, 128),
                                    factors(256, 256, 256, 0),   factors(127, 128, 140, 128)};
    for (int trial = 0; trial < 4; ++trial) {
        std::vector<uint32_t> src(w * h), dst(w * h);
        for (int i = 0; i < w * h;) {
            // A run of 1 to 20 pixels: clear, opaque or of random alpha.
            int length = 1 + static_cast<int>(random() % 20), kind = static_cast<int>(random() % 3);
            for (int k = 0; k < length && i < w * h; ++k, ++i) {
                uint32_t a = kind == 0 ? 0 : kind == 1 ? 255 : random() & 0xFF;
                src[i] = a << 24 | (random() & 0xFFFFFF);
                dst[i] = 0xFF000000u | (random() & 0xFFFFFF);
            }
        }
        for (const BlitFactors& f : settings)
            for (bool additive : {false, true}) {
                std::vector<uint32_t> fast(dst), expected(w * h);
                for (int i = 0; i < w * h; ++i) expected[i] = blendOne(dst[i], src[i], f, false, additive);
                PixelTarget target{fast.data(), w, h, w};
                PixelSource source{src.data(), w, h, w};
                if (additive) additiveBlit(target, kEverywhere, source, 0, 0, f, false);
                else
                    normalBlit(target, kEverywhere, source, 0, 0, f, false);
                EXPECT_EQ(fast, expected)
                    << "trial " << trial << " alpha " << f.alpha << " red " << f.red << " additive " << additive;
            }
    }
}
