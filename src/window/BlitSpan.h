#pragma once

#include <algorithm>
#include <cstddef>

#include "window/PixelLoops.h"

namespace window::pixels {

// The overlap of a w x h box at (x, y) with the drawable area (clip cut to the
// target), as row pointers: where every pixel loop starts.
struct BlitSpan {
    uint32_t* dst = nullptr;
    int dstStride = 0;
    int width = 0;
    int height = 0;
    int offsetX = 0;  // columns and rows of the box cut off at the left and top
    int offsetY = 0;
};

inline bool setUpSpan(const PixelTarget& target, const platform::Rect& clip, int x, int y, int w, int h,
                      BlitSpan& span) {
    if (!target.pixels) return false;
    int left = std::max({clip.left, 0, x});
    int top = std::max({clip.top, 0, y});
    int right = std::min({clip.right, target.width, x + w});
    int bottom = std::min({clip.bottom, target.height, y + h});
    if (left >= right || top >= bottom) return false;
    span.dstStride = target.stride;
    span.dst = target.pixels + static_cast<std::ptrdiff_t>(top) * target.stride + left;
    span.width = right - left;
    span.height = bottom - top;
    span.offsetX = left - x;
    span.offsetY = top - y;
    return true;
}

// Calls row(dst, src, n) for every clipped row of a source blit.
template <class RowFn>
void forEachSourceRow(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
                      RowFn&& row) {
    if (!source.pixels) return;
    BlitSpan span;
    if (!setUpSpan(target, clip, x, y, source.width, source.height, span)) return;
    const uint32_t* src = source.pixels + static_cast<std::ptrdiff_t>(span.offsetY) * source.stride + span.offsetX;
    uint32_t* dst = span.dst;
    for (int r = 0; r < span.height; ++r, dst += span.dstStride, src += source.stride) row(dst, src, span.width);
}

// Channel helpers: byte at shift, and a clamped channel placed back.
inline int channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }
inline uint32_t placed(int value, int shift) { return static_cast<uint32_t>(std::clamp(value, 0, 255)) << shift; }

// The effective alpha e of a source pixel under the alpha factor. True when the
// pixel is already done: e is 0, or (with destination alpha) the target is clear
// and takes the source as it is.
template <bool Alpha128, bool DestAlpha>
inline bool settledByAlpha(uint32_t& dst, uint32_t src, int alphaFactor, int& e) {
    int a = static_cast<int>(src >> 24);
    e = Alpha128 ? a : (a * alphaFactor) >> 7;
    if (e <= 0) return true;
    if constexpr (DestAlpha) {
        if ((dst >> 24) == 0) {
            dst = src;
            return true;
        }
    }
    return false;
}

}  // namespace window::pixels
