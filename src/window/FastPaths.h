#pragma once

// The SIMD row loops of the blits can be turned off as a whole, so that every
// pixel takes the plain per-pixel rules: MENTARIUM_NO_SIMD=1 in the environment
// (read once, on the first blit), or setOn(false) from a test that compares both.
namespace window::pixels {

class FastPaths {
public:
    static bool on();
    static void setOn(bool on);
};

}  // namespace window::pixels
