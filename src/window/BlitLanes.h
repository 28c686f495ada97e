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

// The weight of each pixel spread over its four 16-bit lanes (low pair, high
// pair); 256 where e >= 255, so a full weight lands exactly on the source.
inline void spreadWeights(__m128i e, __m128i& lo, __m128i& hi) {
    __m128i full = _mm_cmpgt_epi32(e, _mm_set1_epi32(254));
    __m128i w = _mm_or_si128(_mm_and_si128(full, _mm_set1_epi32(256)), _mm_andnot_si128(full, e));
    w = _mm_or_si128(w, _mm_slli_epi32(w, 16));
    lo = _mm_unpacklo_epi32(w, w);
    hi = _mm_unpackhi_epi32(w, w);
}

// Pixels whose effective alpha is 0 keep the target as it was; the rest become opaque.
inline __m128i keepUntouched(__m128i e, __m128i d, __m128i r) {
    __m128i none = _mm_cmpeq_epi32(e, _mm_setzero_si128());
    r = _mm_or_si128(r, _mm_set1_epi32(static_cast<int>(0xFF000000u)));
    return _mm_or_si128(_mm_and_si128(none, d), _mm_andnot_si128(none, r));
}

// floor(x * w / 256) for signed x and 0 <= w <= 256, without 16-bit overflow.
inline __m128i scaleSigned(__m128i x, __m128i w) {
    __m128i lo = _mm_mullo_epi16(x, w), hi = _mm_mulhi_epi16(x, w);
    return _mm_or_si128(_mm_slli_epi16(hi, 8), _mm_srli_epi16(lo, 8));
}

#endif

}  // namespace window::pixels
