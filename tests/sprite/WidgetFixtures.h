#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "sprite/LineGraphSprite.h"
#include "sprite/Sprite.h"
#include "support/TempDir.h"
#include "window/Event.h"
#include "window/GraphicsI.h"
#include "window/Image.h"
#include "window/Receiver.h"

namespace widget_test {

// Numbers as the scene loader hands them to init.
inline lang::IntArray* numbersOf(std::initializer_list<int> values) {
    auto* array = new lang::IntArray(static_cast<int>(values.size()));
    int i = 0;
    for (int v : values) (*array)[i++] = v;
    return array;
}

// Calls init with the pictures and numbers given, releasing the arrays.
inline bool initWith(sprite::Sprite* s, std::initializer_list<window::Image*> pictures,
                     std::initializer_list<int> numbers) {
    auto* pics = new lang::ObjectArray(static_cast<int>(pictures.size()));
    int i = 0;
    for (window::Image* p : pictures) (*pics)[i++] = p;
    lang::IntArray* nums = numbersOf(numbers);
    bool answer = s->init(pics, nums);
    pics->release();
    nums->release();
    return answer;
}

// A picture whose pixels are given by colourAt(x, y).
template <typename ColourAt>
window::Image* pictureOf(int w, int h, ColourAt colourAt) {
    auto* image = new window::Image(w, h, 1, false);
    uint32_t* pixels = image->getPixels();
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) pixels[yy * w + xx] = colourAt(xx, yy);
    return image;
}

// Paints the sprite (after one collection, so it is shown) into a cleared
// picture of the given size.
inline window::Image* renderSprite(sprite::Sprite* s, int w, int h, uint32_t clear = 0xFFFFFFFFu) {
    window::Image* canvas = pictureOf(w, h, [clear](int, int) { return clear; });
    window::GraphicsI* g = canvas->getGraphics();
    s->paint(g);
    g->dispose();
    g->release();
    return canvas;
}

inline uint32_t pixelAt(window::Image* image, int px, int py) {
    return image->getPixels()[py * (image->getBytesPerRow() / 4) + px];
}

// The first and last columns where rows [fromRow, toRow) differ from white, or -1.
inline std::pair<int, int> inkColumns(window::Image* out, int fromRow = 0, int toRow = -1) {
    if (toRow < 0) toRow = out->getHeight();
    int first = -1, last = -1;
    for (int px = 0; px < out->getWidth(); ++px)
        for (int py = fromRow; py < toRow; ++py)
            if (pixelAt(out, px, py) != 0xFFFFFFFFu) {
                if (first < 0) first = px;
                last = px;
                break;
            }
    return {first, last};
}

// A graph with the settings the game gives its score histories.
inline sprite::LineGraphSprite* gameStyleGraph(int w, int h, uint32_t fill) {
    auto* g = new sprite::LineGraphSprite(w, h);
    g->setGraphBackground(0x00FEFEFEu);
    g->setValueDigits(2);
    g->setGridColor(0xFFFFFFu);
    g->setMostXDivisions(10);
    g->setMostYDivisions(4);
    g->setXTickLength(12);
    g->setYTickLength(12);
    g->setInset(5);
    g->setLineColors(0x707070u, 0x008EEFu, 0x000000u);
    g->setLineWidth(5);
    g->setHeadroom(10);
    g->setFillColor(fill);
    return g;
}

// Counts the end notifications a sprite sends and keeps the last one's parts.
class CountingReceiver : public window::Receiver {
public:
    bool handleEvent(window::Event* event) override {
        ++count;
        lastKind = event->kind;
        lastSource = event->getSource();
        lastArgument = event->getArgument();
        return true;
    }
    int count = 0;
    int lastKind = 0;
    lang::Object* lastSource = nullptr;
    lang::Object* lastArgument = nullptr;
};

inline std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline window::Image* loadPicture(const std::string& path) {
    std::vector<uint8_t> bytes = readFile(path);
    if (bytes.empty()) return nullptr;
    return new window::Image(bytes.data(), static_cast<int>(bytes.size()));
}

// A bitmap font made by our generator from Liberation Sans, once per process.
class GeneratedFont {
public:
    static GeneratedFont& get() {
        static GeneratedFont font;
        return font;
    }
    bool ok() const { return sheet != nullptr && metrics != nullptr; }
    window::Image* sheet = nullptr;  // shared by all tests; never released
    window::Image* metrics = nullptr;
    static constexpr int Size = 16;

private:
    GeneratedFont() {
        const char* fontFile = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
        std::string tool = std::string(MENTARIUM_BINARY_DIR) + "/tools/fontgen";
        std::string cmd = tool + " --font-file '" + fontFile + "' --size " + std::to_string(Size) +
                          " --color 000000 --sheet '" + dir_.file("sheet.png") + "' --metrics '" +
                          dir_.file("metrics.png") + "' >/dev/null 2>&1";
        if (std::system(cmd.c_str()) != 0) return;
        sheet = loadPicture(dir_.file("sheet.png"));
        metrics = loadPicture(dir_.file("metrics.png"));
    }
    testsupport::TempDir dir_;
};

// Compares a picture with the stored reference of that name, pixel for pixel;
// MENTARIUM_REGENERATE_GOLDEN=1 writes the reference instead.
void expectMatchesGolden(window::Image* picture, const std::string& name);

}  // namespace widget_test
