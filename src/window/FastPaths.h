#pragma once

// The SIMD row loops of the blits can be turned off as a whole, so that every
// pixel takes the plain per-pixel rules: MENTARIUM_NO_SIMD=1 in the environment
// (read once, on the first blit), or setOn(false) from a test that compares both.
// Where the processor has AVX2 (asked once), the rows that have an AVX2 twin take
// it; setAvx2(false) keeps them to SSE2, so a test can compare each with the plain rules.
namespace window::pixels {

class FastPaths {
public:
    static bool on();
    static void setOn(bool on);
    static bool avx2();
    static void setAvx2(bool allowed);
};

}  // namespace window::pixels
