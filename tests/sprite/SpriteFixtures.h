#pragma once

#include <cstdint>

#include "lang/Object.h"
#include "lang/Ref.h"
#include "sprite/ButtonInput.h"
#include "sprite/Sprite.h"
#include "window/Image.h"

namespace sprite_test {

// Holds the creator's reference and releases it at the end of the scope.
template <typename T>
using Held = lang::Ref<T>;

// A picture of the given size, every pixel set to argb.
inline window::Image* solidImage(int w, int h, uint32_t argb) {
    auto* image = new window::Image(w, h, 1, false);
    uint32_t* pixels = image->getPixels();
    for (int i = 0; i < w * h; ++i) pixels[i] = argb;
    return image;
}

// A sprite showing a solid picture at (x, y), with nothing left to collect.
inline sprite::Sprite* solidSprite(int x, int y, int w, int h, uint32_t argb = 0xFFFF0000u) {
    auto* s = new sprite::Sprite();
    window::Image* picture = solidImage(w, h, argb);
    s->setImage(picture);
    picture->release();
    s->setLocationQuiet(x, y);
    s->collectDirty(0, nullptr, nullptr);
    return s;
}

// A rectangular button for routing tests: hit by its bounds, fires on press
// unless set to fire on release, and remembers what it was told.
class TestButton : public sprite::Sprite, public sprite::ButtonInput {
public:
    TestButton(int x, int y, int w, int h) {
        setLocationQuiet(x, y);
        width = w;
        height = h;
        getBounds();
    }
    MENTARIUM_CLASS(TestButton, sprite::Sprite)

    bool hover(int px, int py) override {
        hovered = getBounds()->contains(px, py);
        return hovered;
    }
    bool press() override {
        ++presses;
        return !fireOnRelease;
    }
    bool releaseAt(int px, int py) override { return getBounds()->contains(px, py); }
    bool isHit(int px, int py) override { return getBounds()->contains(px, py); }
    void setFireOnRelease(bool flag) override { fireOnRelease = flag; }

    bool fireOnRelease = false;
    bool hovered = false;
    int presses = 0;
};

}  // namespace sprite_test
