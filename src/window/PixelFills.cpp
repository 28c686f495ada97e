// Shadows and rectangle fills of image surfaces.
#include <algorithm>

#include "window/BlitSpan.h"
#include "window/PixelLoops.h"

namespace window::pixels {

void shadowBlit(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
                int alphaFactor) {
    if (alphaFactor == 0) return;
    forEachSourceRow(target, clip, source, x, y, [alphaFactor](uint32_t* dst, const uint32_t* src, int n) {
        for (int i = 0; i < n; ++i) {
            int s = (static_cast<int>(src[i] >> 24) * alphaFactor) >> 8;
            if (s <= 0) continue;
            uint32_t out = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                int c = channel(dst[i], shift);
                out |= placed(c - ((c * s) >> 8), shift);
            }
            dst[i] = out;
        }
    });
}

namespace {

template <class PixelFn>
void forEachAreaRow(const PixelTarget& target, const platform::Rect& clip, const platform::Rect& area, PixelFn&& row) {
    platform::Rect cut{std::max(clip.left, area.left), std::max(clip.top, area.top), std::min(clip.right, area.right),
                       std::min(clip.bottom, area.bottom)};
    BlitSpan span;
    if (!setUpSpan(target, cut, area.left, area.top, area.width(), area.height(), span)) return;
    uint32_t* dst = span.dst;
    for (int r = 0; r < span.height; ++r, dst += span.dstStride) row(dst, span.width);
}

}  // namespace

void fillOpaque(const PixelTarget& target, const platform::Rect& clip, const platform::Rect& area, uint32_t argb) {
    forEachAreaRow(target, clip, area, [argb](uint32_t* dst, int n) { std::fill(dst, dst + n, argb); });
}

void fillBlended(const PixelTarget& target, const platform::Rect& clip, const platform::Rect& area, uint32_t argb) {
    int a = static_cast<int>(argb >> 24);
    if (a == 0) return;
    forEachAreaRow(target, clip, area, [argb, a](uint32_t* dst, int n) {
        for (int i = 0; i < n; ++i) {
            uint32_t out = dst[i] & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                int c = channel(argb, shift), d = channel(dst[i], shift);
                out |= placed(d + (((c - d) * a) >> 8), shift);
            }
            dst[i] = out;
        }
    });
}

}  // namespace window::pixels
