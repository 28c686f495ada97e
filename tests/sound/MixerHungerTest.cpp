// The mixer tells the feeder when a stream's ring is down to half, so the feeder
// can sleep between those moments instead of looking every few milliseconds.
#include <gtest/gtest.h>

#include <vector>

#include "sound/Mixer.h"
#include "sound/PcmDecoder.h"
#include "sound/StreamSource.h"
#include "sound/TestMedia.h"

namespace {

constexpr int kRing = 4096;
constexpr int kRate = 22050;

void countHunger(void* calls) { ++*static_cast<int*>(calls); }

TEST(MixerHungerTest, AStreamRingDrainedToHalfCallsTheHandlerOnce) {
    testmedia::Bytes wav = testmedia::makeConstantWav(10 * kRing, kRate, 0.25);
    sound::SampleData data;
    ASSERT_TRUE(data.decode(wav.data(), wav.size()));
    sound::StreamSource source(new sound::PcmDecoder(std::move(data)), kRing);
    std::vector<float> scratch(2 * kRing);
    source.fill(scratch.data(), kRing);
    ASSERT_EQ(source.ring().available(), kRing);

    sound::Mixer mixer(kRate, 4);
    int calls = 0;
    mixer.setHungerHandler(&countHunger, &calls);
    {
        std::lock_guard<std::mutex> hold(mixer.lock());
        ASSERT_GE(mixer.start(-1, nullptr, &source, source.rate(), false), 0);
    }
    std::vector<int16_t> out(2 * kRing);
    mixer.mix(out.data(), kRing / 4);
    EXPECT_EQ(calls, 0) << "three quarters of the ring are still there";
    mixer.mix(out.data(), kRing / 4 + 8);
    EXPECT_EQ(calls, 1) << "the ring is below half";
    source.fill(scratch.data(), kRing);
    mixer.mix(out.data(), 64);
    EXPECT_EQ(calls, 1) << "a topped-up ring is not hungry";
}

}  // namespace
