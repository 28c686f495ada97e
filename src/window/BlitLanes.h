#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "window/PixelLoops.h"

// Four-pixel loops for the blits with effects, in 16-bit lanes, for the common
// settings: no destination alpha and every factor between 0 and 256. They give
// the same results as the per-pixel rules; other settings take those.
namespace window::pixels {

#if defined(__SSE2__)

inline bool lanesFit(const BlitFactors& f, bool destAlpha) {
    auto fits = [](int v) { return v >= 0 && v <= 256; };
    return !destAlpha && fits(f.alpha) && fits(f.red) && fits(f.green) && fits(f.blue);
}

// The four effective alphas, each in its 32-bit lane: (a * alpha factor) >> 7.
inline __m128i effectiveAlphas(__m128i s, int alphaFactor) {
    __m128i a = _mm_srli_epi32(s, 24);
    if (alphaFactor == 128) return a;
    return _mm_srli_epi32(_mm_mullo_epi16(a, _mm_set1_epi32(alphaFactor)), 7);
}

// The weight of each pixel in its 32-bit lane: e, or 256 where e >= 255, so
// that a full weight lands exactly on the source.
inline __m128i weights(__m128i e) {
    __m128i full = _mm_cmpgt_epi32(e, _mm_set1_epi32(254));
    return _mm_or_si128(_mm_and_si128(full, _mm_set1_epi32(256)), _mm_andnot_si128(full, e));
}

// Four times the weight of each pixel spread over its four 16-bit lanes (low
// pair, high pair), for scaleSigned.
inline void spreadWeightsTimesFour(__m128i e, __m128i& lo, __m128i& hi) {
    __m128i w = _mm_slli_epi32(weights(e), 2);
    w = _mm_or_si128(w, _mm_slli_epi32(w, 16));
    lo = _mm_unpacklo_epi32(w, w);
    hi = _mm_unpackhi_epi32(w, w);
}

// The weight of each pixel in both 16-bit lanes of its own 32-bit lane.
inline __m128i pairedWeights(__m128i e) {
    __m128i w = weights(e);
    return _mm_or_si128(w, _mm_slli_epi32(w, 16));
}

// With alpha factor 128: each pixel's alpha as its weight in both 16-bit lanes
// of its 32-bit lane, 256 for an opaque pixel.
inline __m128i pairedAlphaWeights(__m128i s) {
    __m128i a = _mm_srli_epi16(s, 8);  // green, alpha
    a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(a, 0xF5), 0xF5);
    return _mm_sub_epi16(a, _mm_cmpeq_epi16(a, _mm_set1_epi16(255)));
}

// floor(byte * weight / 256) for all four bytes of four pixels, two bytes to a
// 32-bit lane: blue and red by wBlueRed, green and alpha by wGreenAlpha, each
// from pairedWeights or pairedAlphaWeights. An alpha weight of 0xFFFF gives 255
// for every alpha above 0 and 0 for a clear pixel.
inline __m128i weighted(__m128i s, __m128i wBlueRed, __m128i wGreenAlpha) {
    const __m128i low = _mm_set1_epi32(0x00FF00FF);
    __m128i blueRed = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(s, low), wBlueRed), 8);
    __m128i greenAlpha = _mm_andnot_si128(low, _mm_mullo_epi16(_mm_srli_epi16(s, 8), wGreenAlpha));
    return _mm_or_si128(blueRed, greenAlpha);
}

// The alpha byte of every pixel whose weight (in 32-bit lanes) is above 0: the
// pixels a blit touches become opaque; the others keep the target as it was.
inline __m128i touchedAlpha(__m128i weight) {
    return _mm_and_si128(_mm_cmpgt_epi32(weight, _mm_setzero_si128()), _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

// What the alpha bytes of eight pixels (two registers) say: a run of clear or
// of opaque pixels skips the arithmetic.
enum class AlphaRun { Clear, Opaque, Mixed };

inline AlphaRun alphaRun(__m128i s0, __m128i s1) {
    constexpr int kAlphaBytes = 0x8888;  // movemask bits of the four alpha bytes
    if ((_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(s0, s1), _mm_set1_epi32(-1))) & kAlphaBytes) == kAlphaBytes)
        return AlphaRun::Opaque;
    if ((_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(s0, s1), _mm_setzero_si128())) & kAlphaBytes) == kAlphaBytes)
        return AlphaRun::Clear;
    return AlphaRun::Mixed;
}

// The colour factors in the 16-bit lanes of two pixels (0 for the alpha lanes).
inline __m128i factorLanes(const BlitFactors& f) {
    return _mm_set_epi16(0, static_cast<short>(f.red), static_cast<short>(f.green), static_cast<short>(f.blue), 0,
                         static_cast<short>(f.red), static_cast<short>(f.green), static_cast<short>(f.blue));
}

// Calls four(d, s) for each group of four pixels that is not in a run of eight
// clear pixels nor, when opaque pixels take full weight, of eight opaque ones;
// full(d, s) for those in an opaque run. Answers how many pixels it went through.
template <class FourFn, class FullFn>
[[gnu::always_inline]] inline int forEachFour(uint32_t* dst, const uint32_t* src, int n, bool opaqueIsFull,
                                              FourFn&& four, FullFn&& full) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        __m128i s0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        __m128i s1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i + 4));
        auto* d0 = reinterpret_cast<__m128i*>(dst + i);
        auto* d1 = reinterpret_cast<__m128i*>(dst + i + 4);
        AlphaRun run = alphaRun(s0, s1);
        if (run == AlphaRun::Clear) continue;
        if (run == AlphaRun::Opaque && opaqueIsFull) {
            full(d0, s0);
            full(d1, s1);
        } else {
            four(d0, s0);
            four(d1, s1);
        }
    }
    for (; i + 4 <= n; i += 4)
        four(reinterpret_cast<__m128i*>(dst + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)));
    return i;
}

// floor(x * w / 256) for -512 < x < 512, from w4 = 4 * w (0 <= w <= 256).
inline __m128i scaleSigned(__m128i x, __m128i w4) { return _mm_mulhi_epi16(_mm_slli_epi16(x, 6), w4); }

#endif

}  // namespace window::pixels
