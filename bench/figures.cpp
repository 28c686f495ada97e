// Pictures painted at run time from figures: a turn of Shadow Shift paints a
// shadow and up to eight cards while the next turn is dealt.
#include <benchmark/benchmark.h>

#include "game/minigames/FigureCanvas.h"
#include "game/minigames/Polyomino.h"
#include "util/Random.h"
#include "window/Image.h"

namespace {

void BM_PaintFigureCard(benchmark::State& state) {
    util::Random random(3);
    const Polyomino figure = Polyomino::grow(random, static_cast<int>(state.range(0)));
    const int card = 90;
    for (auto _ : state) {
        FigureCanvas picture(card + 3, card + 3);
        picture.card(0, 0, card, card, card / 5, FigureCanvas::Cream);
        picture.figure(figure, {card / 2.0, card / 2.0, 12, 30}, 0x3E7CB1, true);
        window::Image* image = picture.picture();
        benchmark::DoNotOptimize(image->getPixels());
        image->release();
    }
}
BENCHMARK(BM_PaintFigureCard)->Arg(4)->Arg(7)->Unit(benchmark::kMillisecond);

}  // namespace
