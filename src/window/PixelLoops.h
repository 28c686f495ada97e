#pragma once

#include <cstdint>

#include "platform/RectRegion.h"

// The pixel loops of image surfaces: blits, shadows and fills on 32-bit
// 0xAARRGGBB pixels, in place, row by row, with integer arithmetic only.
namespace window::pixels {

struct PixelTarget {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // in pixels
};

struct PixelSource {
    const uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // in pixels
};

// Factors in 1/128 units.
struct BlitFactors {
    int alpha = 128;
    int red = 128;
    int green = 128;
    int blue = 128;
    bool colorOn() const { return red != 128 || green != 128 || blue != 128; }
};

// Every loop draws only inside clip and the target; clip origins below 0 count as 0.
// The source's top-left pixel lands on (x, y); cut-off rows and columns move the
// source read position along.

// Per-pixel alpha blending. With destAlpha, the target's own alpha takes part.
void normalBlit(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
                const BlitFactors& factors, bool destAlpha);
// Additive light: source colour added to the target, saturating at 255.
void additiveBlit(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
                  const BlitFactors& factors, bool destAlpha);
// Darkens the target under the source's silhouette.
void shadowBlit(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
                int alphaFactor);
// Plain copy of the source pixels.
void copyBlit(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y);
// Sets every pixel of area (cut to clip and target) to argb.
void fillOpaque(const PixelTarget& target, const platform::Rect& clip, const platform::Rect& area, uint32_t argb);
// Blends argb over the area by its own alpha; the target's alpha bytes stay.
void fillBlended(const PixelTarget& target, const platform::Rect& clip, const platform::Rect& area, uint32_t argb);

// The plain normal blend of one pixel (no factors, target alpha ignored): the
// reference for the four-lane row loop.
uint32_t blendPlain(uint32_t dst, uint32_t src);

}  // namespace window::pixels
