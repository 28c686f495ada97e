#include "sprite/EffectBlit.h"

#include "util/RectangleNM.h"

namespace sprite {

window::Graphics* narrowedGraphics(window::Graphics* g, int x, int y, int w, int h, const util::RectangleNM* clip,
                                   const util::RectangleNM* exclude) {
    window::Graphics* g2 = g->create();
    g2->clipRect(x, y, w, h);
    if (clip) g2->clipRect(clip->x, clip->y, clip->width, clip->height);
    if (exclude) g2->excludeRect(exclude->x, exclude->y, exclude->width, exclude->height);
    return g2;
}

}  // namespace sprite
