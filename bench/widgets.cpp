// Per-frame costs of the animated widgets: scaling a picture while a zoom runs
// (nearest) and once it rests (area average), rotating, and drawing a number.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "sprite/BitmapScaler.h"
#include "sprite/NumberSprite.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

namespace {

window::Image* patterned(int w, int h) {
    auto* image = new window::Image(w, h, 1, false);
    uint32_t* pixels = image->getPixels();
    for (int i = 0; i < w * h; ++i) pixels[i] = 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8);
    return image;
}

void BM_ScalePicture(benchmark::State& state) {
    window::Image* source = patterned(200, 200);
    auto* scaler = new sprite::BitmapScaler(source);
    int quality = static_cast<int>(state.range(0));
    for (auto _ : state) {
        window::Image* made = scaler->scale(160, 160, quality);
        benchmark::DoNotOptimize(made->getPixels());
        made->release();
    }
    state.SetItemsProcessed(state.iterations() * 160 * 160);
    scaler->release();
    source->release();
}
BENCHMARK(BM_ScalePicture)->Arg(0)->Arg(1);

void BM_RotatePicture(benchmark::State& state) {
    window::Image* source = patterned(120, 120);
    auto* scaler = new sprite::BitmapScaler(source);
    int quality = static_cast<int>(state.range(0));
    for (auto _ : state) {
        window::Image* made = scaler->rotate(0.5, 1.2, quality);
        benchmark::DoNotOptimize(made->getPixels());
        made->release();
    }
    scaler->release();
    source->release();
}
BENCHMARK(BM_RotatePicture)->Arg(0)->Arg(1);

void BM_PaintNumber(benchmark::State& state) {
    window::Image* strip = patterned(15 * 16, 20);
    auto* number = new sprite::NumberSprite();
    auto* pictures = new lang::ObjectArray(1);
    (*pictures)[0] = strip;
    auto* numbers = new lang::IntArray(4);
    (*numbers)[3] = 1234567;
    number->init(pictures, numbers);
    number->collectDirty(0, nullptr, nullptr);
    window::Image* canvas = patterned(500, 40);
    window::GraphicsI* g = canvas->getGraphics();
    for (auto _ : state) number->paint(g);
    g->dispose();
    g->release();
    canvas->release();
    numbers->release();
    pictures->release();
    number->release();
    strip->release();
}
BENCHMARK(BM_PaintNumber);

}  // namespace
