#pragma once

#include "window/FancyHelper.h"
#include "window/Graphics.h"
#include "window/Image.h"

namespace sprite {

// Draws picture at (x, y), through the sprite's effect settings when it has any
// and the surface can apply them; the surface's settings are left neutral.
inline void drawThroughEffects(window::Graphics* g, window::Image* picture, int x, int y,
                               const window::FancyHelper* effects) {
    window::FancyHelper* target = effects ? g->getFancyHelper() : nullptr;
    if (target == nullptr) {
        g->drawImage(picture, x, y);
        return;
    }
    // Pictures drawn with effects must take the blending path.
    picture->setHasAlpha(true);
    target->copyFrom(effects);
    g->drawImage(picture, x, y);
    target->reset();
}

// A derived graphics narrowed to (x, y, w, h) and to the sprite's clip and
// exclusion rectangles; the caller disposes and releases it.
window::Graphics* narrowedGraphics(window::Graphics* g, int x, int y, int w, int h, const util::RectangleNM* clip,
                                   const util::RectangleNM* exclude);

}  // namespace sprite
