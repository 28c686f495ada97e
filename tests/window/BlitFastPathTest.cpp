// Every blit with its SIMD row loops on and off, on thousands of random cases:
// runs of clear, opaque and mixed pixels, clips, strides, row lengths 0..300 and
// factors 0..511. Both must leave the same pixels, to the bit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "window/FastPaths.h"
#include "window/PixelLoops.h"

using namespace window::pixels;

namespace {

constexpr int kCases = 4000;

struct BlitCase {
    int width = 0, height = 0, sourceStride = 0;  // the source
    int targetWidth = 0, targetHeight = 0, targetStride = 0;
    int x = 0, y = 0;
    platform::Rect clip;
    BlitFactors factors;
    bool destAlpha = false;
    std::vector<uint32_t> source, target;

    PixelSource pixelSource() const { return PixelSource{source.data(), width, height, sourceStride}; }
    std::string describe() const {
        std::ostringstream out;
        out << width << "x" << height << " (stride " << sourceStride << ") at " << x << "," << y << " on "
            << targetWidth << "x" << targetHeight << " (stride " << targetStride << "), clip " << clip.left << ","
            << clip.top << "-" << clip.right << "," << clip.bottom << ", factors " << factors.alpha << "/"
            << factors.red << "/" << factors.green << "/" << factors.blue << ", destination alpha " << destAlpha;
        return out.str();
    }
};

int between(std::mt19937& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

// Pixels in runs of 1..40: clear, opaque, alpha at the edges (1, 127, 128, 254) or random.
void fillRuns(std::mt19937& random, std::vector<uint32_t>& pixels) {
    static const uint32_t edges[] = {1, 127, 128, 254};
    for (size_t i = 0; i < pixels.size();) {
        int length = between(random, 1, 40), kind = between(random, 0, 4);
        for (int k = 0; k < length && i < pixels.size(); ++k, ++i) {
            uint32_t a = kind == 0 ? 0 : kind == 1 ? 255 : kind == 2 ? edges[random() % 4] : random() & 0xFF;
            pixels[i] = a << 24 | (random() & 0xFFFFFF);
        }
    }
}

// A factor: often the neutral 128, often one the four-lane loops take (0..256), else up to 511.
int randomFactor(std::mt19937& random) {
    switch (between(random, 0, 3)) {
    case 0: return 128;
    case 1: return between(random, 128, 256);
    case 2: return between(random, 0, 256);
    default: return between(random, 0, 511);
    }
}

BlitCase randomCase(std::mt19937& random, bool colour) {
    BlitCase c;
    c.width = between(random, 0, 300);
    c.height = between(random, 1, 3);
    c.sourceStride = c.width + between(random, 0, 5);
    c.targetWidth = between(random, 1, 320);
    c.targetHeight = between(random, 1, 4);
    c.targetStride = c.targetWidth + between(random, 0, 5);
    c.x = between(random, -40, c.targetWidth);
    c.y = between(random, -2, c.targetHeight);
    if (random() % 3 == 0) {
        c.clip = platform::Rect{0, 0, 1000, 1000};
    } else {
        int left = between(random, -10, c.targetWidth), top = between(random, -2, c.targetHeight);
        c.clip = platform::Rect{left, top, left + between(random, 0, 330), top + between(random, 0, 5)};
    }
    c.factors.alpha = randomFactor(random);
    if (colour) {
        c.factors.red = randomFactor(random);
        c.factors.green = randomFactor(random);
        c.factors.blue = randomFactor(random);
    }
    c.destAlpha = random() % 4 == 0;
    c.source.resize(static_cast<size_t>(c.sourceStride) * c.height);
    fillRuns(random, c.source);
    c.target.resize(static_cast<size_t>(c.targetStride) * c.targetHeight);
    fillRuns(random, c.target);
    return c;
}

// Puts the switches back as they were however a test ends.
struct FastPathsRestored {
    bool was = FastPaths::on();
    ~FastPathsRestored() {
        FastPaths::setOn(was);
        FastPaths::setAvx2(true);
    }
};

// The plain rules against the SSE2 rows and, where the processor has AVX2, the AVX2 twins.
template <class Blit>
void expectSameWithFastPathsOff(unsigned seed, bool colour, Blit&& blit) {
    FastPathsRestored restored;
    std::mt19937 random(seed);
    for (int i = 0; i < kCases; ++i) {
        BlitCase c = randomCase(random, colour);
        std::vector<uint32_t> plain(c.target);
        FastPaths::setOn(false);
        blit(PixelTarget{plain.data(), c.targetWidth, c.targetHeight, c.targetStride}, c);
        FastPaths::setOn(true);
        for (bool avx2 : {false, true}) {
            FastPaths::setAvx2(avx2);
            std::vector<uint32_t> fast(c.target);
            blit(PixelTarget{fast.data(), c.targetWidth, c.targetHeight, c.targetStride}, c);
            if (fast != plain) {
                auto at = std::mismatch(fast.begin(), fast.end(), plain.begin()).first - fast.begin();
                FAIL() << "case " << i << (FastPaths::avx2() ? " (AVX2)" : " (SSE2)") << ": " << c.describe()
                       << "; pixel " << at << " is " << std::hex << fast[at] << " fast, " << plain[at] << " plain";
            }
        }
    }
}

}  // namespace

TEST(BlitFastPathTest, NormalBlitWithoutColourFactors) {
    expectSameWithFastPathsOff(31, false, [](const PixelTarget& t, const BlitCase& c) {
        normalBlit(t, c.clip, c.pixelSource(), c.x, c.y, c.factors, c.destAlpha);
    });
}

TEST(BlitFastPathTest, NormalBlitWithColourFactors) {
    expectSameWithFastPathsOff(37, true, [](const PixelTarget& t, const BlitCase& c) {
        normalBlit(t, c.clip, c.pixelSource(), c.x, c.y, c.factors, c.destAlpha);
    });
}

TEST(BlitFastPathTest, AdditiveBlitWithAndWithoutColourFactors) {
    for (bool colour : {false, true}) {
        expectSameWithFastPathsOff(colour ? 41 : 43, colour, [](const PixelTarget& t, const BlitCase& c) {
            additiveBlit(t, c.clip, c.pixelSource(), c.x, c.y, c.factors, c.destAlpha);
        });
    }
}

// The opaque copy against the placement rule itself: inside the clip and the
// target, target (x + i, y + j) takes source (i, j); every other pixel stays.
TEST(BlitFastPathTest, OpaqueCopyPlacesEverySourcePixel) {
    std::mt19937 random(53);
    for (int i = 0; i < kCases; ++i) {
        BlitCase c = randomCase(random, false);
        std::vector<uint32_t> copied(c.target), expected(c.target);
        copyBlit(PixelTarget{copied.data(), c.targetWidth, c.targetHeight, c.targetStride}, c.clip, c.pixelSource(),
                 c.x, c.y);
        for (int ty = 0; ty < c.targetHeight; ++ty)
            for (int tx = 0; tx < c.targetWidth; ++tx) {
                int sx = tx - c.x, sy = ty - c.y;
                bool inClip = tx >= c.clip.left && tx < c.clip.right && ty >= c.clip.top && ty < c.clip.bottom;
                if (inClip && sx >= 0 && sx < c.width && sy >= 0 && sy < c.height)
                    expected[static_cast<size_t>(ty) * c.targetStride + tx] =
                        c.source[static_cast<size_t>(sy) * c.sourceStride + sx];
            }
        ASSERT_EQ(copied, expected) << "case " << i << ": " << c.describe();
    }
}

// On unless the environment held MENTARIUM_NO_SIMD=1 when the first blit ran
// (ctest runs this file once more with it set).
TEST(FastPathsTest, OffOnlyWhenTheEnvironmentSaysSo) {
    const char* off = std::getenv("MENTARIUM_NO_SIMD");
    EXPECT_EQ(FastPaths::on(), !(off && std::string(off) == "1"));
}

// MENTARIUM_NO_SIMD=1 turns the AVX2 twins off with the rest.
TEST(FastPathsTest, NoAvx2WhileTheFastPathsAreOff) {
    FastPathsRestored restored;
    FastPaths::setOn(false);
    EXPECT_FALSE(FastPaths::avx2());
}
