// The additive blit for glows and light: the source is added to the target and
// saturates at 255. One loop per combination of the effect flags.
#include <algorithm>

#include "window/BlitSpan.h"
#include "window/PixelLoops.h"

namespace window::pixels {

namespace {

template <bool ColorOn, bool Alpha128, bool DestAlpha>
inline void addPixel(uint32_t& dst, uint32_t src, int alphaFactor, const int (&factor)[3]) {
    int e;
    if (settledByAlpha<Alpha128, DestAlpha>(dst, src, alphaFactor, e)) return;
    uint32_t out = 0xFF000000u;
    for (int k = 0, shift = 0; k < 3; ++k, shift += 8) {
        int s = channel(src, shift), d = channel(dst, shift);
        int added;
        if constexpr (ColorOn) {
            added = e >= 255 ? std::min(255, (s * factor[k]) >> 7) : (((s * e) >> 8) * factor[k]) >> 7;
        } else {
            added = e >= 255 ? s : (s * e) >> 8;
        }
        out |= static_cast<uint32_t>(std::min(255, d + added)) << shift;
    }
    dst = out;
}

template <bool ColorOn, bool Alpha128, bool DestAlpha>
void addRows(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
             const BlitFactors& f) {
    const int factor[3] = {f.blue, f.green, f.red};
    int alphaFactor = f.alpha;
    forEachSourceRow(target, clip, source, x, y, [&](uint32_t* dst, const uint32_t* src, int n) {
        for (int i = 0; i < n; ++i) addPixel<ColorOn, Alpha128, DestAlpha>(dst[i], src[i], alphaFactor, factor);
    });
}

template <bool ColorOn, bool Alpha128>
void addRowsFor(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
                const BlitFactors& f, bool destAlpha) {
    destAlpha ? addRows<ColorOn, Alpha128, true>(target, clip, source, x, y, f)
              : addRows<ColorOn, Alpha128, false>(target, clip, source, x, y, f);
}

}  // namespace

void additiveBlit(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
                  const BlitFactors& f, bool destAlpha) {
    if (f.alpha == 0) return;
    bool color = f.colorOn(), a128 = f.alpha == 128;
    if (color) {
        a128 ? addRowsFor<true, true>(target, clip, source, x, y, f, destAlpha)
             : addRowsFor<true, false>(target, clip, source, x, y, f, destAlpha);
    } else {
        a128 ? addRowsFor<false, true>(target, clip, source, x, y, f, destAlpha)
             : addRowsFor<false, false>(target, clip, source, x, y, f, destAlpha);
    }
}

}  // namespace window::pixels
