// Image blits onto a 500x375 frame: a 128x128 sprite with per-pixel alpha (a
// disc: opaque inside, clear outside, a soft rim), drawn through GraphicsI, and
// pixman's OVER, ADD and SRC on the same pixels for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#if MENTARIUM_WITH_PIXMAN
#include <pixman.h>
#endif

#include "window/FancyHelper.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

namespace {

constexpr int kFrameW = 500, kFrameH = 375, kSprite = 128;
constexpr int kX = 181, kY = 117;

uint32_t spritePixel(int x, int y) {
    double d = std::hypot(x - 63.5, y - 63.5);
    int a = d < 56 ? 255 : d > 64 ? 0 : static_cast<int>((64 - d) * 255 / 8);
    uint32_t rgb = static_cast<uint32_t>((x * 2) << 16 | (y * 2) << 8 | ((x + y) & 0xFF));
    return static_cast<uint32_t>(a) << 24 | rgb;
}

uint32_t framePixel(int x, int y) { return 0xFF000000u | static_cast<uint32_t>((x * 7 + y * 3) & 0xFFFFFF); }

window::Image* makeSprite(bool alpha) {
    auto* image = new window::Image(kSprite, kSprite, 1, false);
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x)
            image->getPixels()[y * kSprite + x] = spritePixel(x, y) | (alpha ? 0 : 0xFF000000u);
    if (alpha) {
        image->setHasAlpha(true);
    } else {
        image->makeBitmap();
    }
    return image;
}

window::Image* makeFrame(bool bitmap) {
    auto* image = new window::Image(kFrameW, kFrameH, 1, false);
    for (int y = 0; y < kFrameH; ++y)
        for (int x = 0; x < kFrameW; ++x) image->getPixels()[y * kFrameW + x] = framePixel(x, y);
    if (bitmap) image->makeBitmap();
    return image;
}

void ours(benchmark::State& state, bool alpha, int mode, int red, int green, int blue) {
    window::Image* frame = makeFrame(!alpha);
    window::Image* sprite = makeSprite(alpha);
    window::GraphicsI* g = frame->getGraphics();
    g->setDrawMode(mode);
    g->getFancyHelper()->setFactors(128, red, green, blue);
    for (auto _ : state) {
        g->drawImage(sprite, kX, kY);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprite * kSprite);
    g->release();
    sprite->release();
    frame->release();
}

void BM_NormalBlit(benchmark::State& state) { ours(state, true, 0, 128, 128, 128); }
void BM_NormalBlitColorFactors(benchmark::State& state) { ours(state, true, 0, 200, 100, 64); }
void BM_AdditiveBlit(benchmark::State& state) { ours(state, true, 1, 128, 128, 128); }
void BM_OpaqueCopy(benchmark::State& state) { ours(state, false, 0, 128, 128, 128); }

BENCHMARK(BM_NormalBlit);
BENCHMARK(BM_NormalBlitColorFactors);
BENCHMARK(BM_AdditiveBlit);
BENCHMARK(BM_OpaqueCopy);

#if MENTARIUM_WITH_PIXMAN

// pixman composites premultiplied pixels: the sprite is premultiplied once, outside the timing.
void theirs(benchmark::State& state, pixman_op_t op) {
    std::vector<uint32_t> frame(kFrameW * kFrameH), sprite(kSprite * kSprite);
    for (int y = 0; y < kFrameH; ++y)
        for (int x = 0; x < kFrameW; ++x) frame[y * kFrameW + x] = framePixel(x, y);
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x) {
            uint32_t p = spritePixel(x, y), a = p >> 24;
            if (op == PIXMAN_OP_SRC) {
                p |= 0xFF000000u;
                a = 255;
            }
            uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255, b = (p & 0xFF) * a / 255;
            sprite[y * kSprite + x] = a << 24 | r << 16 | g << 8 | b;
        }
    pixman_image_t* dst = pixman_image_create_bits(PIXMAN_a8r8g8b8, kFrameW, kFrameH, frame.data(), kFrameW * 4);
    pixman_image_t* src = pixman_image_create_bits(PIXMAN_a8r8g8b8, kSprite, kSprite, sprite.data(), kSprite * 4);
    for (auto _ : state) {
        pixman_image_composite32(op, src, nullptr, dst, 0, 0, 0, 0, kX, kY, kSprite, kSprite);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kSprite * kSprite);
    pixman_image_unref(src);
    pixman_image_unref(dst);
}

void BM_PixmanOver(benchmark::State& state) { theirs(state, PIXMAN_OP_OVER); }
void BM_PixmanAdd(benchmark::State& state) { theirs(state, PIXMAN_OP_ADD); }
void BM_PixmanSrc(benchmark::State& state) { theirs(state, PIXMAN_OP_SRC); }

BENCHMARK(BM_PixmanOver);
BENCHMARK(BM_PixmanAdd);
BENCHMARK(BM_PixmanSrc);

#endif

}  // namespace
