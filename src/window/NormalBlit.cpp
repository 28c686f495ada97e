// The normal (alpha) blit: one loop per combination of colour factors,
// alpha factor 128 and destination alpha, so no inner loop tests a feature that is off.
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "window/BlitLanes.h"
#include "window/BlitSpan.h"
#include "window/FastPaths.h"
#include "window/PixelLoops.h"

namespace window::pixels {

uint32_t blendPlain(uint32_t dst, uint32_t src) {
    int a = static_cast<int>(src >> 24);
    if (a == 255) return src;
    if (a == 0) return dst;
    int m = a >> 1;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int s = channel(src, shift), d = channel(dst, shift);
        out |= placed(d + (((s - d) * m) >> 7), shift);
    }
    return out;
}

namespace {

// No factors, no destination alpha: all four bytes of a pixel blend in 16-bit
// lanes, four pixels at a time; runs of clear or opaque pixels skip the arithmetic.
#if defined(__SSE2__)
// Four pixels that are neither all clear nor all opaque.
inline __m128i blendFour(__m128i s, __m128i d) {
    const __m128i zero = _mm_setzero_si128();
    // Weight a >> 1, or 128 for an opaque pixel, which then lands exactly on the source.
    __m128i alpha = _mm_srli_epi32(s, 24);
    __m128i opaque = _mm_cmpeq_epi32(alpha, _mm_set1_epi32(255));
    __m128i m = _mm_sub_epi32(_mm_srli_epi32(alpha, 1), opaque);
    m = _mm_or_si128(m, _mm_slli_epi32(m, 16));
    __m128i mLo = _mm_unpacklo_epi32(m, m), mHi = _mm_unpackhi_epi32(m, m);
    __m128i sLo = _mm_unpacklo_epi8(s, zero), sHi = _mm_unpackhi_epi8(s, zero);
    __m128i dLo = _mm_unpacklo_epi8(d, zero), dHi = _mm_unpackhi_epi8(d, zero);
    __m128i rLo = _mm_add_epi16(dLo, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(sLo, dLo), mLo), 7));
    __m128i rHi = _mm_add_epi16(dHi, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(sHi, dHi), mHi), 7));
    return _mm_packus_epi16(rLo, rHi);
}
#endif

void plainRow(uint32_t* dst, const uint32_t* src, int n, [[maybe_unused]] bool fast) {
    int i = 0;
#if defined(__SSE2__)
    if (fast) {
        i = forEachFour(
            dst, src, n, true, [](__m128i * d, __m128i s) __attribute__((always_inline)) {
                _mm_storeu_si128(d, blendFour(s, _mm_loadu_si128(d)));
            },
            [](__m128i * d, __m128i s) __attribute__((always_inline)) { _mm_storeu_si128(d, s); });
    }
#endif
    for (; i < n; ++i) dst[i] = blendPlain(dst[i], src[i]);
}

// No factors, destination alpha on: partly clear targets are composited.
inline void plainOverAlpha(uint32_t& dst, uint32_t src) {
    int a = static_cast<int>(src >> 24);
    if (a == 0) return;
    int d = static_cast<int>(dst >> 24);
    if (d == 0 || a == 255) {
        dst = src;
        return;
    }
    uint32_t out = 0xFF000000u;
    if (d == 255) {
        for (int shift = 0; shift < 24; shift += 8) {
            int s = channel(src, shift), c = channel(dst, shift);
            out |= placed(c + (((s - c) * a) >> 8), shift);
        }
    } else {
        int o = (255 - a) * d / 255 + a;
        int w = a * 255 / o;
        out = static_cast<uint32_t>(o) << 24;
        for (int shift = 0; shift < 24; shift += 8) {
            out |= placed((channel(src, shift) * w + channel(dst, shift) * (255 - w)) / 255, shift);
        }
    }
    dst = out;
}

struct ColorScale {
    int factor[3];  // blue, green, red: by shift / 8
};

template <bool ColorOn, bool Alpha128, bool DestAlpha>
inline void blendPixel(uint32_t& dst, uint32_t src, int alphaFactor, const ColorScale& scale) {
    int e;
    if (settledByAlpha<Alpha128, DestAlpha>(dst, src, alphaFactor, e)) return;
    if constexpr (!ColorOn) {
        if (e >= 255) {
            dst = src;
            return;
        }
        uint32_t out = dst & 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            int s = channel(src, shift), d = channel(dst, shift);
            out |= placed(d + (((s - d) * e) >> 8), shift);
        }
        dst = out;
    } else {
        uint32_t out = 0xFF000000u;
        for (int k = 0, shift = 0; k < 3; ++k, shift += 8) {
            int s = channel(src, shift), d = channel(dst, shift), f = scale.factor[k];
            int value;
            if (e >= 255) {
                value = (s * f) >> 7;
            } else if constexpr (DestAlpha) {
                value = ((d + (((s - d) * e) >> 8)) * f) >> 7;
            } else {
                value = d + ((((s * f) >> 7) - d) * e >> 8);
            }
            out |= placed(value, shift);
        }
        dst = out;
    }
}

#if defined(__SSE2__)
// Colour factors, no destination alpha: D + floor((c' - D) * e / 256), c' = c * factor >> 7.
// A pixel of full weight becomes c' itself.
void colorRow(uint32_t* dst, const uint32_t* src, int n, const BlitFactors& f) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaqueAlpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i twiceFactor = _mm_slli_epi16(factorLanes(f), 1);
    // c' = c * factor >> 7, as the high half of (c << 8) * (2 * factor).
    auto scaled = [&](__m128i s, __m128i & cLo, __m128i & cHi) __attribute__((always_inline)) {
        cLo = _mm_mulhi_epu16(_mm_unpacklo_epi8(zero, s), twiceFactor);
        cHi = _mm_mulhi_epu16(_mm_unpackhi_epi8(zero, s), twiceFactor);
    };
    // An untouched pixel (weight 0) comes out as the target itself, alpha included.
    auto four = [&](__m128i * target, __m128i s) __attribute__((always_inline)) {
        __m128i e = effectiveAlphas(s, f.alpha);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(e, zero)) == 0xFFFF) return;
        __m128i d = _mm_loadu_si128(target);
        __m128i wLo, wHi, cLo, cHi;
        spreadWeightsTimesFour(e, wLo, wHi);
        scaled(s, cLo, cHi);
        __m128i dLo = _mm_unpacklo_epi8(d, zero), dHi = _mm_unpackhi_epi8(d, zero);
        __m128i vLo = _mm_add_epi16(dLo, scaleSigned(_mm_sub_epi16(cLo, dLo), wLo));
        __m128i vHi = _mm_add_epi16(dHi, scaleSigned(_mm_sub_epi16(cHi, dHi), wHi));
        _mm_storeu_si128(target, _mm_or_si128(_mm_packus_epi16(vLo, vHi), touchedAlpha(e)));
    };
    auto full = [&](__m128i * target, __m128i s) __attribute__((always_inline)) {
        __m128i cLo, cHi;
        scaled(s, cLo, cHi);
        _mm_storeu_si128(target, _mm_or_si128(_mm_packus_epi16(cLo, cHi), opaqueAlpha));
    };
    int i = forEachFour(dst, src, n, f.alpha >= 128, four, full);
    ColorScale scale{{f.blue, f.green, f.red}};
    for (; i < n; ++i) blendPixel<true, false, false>(dst[i], src[i], f.alpha, scale);
}
#endif

template <bool ColorOn, bool Alpha128, bool DestAlpha>
void blendRows(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
               const BlitFactors& f) {
    ColorScale scale{{f.blue, f.green, f.red}};
    int alphaFactor = f.alpha;
    forEachSourceRow(target, clip, source, x, y, [&](uint32_t* dst, const uint32_t* src, int n) {
        for (int i = 0; i < n; ++i) blendPixel<ColorOn, Alpha128, DestAlpha>(dst[i], src[i], alphaFactor, scale);
    });
}

}  // namespace

void normalBlit(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y,
                const BlitFactors& f, bool destAlpha) {
    if (f.alpha == 0) return;
    bool color = f.colorOn(), a128 = f.alpha == 128;
    if (!color && a128) {
        if (destAlpha) {
            forEachSourceRow(target, clip, source, x, y, [](uint32_t* dst, const uint32_t* src, int n) {
                for (int i = 0; i < n; ++i) plainOverAlpha(dst[i], src[i]);
            });
        } else {
            bool fast = FastPaths::on();
            forEachSourceRow(target, clip, source, x, y,
                             [fast](uint32_t* dst, const uint32_t* src, int n) { plainRow(dst, src, n, fast); });
        }
        return;
    }
#if defined(__SSE2__)
    if (color && lanesFit(f, destAlpha) && FastPaths::on()) {
        forEachSourceRow(target, clip, source, x, y,
                         [&f](uint32_t* dst, const uint32_t* src, int n) { colorRow(dst, src, n, f); });
        return;
    }
#endif
    if (!color) {
        destAlpha ? blendRows<false, false, true>(target, clip, source, x, y, f)
                  : blendRows<false, false, false>(target, clip, source, x, y, f);
    } else if (a128) {
        destAlpha ? blendRows<true, true, true>(target, clip, source, x, y, f)
                  : blendRows<true, true, false>(target, clip, source, x, y, f);
    } else {
        destAlpha ? blendRows<true, false, true>(target, clip, source, x, y, f)
                  : blendRows<true, false, false>(target, clip, source, x, y, f);
    }
}

void copyBlit(const PixelTarget& target, const platform::Rect& clip, const PixelSource& source, int x, int y) {
    forEachSourceRow(target, clip, source, x, y, [](uint32_t* dst, const uint32_t* src, int n) {
        std::memmove(dst, src, static_cast<size_t>(n) * 4);
    });
}

}  // namespace window::pixels
