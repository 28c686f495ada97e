#pragma once

#include <cstdint>

#include "sprite/Sprite.h"

namespace sprite {

// A coloured rectangle, filled or outlined.
class RectSprite : public Sprite {
    MENTARIUM_METACLASS(RectSprite)

public:
    RectSprite() = default;
    MENTARIUM_CLASS(RectSprite, Sprite)

    // x, y, width, height, colour (ARGB), then optionally visible and filled.
    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    Sprite* clone() override;

    void setColor(uint32_t argb);
    uint32_t getColor() const { return color; }
    void setFilled(bool flag);
    bool isFilled() const { return filled; }

private:
    uint32_t color = 0xFF000000u;
    bool filled = false;
};

}  // namespace sprite
