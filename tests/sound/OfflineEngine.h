#pragma once

// Runs each test on the engine started without a device, so the output can be
// rendered frame by frame and compared exactly.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sound/Engine.h"

namespace testmedia {

constexpr int kRate = 22050;

class OfflineEngineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sound::Engine::initOffline(kRate, 32)); }
    void TearDown() override { sound::Engine::close(); }

    // Renders frames stereo frames and returns them interleaved.
    static std::vector<int16_t> render(int frames) {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        EXPECT_TRUE(sound::Engine::render(out.data(), frames));
        return out;
    }
};

// Frames whose left or right value is not silent.
inline int soundingFrames(const std::vector<int16_t>& pcm, int threshold = 0) {
    int n = 0;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2)
        if (std::abs(pcm[i]) > threshold || std::abs(pcm[i + 1]) > threshold) ++n;
    return n;
}

inline int peak(const std::vector<int16_t>& pcm) {
    int p = 0;
    for (int16_t v : pcm) p = std::max(p, std::abs(static_cast<int>(v)));
    return p;
}

// Mean absolute level of the frames [from, to).
inline double level(const std::vector<int16_t>& pcm, int from, int to) {
    double sum = 0;
    for (int f = from; f < to; ++f) sum += std::abs(pcm[2 * f]) + std::abs(pcm[2 * f + 1]);
    return to > from ? sum / (2.0 * (to - from)) : 0.0;
}

}  // namespace testmedia
