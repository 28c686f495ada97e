#include "util/Random.h"

#include <cstdlib>

#include "lang/ObjectLock.h"
#include "platform/Clock.h"

namespace util {

namespace {

thread_local uint32_t crtState = 1;

inline uint32_t ror(uint32_t v, int n) { return (v >> n) | (v << (32 - n)); }

// The ISAAC mixing round, its right shifts turned into rotations.
inline void mix(uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, uint32_t& e, uint32_t& f, uint32_t& g,
                uint32_t& h) {
    a ^= b << 11;
    d += a;
    b += c;
    b ^= ror(c, 2);
    e += b;
    c += d;
    c ^= d << 8;
    f += c;
    d += e;
    d ^= ror(e, 16);
    g += d;
    e += f;
    e ^= f << 10;
    h += e;
    f += g;
    f ^= ror(g, 4);
    a += f;
    g += h;
    g ^= h << 8;
    b += g;
    h += a;
    h ^= ror(a, 9);
    c += h;
    a += b;
}

}  // namespace

void crtSrand(uint32_t seed) { crtState = seed; }

int crtRand() {
    crtState = crtState * 214013u + 2531011u;
    return static_cast<int>((crtState >> 16) & 0x7FFF);
}

// A run recorded for a bug report or a test fixes every generator through
// MENTARIUM_SEED; otherwise each one starts from the clock.
Random::Random() {
    const char* fixed = std::getenv("MENTARIUM_SEED");
    seed(fixed ? static_cast<int32_t>(std::strtol(fixed, nullptr, 10)) : static_cast<int32_t>(platform::tickCount()));
}

Random& Random::shared() {
    static Random* instance = new Random();  // lives for the whole process
    return *instance;
}

void Random::seed(int32_t s) {
    a_ = b_ = c_ = 0;
    crtSrand(static_cast<uint32_t>(s));
    int k = std::abs(crtRand()) % 10000;
    for (int i = 0; i < k; ++i) crtRand();
    uint32_t drawn[256];
    for (uint32_t& w : drawn) w = static_cast<uint32_t>(crtRand());
    seedTime_ = platform::tickCount();
    for (int i = 0; i < 256; ++i) {
        state_[i] = 0;
        results_[i] = drawn[i];
    }
    initialise();
}

void Random::generate() {
    ++c_;
    b_ += c_;
    for (int i = 0; i < 256; ++i) {
        uint32_t x = state_[i];
        switch (i & 3) {
        case 0: a_ ^= a_ << 13; break;
        case 1: a_ ^= ror(a_, 6); break;
        case 2: a_ ^= a_ << 2; break;
        default: a_ ^= ror(a_, 16); break;
        }
        a_ += state_[(i + 128) & 255];
        uint32_t y = state_[(x >> 2) & 255] + a_ + b_;
        state_[i] = y;
        b_ = state_[(y >> 10) & 255] + x;
        results_[i] = b_;
    }
}

void Random::initialise() {
    uint32_t a, b, c, d, e, f, g, h;
    a = b = c = d = e = f = g = h = 0x9E3779B9u;
    for (int i = 0; i < 4; ++i) mix(a, b, c, d, e, f, g, h);
    for (int pass = 0; pass < 2; ++pass) {
        const uint32_t* source = pass == 0 ? results_ : state_;
        for (int i = 0; i < 256; i += 8) {
            a += source[i];
            b += source[i + 1];
            c += source[i + 2];
            d += source[i + 3];
            e += source[i + 4];
            f += source[i + 5];
            g += source[i + 6];
            h += source[i + 7];
            mix(a, b, c, d, e, f, g, h);
            state_[i] = a;
            state_[i + 1] = b;
            state_[i + 2] = c;
            state_[i + 3] = d;
            state_[i + 4] = e;
            state_[i + 5] = f;
            state_[i + 6] = g;
            state_[i + 7] = h;
        }
    }
    generate();
    left_ = 256;
}

uint32_t Random::nextWord() {
    int left = --left_;
    if (left < 0) {
        ObjectLock hold(this, true);
        left = --left_;
        if (left < 0) {
            generate();
            left_ = 255;
            left = 255;
        }
    }
    return results_[left];
}

bool Random::nextBoolean() { return (nextWord() & 1) != 0; }

int Random::nextInt(int n) {
    if (n < 1) return 0;
    int k = 0;
    for (unsigned v = static_cast<unsigned>(n); v != 0; v >>= 1) ++k;
    uint32_t mask = (k >= 32) ? 0xFFFFFFFFu : ((1u << k) - 1);
    int shift = 32 - k;
    for (;;) {
        int32_t w = static_cast<int32_t>(nextWord());
        int v = static_cast<int>((static_cast<uint32_t>((w >> shift) + offset)) & mask);
        if (v <= n) return v;
    }
}

int Random::nextInt(int a, int b) {
    if (a == b) return a;
    int lo = a < b ? a : b;
    int span = a < b ? b - a : a - b;
    return lo + nextInt(span);
}

}  // namespace util
