#pragma once

#include "sprite/ButtonSprite.h"

namespace sprite {

// An invisible rectangular hot zone: a button that draws nothing and never
// asks for a repaint.
class RectButtonSprite : public ButtonSprite {
    MENTARIUM_METACLASS(RectButtonSprite)

public:
    RectButtonSprite();
    MENTARIUM_CLASS(RectButtonSprite, ButtonSprite)

    // x, y, width, height of the zone, then optionally the initial state.
    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override {}
    void repaint() override {}
    void addDirty(const util::RectangleNM& r) override {}
    util::RectangleNM* getBounds() override;
    bool contains(int px, int py) override;
    bool hitTest(int px, int py) override { return contains(px, py); }
    Sprite* clone() override;

    void setZone(int zx, int zy, int zw, int zh);

private:
    util::RectangleNM zone;
};

}  // namespace sprite
