#pragma once

#include <cstdint>

#include "lang/Object.h"

namespace window {
class Image;
}

namespace sprite {

// Makes zoomed and rotated copies of a source picture (or of a rectangle of
// it): quality 0 picks the nearest source pixel, quality 1 averages the
// source area each target pixel covers (or filters neighbours when rotating).
class BitmapScaler : public lang::Object {
public:
    // Keeps a reference to the source; its pixels are decoded now.
    explicit BitmapScaler(window::Image* source);
    ~BitmapScaler() override;
    BitmapScaler(const BitmapScaler&) = delete;
    BitmapScaler& operator=(const BitmapScaler&) = delete;
    MENTARIUM_CLASS(BitmapScaler, lang::Object)

    void setSourceRect(int x, int y, int w, int h);
    // A new w x h picture (the caller owns one reference), or null when the
    // size or the source is empty. The scaler keeps it as its last result too.
    window::Image* scale(int w, int h, int quality);
    // The source turned by angle (radians) and zoomed by zoom, in a picture
    // just large enough for it; outside the source is transparent.
    window::Image* rotate(double angle, double zoom, int quality);
    window::Image* getLast() const { return last; }  // borrowed
    bool hasSource() const { return pixels != nullptr; }

private:
    window::Image* keep(window::Image* result);
    uint32_t at(int px, int py) const { return pixels[py * stride + px]; }
    // An exact copy for whole quarter turns (1, 2 or 3), or null.
    window::Image* quarterTurn(int quarters);

    window::Image* source;
    const uint32_t* pixels = nullptr;
    int stride = 0;
    int sourceWidth = 0, sourceHeight = 0;
    int sx = 0, sy = 0, sw = 0, sh = 0;
    window::Image* last = nullptr;
};

}  // namespace sprite
