// The render thread's pass on a 500 x 375 canvas in a window: collect the dirty
// area of every root, repaint what meets it into the off-screen frame, copy
// that through the same region to the window, and let the window thread show
// it. Once for a screen where nothing changes, once for a still tree of a few
// hundred sprites in containers, and with 20, 100 and 300 sprites moving over
// a full-screen background.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <vector>

#include "platform/WindowSystem.h"
#include "sprite/FancyContainer.h"
#include "sprite/GameCanvas2.h"
#include "sprite/Sprite.h"
#include "window/Component.h"
#include "window/Graphics.h"
#include "window/Image.h"

namespace {

constexpr int kWidth = 500, kHeight = 375;
constexpr int kSpriteSize = 32;
constexpr int kSpritesPerContainer = 30;

window::Image* picture(int width, int height, uint32_t seed, bool translucentEdge) {
    auto* image = new window::Image(width, height, 1, false);
    uint32_t* pixels = image->getPixels();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t alpha = translucentEdge && (x == 0 || y == 0 || x == width - 1 || y == height - 1) ? 0x80u : 0xFFu;
            pixels[y * width + x] = alpha << 24 | ((x * 7 + seed) & 0xFF) << 16 | ((y * 5 + seed) & 0xFF) << 8 | seed;
        }
    return image;
}

// A canvas in a window of its own on the dummy video driver, with its roots:
// a full-screen background and some sprites. The canvas is not started, so
// this thread runs the passes the render thread would run.
class RenderRig {
public:
    // spriteCount roots over the background, and stillCount more sprites in
    // full-screen containers of kSpritesPerContainer each.
    explicit RenderRig(int spriteCount, int stillCount = 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        if (!platform::initWindowSystem()) return;
        platform::registerClass(kClass, &platform::defWindowProc);
        platform::WindowCreate request;
        request.className = kClass;
        request.style = platform::style::Popup | platform::style::Visible;
        request.width = kWidth;
        request.height = kHeight;
        window_ = platform::createWindow(request);
        window::Component::setGameWindow(window_);

        canvas_ = new sprite::GameCanvas2();
        canvas_->create(nullptr, util::RectangleNM(0, 0, kWidth, kHeight));  // draws in the game window
        window::Image* backdrop = picture(kWidth, kHeight, 40, false);
        addRoot(backdrop, 0, 0);
        backdrop->release();
        window::Image* ball = picture(kSpriteSize, kSpriteSize, 200, true);
        for (int i = 0; i < spriteCount; ++i)
            sprites_.push_back(addRoot(ball, (i * 97) % (kWidth - kSpriteSize), (i * 61) % (kHeight - kSpriteSize)));
        addStillTree(ball, stillCount);
        ball->release();

        // The first window paint makes the window's graphics and the off-screen frame.
        window::Graphics* g = canvas_->getGraphics();
        static_cast<window::Component*>(canvas_)->update(g);
        g->dispose();
        g->release();
        canvas_->repaint(static_cast<const util::RectangleNM*>(nullptr));
        pass();
        int w = 0, h = 0;
        first_ = platform::readWindowPixels(window_, &w, &h);
    }
    ~RenderRig() {
        if (canvas_) {
            canvas_->destroy();
            canvas_->release();
        }
        window::Component::setGameWindow(nullptr);
        if (window_) platform::destroyWindow(window_);
        platform::pumpMessages(0);
    }
    // Pixels the window shows differently from when it was made ready.
    int changedPixels() const {
        int w = 0, h = 0, changed = 0;
        std::vector<uint32_t> now = platform::readWindowPixels(window_, &w, &h);
        for (size_t i = 0; i < now.size() && i < first_.size(); ++i) changed += now[i] != first_[i];
        return changed;
    }
    bool ready() const { return window_ != nullptr && canvas_ != nullptr && canvas_->getFrameImage() != nullptr; }

    // One tick: every sprite moves a few pixels, bouncing off the edges.
    void move(int tick) {
        for (size_t i = 0; i < sprites_.size(); ++i) {
            sprite::Sprite* s = sprites_[i];
            int dx = (tick / 40 + static_cast<int>(i)) % 2 ? 3 : -3;
            int dy = (tick / 25 + static_cast<int>(i)) % 2 ? 2 : -2;
            s->translate(dx, dy);
        }
    }
    // What the render thread does in one tick, then the window thread's showing.
    void pass() {
        canvas_->lock();
        canvas_->update();
        canvas_->renderStep();
        canvas_->unlock();
        platform::pumpMessages(0);
    }

private:
    static sprite::Sprite* makeSprite(window::Image* image, int x, int y) {
        auto* s = new sprite::Sprite();
        s->setImage(image);
        s->setLocation(x, y);
        s->setVisible(true);
        return s;
    }
    sprite::Sprite* addRoot(window::Image* image, int x, int y) {
        sprite::Sprite* s = makeSprite(image, x, y);
        canvas_->addRoot(s);
        s->release();
        return s;
    }
    void addStillTree(window::Image* image, int count) {
        for (int first = 0; first < count; first += kSpritesPerContainer) {
            auto* container = new sprite::FancyContainer(kWidth, kHeight);
            for (int i = first; i < count && i < first + kSpritesPerContainer; ++i) {
                sprite::Sprite* s =
                    makeSprite(image, (i * 89) % (kWidth - kSpriteSize), (i * 53) % (kHeight - kSpriteSize));
                container->add(s);
                s->release();
            }
            canvas_->addRoot(container);
            container->release();
        }
    }

    static constexpr const char* kClass = "BenchRenderWindow";
    platform::WindowHandle window_ = nullptr;
    sprite::GameCanvas2* canvas_ = nullptr;
    std::vector<sprite::Sprite*> sprites_;
    std::vector<uint32_t> first_;
};

}  // namespace

static void BM_RenderPassIdleScreen(benchmark::State& state) {
    RenderRig rig(20);
    if (!rig.ready()) {
        state.SkipWithError("no window");
        return;
    }
    for (auto _ : state) rig.pass();
    state.counters["changed_pixels"] = rig.changedPixels();
}
BENCHMARK(BM_RenderPassIdleScreen)->Unit(benchmark::kMicrosecond);

// A tree of n still sprites in containers: a pass in which nothing changed
// should not cost in proportion to the tree.
static void BM_RenderPassNothingChanged(benchmark::State& state) {
    RenderRig rig(0, static_cast<int>(state.range(0)));
    if (!rig.ready()) {
        state.SkipWithError("no window");
        return;
    }
    for (auto _ : state) rig.pass();
    state.counters["changed_pixels"] = rig.changedPixels();
}
BENCHMARK(BM_RenderPassNothingChanged)->Arg(300)->Unit(benchmark::kMicrosecond);

// n sprites moving over the background: the region of a pass and the sprites
// drawn through it should cost about linearly in n.
static void BM_RenderPassMovingSprites(benchmark::State& state) {
    RenderRig rig(static_cast<int>(state.range(0)));
    if (!rig.ready()) {
        state.SkipWithError("no window");
        return;
    }
    int tick = 0;
    auto began = std::chrono::steady_clock::now();
    for (auto _ : state) {
        rig.move(++tick);
        rig.pass();
    }
    // The render thread has 40 ms a tick; this is the share of it one pass takes.
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    state.counters["share_of_40ms_tick_percent"] = seconds / static_cast<double>(state.iterations()) / 0.040 * 100.0;
    state.counters["changed_pixels"] = rig.changedPixels();
}
BENCHMARK(BM_RenderPassMovingSprites)->Arg(20)->Arg(100)->Arg(300)->Unit(benchmark::kMicrosecond);
