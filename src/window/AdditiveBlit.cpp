// The additive blit for glows and light: the source is added to the target and
// saturates at 255. One loop per combination of the effect flags.
#include <algorithm>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "window/BlitLanes.h"
#include "window/BlitSpan.h"
#include "window/FastPaths.h"
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

#if defined(__SSE2__)
// No destination alpha: D + (S * e >> 8), with the colour factor applied to the
// weighted source when on, saturating at 255. A pixel of full weight adds S itself.
template <bool ColorOn>
void addRow(uint32_t* dst, const uint32_t* src, int n, const BlitFactors& f) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i opaqueAlpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    const __m128i factor = factorLanes(f);
    // D plus the weighted source t, with the factor when on, saturating.
    auto added = [&](__m128i d, __m128i t) __attribute__((always_inline)) {
        if constexpr (ColorOn) {
            __m128i tLo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(t, zero), factor), 7);
            __m128i tHi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(t, zero), factor), 7);
            return _mm_packus_epi16(_mm_add_epi16(_mm_unpacklo_epi8(d, zero), tLo),
                                    _mm_add_epi16(_mm_unpackhi_epi8(d, zero), tHi));
        } else {
            return _mm_adds_epu8(d, t);
        }
    };
    const bool plainWeights = !ColorOn && f.alpha == 128;
    // No factors: the weight is the pixel's alpha. The alpha byte added is 255
    // for a touched pixel, which saturates it to opaque, and 0 for a clear one.
    const __m128i alphaLane = _mm_set1_epi32(static_cast<int>(0xFFFF0000u));
    auto plainFour = [&](__m128i * target, __m128i s) __attribute__((always_inline)) {
        __m128i w = pairedAlphaWeights(s);
        _mm_storeu_si128(target, _mm_adds_epu8(_mm_loadu_si128(target), weighted(s, w, _mm_or_si128(w, alphaLane))));
    };
    // An untouched pixel (weight 0) adds nothing and keeps the target's alpha;
    // the rest become opaque.
    auto four = [&](__m128i * target, __m128i s) __attribute__((always_inline)) {
        if (plainWeights) {
            plainFour(target, s);
            return;
        }
        __m128i e = effectiveAlphas(s, f.alpha);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(e, zero)) == 0xFFFF) return;
        __m128i d = _mm_loadu_si128(target), w = pairedWeights(e);
        _mm_storeu_si128(target, _mm_or_si128(added(d, weighted(s, w, w)), touchedAlpha(e)));
    };
    auto full = [&](__m128i * target, __m128i s) __attribute__((always_inline)) {
        _mm_storeu_si128(target, _mm_or_si128(added(_mm_loadu_si128(target), s), opaqueAlpha));
    };
    int i = forEachFour(dst, src, n, f.alpha >= 128, four, full);
    const int scale[3] = {f.blue, f.green, f.red};
    for (; i < n; ++i) addPixel<ColorOn, false, false>(dst[i], src[i], f.alpha, scale);
}

// The AVX2 twin of the row without colour factors, eight pixels to a register:
// each colour byte weighed by the pixel's effective alpha e (the byte itself
// from e = 255 up), and an alpha byte of 255 for a touched pixel (e > 0), 0 for
// an untouched one, so that the saturating add makes touched pixels opaque and
// keeps the target as it was elsewhere.
template <bool Alpha128>
[[gnu::target("avx2")]] inline __m256i addendEight(__m256i s, __m256i alphaFactor) {
    // The alpha byte of each pixel in both of its 16-bit lanes.
    const __m256i alphaTwice = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1, 3,
                                                -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
    const __m256i low = _mm256_set1_epi32(0x00FF00FF);
    const __m256i alphaLane = _mm256_set1_epi32(static_cast<int>(0xFFFF0000u));
    __m256i e = _mm256_shuffle_epi8(s, alphaTwice);
    if constexpr (!Alpha128) e = _mm256_srli_epi16(_mm256_mullo_epi16(e, alphaFactor), 7);
    __m256i w = _mm256_sub_epi16(e, _mm256_cmpeq_epi16(e, _mm256_set1_epi16(255)));
    // The alpha lanes weigh by 0xFFFF: 255 for an alpha above 0. A clear pixel
    // is untouched whatever the factor; another pixel only where e is 0.
    __m256i alphaWeight = alphaLane;
    if constexpr (!Alpha128) {
        w = _mm256_min_epu16(w, _mm256_set1_epi16(256));
        alphaWeight = _mm256_and_si256(alphaLane, _mm256_cmpgt_epi16(w, _mm256_setzero_si256()));
    }
    __m256i blueRed = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(s, low), w), 8);
    __m256i greenAlpha =
        _mm256_andnot_si256(low, _mm256_mullo_epi16(_mm256_srli_epi16(s, 8), _mm256_or_si256(w, alphaWeight)));
    return _mm256_or_si256(blueRed, greenAlpha);
}

// Sixteen pixels at a time: a run of clear pixels adds nothing, and one of
// opaque pixels under a full alpha factor adds the source as it is.
template <bool Alpha128>
[[gnu::target("avx2")]] void addRowAvx2(uint32_t* dst, const uint32_t* src, int n, const BlitFactors& f) {
    const __m256i ones = _mm256_set1_epi32(-1), zero = _mm256_setzero_si256();
    const __m256i alphaFactor = _mm256_set1_epi16(static_cast<short>(f.alpha));
    const bool opaqueIsFull = Alpha128 || f.alpha >= 128;
    constexpr int kAlphaBytes = static_cast<int>(0x88888888u);
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        __m256i s0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        __m256i s1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i + 8));
        if ((_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_or_si256(s0, s1), zero)) & kAlphaBytes) == kAlphaBytes)
            continue;
        bool opaque =
            (_mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_and_si256(s0, s1), ones)) & kAlphaBytes) == kAlphaBytes;
        if (!(opaque && opaqueIsFull)) {
            s0 = addendEight<Alpha128>(s0, alphaFactor);
            s1 = addendEight<Alpha128>(s1, alphaFactor);
        }
        auto* d0 = reinterpret_cast<__m256i*>(dst + i);
        auto* d1 = reinterpret_cast<__m256i*>(dst + i + 8);
        _mm256_storeu_si256(d0, _mm256_adds_epu8(_mm256_loadu_si256(d0), s0));
        _mm256_storeu_si256(d1, _mm256_adds_epu8(_mm256_loadu_si256(d1), s1));
    }
    // GCC does not always clear the upper register halves on leaving a function
    // of its own target; left dirty, they can slow the SSE code that runs after it.
    _mm256_zeroupper();
    addRow<false>(dst + i, src + i, n - i, f);
}
#endif

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
#if defined(__SSE2__)
    if (lanesFit(f, destAlpha) && FastPaths::on()) {
        if (!color && FastPaths::avx2()) {
            forEachSourceRow(target, clip, source, x, y, [a128, &f](uint32_t* dst, const uint32_t* src, int n) {
                a128 ? addRowAvx2<true>(dst, src, n, f) : addRowAvx2<false>(dst, src, n, f);
            });
            return;
        }
        forEachSourceRow(target, clip, source, x, y, [color, &f](uint32_t* dst, const uint32_t* src, int n) {
            color ? addRow<true>(dst, src, n, f) : addRow<false>(dst, src, n, f);
        });
        return;
    }
#endif
    if (color) {
        a128 ? addRowsFor<true, true>(target, clip, source, x, y, f, destAlpha)
             : addRowsFor<true, false>(target, clip, source, x, y, f, destAlpha);
    } else {
        a128 ? addRowsFor<false, true>(target, clip, source, x, y, f, destAlpha)
             : addRowsFor<false, false>(target, clip, source, x, y, f, destAlpha);
    }
}

}  // namespace window::pixels
