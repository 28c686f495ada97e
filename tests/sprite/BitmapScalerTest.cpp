#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "sprite/BitmapScaler.h"
#include "window/Image.h"

namespace {

using sprite::BitmapScaler;

// Holds the creator's reference for the scope.
template <typename T>
struct Held {
    explicit Held(T* p) : object(p) {}
    ~Held() {
        if (object) object->release();
    }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    T* operator->() const { return object; }
    T* get() const { return object; }
    T* object;
};

template <typename ColourAt>
window::Image* pictureOf(int w, int h, ColourAt colourAt) {
    auto* image = new window::Image(w, h, 1, false);
    uint32_t* pixels = image->getPixels();
    for (int yy = 0; yy < h; ++yy)
        for (int xx = 0; xx < w; ++xx) pixels[yy * w + xx] = colourAt(xx, yy);
    return image;
}

window::Image* solid(int w, int h, uint32_t argb) {
    return pictureOf(w, h, [argb](int, int) { return argb; });
}

uint32_t pixelAt(window::Image* image, int px, int py) {
    return image->getPixels()[py * (image->getBytesPerRow() / 4) + px];
}

// A 4 x 4 picture of four 2 x 2 blocks: red, green / blue, white.
window::Image* blocks() {
    return pictureOf(4, 4, [](int px, int py) {
        const uint32_t colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu};
        return colours[(px / 2) + 2 * (py / 2)];
    });
}

TEST(BitmapScalerTest, NearestAndAreaAverage) {
    Held<window::Image> source(blocks());
    Held<BitmapScaler> scaler(new BitmapScaler(source.get()));
    Held<window::Image> nearest(scaler->scale(2, 2, 0));
    ASSERT_NE(nearest.get(), nullptr);
    EXPECT_EQ(pixelAt(nearest.get(), 1, 0), 0xFF00FF00u);
    EXPECT_EQ(pixelAt(nearest.get(), 0, 1), 0xFF0000FFu);
    Held<window::Image> averaged(scaler->scale(1, 1, 1));
    // All four blocks in equal shares.
    EXPECT_EQ(pixelAt(averaged.get(), 0, 0), 0xFF808080u);
    EXPECT_EQ(scaler->getLast(), averaged.get());
    Held<window::Image> grown(scaler->scale(8, 8, 1));
    EXPECT_EQ(pixelAt(grown.get(), 7, 7), 0xFFFFFFFFu);
    EXPECT_EQ(pixelAt(grown.get(), 0, 7), 0xFF0000FFu);
    EXPECT_EQ(scaler->scale(0, 3, 0), nullptr);
}

TEST(BitmapScalerTest, QuarterTurnsAreExactCopies) {
    Held<window::Image> source(pictureOf(3, 2, [](int px, int py) { return 0xFF000000u | (py * 3 + px); }));
    Held<BitmapScaler> scaler(new BitmapScaler(source.get()));
    Held<window::Image> turned(scaler->rotate(M_PI / 2, 1.0, 0));
    ASSERT_EQ(turned->getWidth(), 2);
    ASSERT_EQ(turned->getHeight(), 3);
    // Clockwise: the bottom-left pixel comes to the top-left.
    EXPECT_EQ(pixelAt(turned.get(), 0, 0), 0xFF000003u);
    EXPECT_EQ(pixelAt(turned.get(), 1, 0), 0xFF000000u);
    EXPECT_EQ(pixelAt(turned.get(), 1, 2), 0xFF000002u);
    Held<window::Image> half(scaler->rotate(-M_PI, 1.0, 0));
    EXPECT_EQ(pixelAt(half.get(), 0, 0), 0xFF000005u);
}

TEST(BitmapScalerTest, EighthTurnFillsItsBoundingBox) {
    Held<window::Image> source(solid(20, 20, 0xFFABCDEFu));
    Held<BitmapScaler> scaler(new BitmapScaler(source.get()));
    for (int quality : {0, 1}) {
        Held<window::Image> turned(scaler->rotate(M_PI / 4, 1.0, quality));
        ASSERT_NE(turned.get(), nullptr);
        EXPECT_NEAR(turned->getWidth(), 20 * std::sqrt(2.0) + 1, 1.5);
        int w = turned->getWidth(), h = turned->getHeight();
        EXPECT_EQ(pixelAt(turned.get(), w / 2, h / 2), 0xFFABCDEFu);
        EXPECT_EQ(pixelAt(turned.get(), 0, 0), 0u);
        EXPECT_EQ(pixelAt(turned.get(), w - 1, h - 1), 0u);
    }
}

}  // namespace
