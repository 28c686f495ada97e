#pragma once

#include <atomic>
#include <cstdint>

#include "lang/Object.h"

namespace util {

// A 256-word generator of the ISAAC family whose right shifts are rotations,
// seeded through the C library's linear congruential generator.
class Random : public lang::Object {
public:
    Random();  // seeds with MENTARIUM_SEED when set, else the current tick count
    explicit Random(int32_t seedValue) { seed(seedValue); }
    MENTARIUM_CLASS(Random, lang::Object)

    void seed(int32_t s);
    bool nextBoolean();
    int nextInt(int n);         // 0..n, both included; 0 when n < 1
    int nextInt(int a, int b);  // between a and b, both included
    uint32_t nextWord();

    int offset = 0;

    // The process-wide generator.
    static Random& shared();

private:
    void generate();
    void initialise();

    uint32_t seedTime_ = 0;
    std::atomic<int> left_{0};
    uint32_t results_[256] = {};
    uint32_t state_[256] = {};
    uint32_t a_ = 0, b_ = 0, c_ = 0;
};

// The C library's generator: x = x * 214013 + 2531011, draws bits 16..30.
// Its state is per thread.
void crtSrand(uint32_t seed);
int crtRand();

}  // namespace util
