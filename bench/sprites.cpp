// Scene loading in lazy mode (only picture sizes are read) and the per-frame
// dirty collection and repaint of a screen full of sprites.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFile.h"
#include "platform/PngWriter.h"
#include "sprite/DataLoader.h"
#include "sprite/Sprite.h"
#include "util/Region.h"
#include "util/Vector.h"
#include "window/Graphics.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

namespace {

constexpr int kPictures = 200;
constexpr int kSpriteLines = 2000;

// A game directory with an archive of 200 pictures and a scene of 2000 sprite lines.
class SceneOnDisk {
public:
    SceneOnDisk() {
        char pattern[] = "/tmp/mentarium-bench-XXXXXX";
        dir_ = mkdtemp(pattern) ? pattern : "/tmp";
        auto* writer = new lang::ResourceArchiveWriter();
        std::vector<uint32_t> pixels(32 * 32, 0xFF4080C0u);
        std::string pngPath = dir_ + "/picture.png";
        platform::writePng(pngPath, pixels.data(), 32, 32);
        std::ifstream in(pngPath, std::ios::binary);
        std::vector<uint8_t> png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string scene = "<images>\r\n";
        for (int i = 0; i < kPictures; ++i) {
            writer->add("pic" + std::to_string(i), png);
            scene += "p" + std::to_string(i) + " +pic" + std::to_string(i) + "\r\n";
        }
        scene += "<sprites>\r\n";
        for (int i = 0; i < kSpriteLines; ++i)
            scene += "s" + std::to_string(i) + " Sprite p" + std::to_string(i % kPictures) + " " +
                     std::to_string(i % 500) + " " + std::to_string(i % 375) + "\r\n";
        scene += "<end>\r\n";
        writer->add("scene.dat", std::vector<uint8_t>(scene.begin(), scene.end()));
        writer->write(dir_ + "/Cogniquilt.bin");
        writer->release();
        lang::ResourceFile::open((dir_ + "/Cogniquilt.bin").c_str());
    }
    ~SceneOnDisk() {
        lang::ResourceFile::closeChain();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
};

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

static void BM_LoadSceneLazily(benchmark::State& state) {
    SceneOnDisk scene;
    bool wasImmediate = window::Image::decodeImmediately();
    window::Image::setDecodeImmediately(false);
    window::Image::beginSceneLoad();
    long before = peakKilobytes();
    for (auto _ : state) {
        auto* loader = new sprite::DataLoader(scene.dir().c_str(), nullptr, nullptr);
        if (!loader->load("+scene.dat") || loader->getSprites()->size() != kSpriteLines)
            state.SkipWithError("scene did not load");
        loader->release();
    }
    state.counters["peak_rss_kb"] = static_cast<double>(peakKilobytes());
    state.counters["peak_growth_kb"] = static_cast<double>(peakKilobytes() - before);
    window::Image::endSceneLoad();
    window::Image::setDecodeImmediately(wasImmediate);
}
BENCHMARK(BM_LoadSceneLazily)->Unit(benchmark::kMillisecond);

static void BM_CollectAndRepaintTenOfThreeHundred(benchmark::State& state) {
    constexpr int kSprites = 300, kMoving = 10;
    auto* frame = new window::Image(500, 375, 1, false);
    auto* picture = new window::Image(24, 24, 1, false);
    for (int i = 0; i < 24 * 24; ++i) picture->getPixels()[i] = 0xC0FF8040u;
    std::vector<sprite::Sprite*> sprites;
    for (int i = 0; i < kSprites; ++i) {
        auto* s = new sprite::Sprite();
        s->setImage(picture);
        s->setLocation((i * 37) % 476, (i * 53) % 351);
        s->collectDirty(0, nullptr, nullptr);
        sprites.push_back(s);
    }
    int tick = 0;
    for (auto _ : state) {
        ++tick;
        for (int i = 0; i < kMoving; ++i)
            sprites[(tick * kMoving + i) % kSprites]->translate(tick % 2 ? 3 : -3, 1 - tick % 3);
        util::RectangleNM total;
        util::Region region;
        for (sprite::Sprite* s : sprites) s->collectDirty(tick, &total, &region);
        window::Graphics* g = frame->getGraphics();
        g->setClip(&region);
        for (sprite::Sprite* s : sprites)
            if (s->isShown() && region.intersects(*s->getBounds())) s->paint(g);
        g->dispose();
        g->release();
        benchmark::DoNotOptimize(total.width);
    }
    for (sprite::Sprite* s : sprites) s->release();
    picture->release();
    frame->release();
}
BENCHMARK(BM_CollectAndRepaintTenOfThreeHundred)->Unit(benchmark::kMicrosecond);
