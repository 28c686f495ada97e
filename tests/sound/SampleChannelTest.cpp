#include <gtest/gtest.h>

#include "sound/Engine.h"
#include "sound/OfflineEngine.h"
#include "sound/TestMedia.h"

using sound::Engine;
using namespace testmedia;

namespace {

class SampleChannelTest : public OfflineEngineTest {
protected:
    sound::Sample* load(const Bytes& wav) { return Engine::loadSample(wav.data(), static_cast<int>(wav.size())); }
};

// A ramp lets a test read back which source frame is playing.
Bytes rampWav(int frames) {
    return makeWav(frames, kRate, 1, 16, [frames](int f, int) { return static_cast<double>(f) / frames; });
}

TEST_F(SampleChannelTest, HalfVolumeGivesHalfTheLevel) {
    sound::Sample* sample = load(makeConstantWav(2000, kRate, 0.5));
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(Engine::getDefaultFrequency(sample), kRate);
    int channel = Engine::playSample(-1, sample);
    ASSERT_GE(channel, 0);
    ASSERT_TRUE(Engine::setVolume(channel, 128));
    std::vector<int16_t> out = render(1000);
    int expected = static_cast<int>(0.5 * 32767 * 128 / 255.0);
    EXPECT_NEAR(out[100], expected, 3);
    EXPECT_NEAR(out[101], expected, 3);  // a mono sample plays on both sides
    Engine::freeSample(sample);
}

TEST_F(SampleChannelTest, PlaysOnceForItsLengthThenFreesTheChannel) {
    sound::Sample* sample = load(makeConstantWav(1000, kRate, 0.25));
    ASSERT_NE(sample, nullptr);
    int channel = Engine::playSample(-1, sample);
    std::vector<int16_t> out = render(3000);
    EXPECT_EQ(soundingFrames(out), 1000);
    EXPECT_FALSE(Engine::isPlaying(channel));
    Engine::freeSample(sample);
}

TEST_F(SampleChannelTest, DoubleFrequencyHalvesTheLength) {
    sound::Sample* sample = load(makeConstantWav(1000, kRate, 0.25));
    int channel = Engine::playSample(-1, sample);
    ASSERT_TRUE(Engine::setFrequency(channel, 2 * kRate));
    EXPECT_EQ(Engine::getFrequency(channel), 2 * kRate);
    EXPECT_EQ(soundingFrames(render(3000)), 500);
    Engine::freeSample(sample);
}

TEST_F(SampleChannelTest, ASampleAtHalfTheOutputRateLastsTwiceAsLong) {
    Bytes wav = makeWav(500, kRate / 2, 2, 8, [](int, int c) { return c == 0 ? 0.5 : -0.5; });
    sound::Sample* sample = load(wav);
    ASSERT_NE(sample, nullptr);
    Engine::playSample(-1, sample);
    std::vector<int16_t> out = render(2000);
    EXPECT_NEAR(soundingFrames(out), 1000, 1);
    EXPECT_GT(out[20], 10000);  // left and right keep their own signs
    EXPECT_LT(out[21], -10000);
    Engine::freeSample(sample);
}

TEST_F(SampleChannelTest, LoopingSampleKeepsPlayingUntilStopped) {
    sound::Sample* sample = load(makeConstantWav(300, kRate, 0.25));
    Engine::setLoopMode(sample, Engine::LoopNormal);
    int channel = Engine::playSample(-1, sample);
    EXPECT_EQ(soundingFrames(render(2000)), 2000);
    EXPECT_TRUE(Engine::isPlaying(channel));
    EXPECT_TRUE(Engine::stopChannel(channel));
    EXPECT_EQ(soundingFrames(render(500)), 0);
    Engine::freeSample(sample);
}

TEST_F(SampleChannelTest, PauseHoldsThePositionAndResumeContinuesThere) {
    const int frames = 4000;
    sound::Sample* sample = load(rampWav(frames));
    int channel = Engine::playSample(-1, sample);
    render(1000);
    ASSERT_TRUE(Engine::setPaused(channel, true));
    EXPECT_TRUE(Engine::isPaused(channel));
    EXPECT_TRUE(Engine::isPlaying(channel));
    EXPECT_EQ(soundingFrames(render(700)), 0);
    ASSERT_TRUE(Engine::setPaused(channel, false));
    std::vector<int16_t> out = render(10);
    int expected = static_cast<int>(32767.0 * 1000 / frames);
    EXPECT_NEAR(out[0], expected, 10);
    Engine::freeSample(sample);
}

TEST_F(SampleChannelTest, AStaleHandleNoLongerReachesTheChannel) {
    sound::Sample* sample = load(makeConstantWav(100, kRate, 0.25));
    int first = Engine::playSample(0, sample);
    render(200);  // the first sound ends
    int second = Engine::playSample(0, sample);
    ASSERT_GE(second, 0);
    EXPECT_NE(first, second);
    EXPECT_FALSE(Engine::setVolume(first, 0));
    EXPECT_FALSE(Engine::stopChannel(first));
    EXPECT_TRUE(Engine::isPlaying(second));
    Engine::freeSample(sample);
}

TEST_F(SampleChannelTest, ThirtyTwoFullScaleChannelsClipInsteadOfWrapping) {
    sound::Sample* high = load(makeConstantWav(1000, kRate, 0.9));
    sound::Sample* low = load(makeConstantWav(1000, kRate, -0.9));
    for (int i = 0; i < 32; ++i) ASSERT_GE(Engine::playSample(-1, high), 0);
    EXPECT_EQ(Engine::playSample(-1, high), -1);  // every channel is busy
    std::vector<int16_t> out = render(500);
    for (int16_t v : out) ASSERT_EQ(v, 32767);
    render(1000);
    for (int i = 0; i < 32; ++i) Engine::playSample(-1, low);
    out = render(500);
    for (int16_t v : out) ASSERT_EQ(v, -32768);
    Engine::freeSample(high);
    Engine::freeSample(low);
}

TEST_F(SampleChannelTest, FreeingASampleSilencesItsChannels) {
    sound::Sample* sample = load(makeConstantWav(5000, kRate, 0.25));
    int channel = Engine::playSample(-1, sample);
    Engine::freeSample(sample);
    EXPECT_FALSE(Engine::isPlaying(channel));
    EXPECT_EQ(soundingFrames(render(500)), 0);
}

TEST_F(SampleChannelTest, EffectsVolumeScalesEveryChannel) {
    sound::Sample* sample = load(makeConstantWav(2000, kRate, 0.5));
    Engine::setEffectsVolume(0);
    Engine::playSample(-1, sample);
    EXPECT_EQ(soundingFrames(render(500)), 0);
    Engine::setEffectsVolume(255);
    EXPECT_EQ(soundingFrames(render(500)), 500);
    Engine::freeSample(sample);
}

TEST_F(SampleChannelTest, NothingPlaysWithoutARunningEngine) {
    Bytes wav = makeConstantWav(100, kRate, 0.5);
    sound::Sample* sample = load(wav);
    Engine::close();
    EXPECT_EQ(Engine::loadSample(wav.data(), static_cast<int>(wav.size())), nullptr);
    EXPECT_EQ(Engine::playSample(-1, sample), -1);
    EXPECT_FALSE(Engine::render(nullptr, 0));
    Engine::freeSample(sample);  // still frees its memory
}

}  // namespace
