#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>

#include "sound/Engine.h"
#include "sound/OfflineEngine.h"
#include "sound/OggEncoder.h"
#include "sound/TestMedia.h"
#include "support/TempDir.h"

using sound::Engine;
using namespace testmedia;

namespace {

// The real engine on SDL's disk driver: the output lands in a file, a little
// faster than real time.
class DiskDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file("out.raw");
        driver.emplace("SDL_AUDIODRIVER", "disk");
        file.emplace("SDL_DISKAUDIOFILE", path.c_str());
        delay.emplace("SDL_DISKAUDIODELAY", "4");
        Engine::setBufferSize(-1);
        Engine::setOutput(Engine::DefaultOutput);
        ASSERT_TRUE(Engine::init(kRate, 32, 0));
    }
    void TearDown() override { Engine::close(); }

    long framesWritten() const {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size / 4) : 0;
    }
    // Waits (at most 10 s) until count more frames have been written.
    void waitFrames(long count) const {
        long target = framesWritten() + count;
        auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (framesWritten() < target && std::chrono::steady_clock::now() < limit)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_GE(framesWritten(), target);
    }
    // Closes the engine and reads what it wrote.
    std::vector<int16_t> output() {
        Engine::close();
        std::vector<int16_t> pcm;
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return pcm;
        int16_t buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 2, 4096, f)) > 0) pcm.insert(pcm.end(), buffer, buffer + n);
        std::fclose(f);
        return pcm;
    }
    sound::Sample* load(const Bytes& wav) { return Engine::loadSample(wav.data(), static_cast<int>(wav.size())); }

    testsupport::TempDir dir;
    std::string path;
    std::optional<testsupport::ScopedEnv> driver, file, delay;
};

TEST_F(DiskDeviceTest, ASampleAtVolume128ReachesTheOutputAtHalfLevel) {
    EXPECT_GT(Engine::getBufferFrames(), 0);
    sound::Sample* sample = load(makeConstantWav(2205, kRate, 0.5));
    int channel = Engine::playSample(-1, sample, true);
    Engine::setVolume(channel, 128);
    Engine::setPaused(channel, false);
    waitFrames(8000);
    std::vector<int16_t> pcm = output();
    EXPECT_NEAR(peak(pcm), static_cast<int>(0.5 * 32767 * 128 / 255.0), 3);
    EXPECT_EQ(soundingFrames(pcm), 2205);
    Engine::freeSample(sample);
}

TEST_F(DiskDeviceTest, DoubleSpeedHalvesTheLength) {
    sound::Sample* sample = load(makeConstantWav(2000, kRate, 0.5));
    int channel = Engine::playSample(-1, sample, true);
    Engine::setFrequency(channel, 2 * kRate);
    Engine::setPaused(channel, false);
    waitFrames(6000);
    EXPECT_EQ(soundingFrames(output()), 1000);
    Engine::freeSample(sample);
}

TEST_F(DiskDeviceTest, PauseAndResumeLeaveASilentStretch) {
    sound::Sample* sample = load(makeConstantWav(100, kRate, 0.5));
    Engine::setLoopMode(sample, Engine::LoopNormal);
    int channel = Engine::playSample(-1, sample);
    waitFrames(4000);
    Engine::setPaused(channel, true);
    waitFrames(4000);
    Engine::setPaused(channel, false);
    waitFrames(4000);
    std::vector<int16_t> pcm = output();
    int frames = static_cast<int>(pcm.size() / 2);
    // Find sound, then a silence of at least 2000 frames, then sound again.
    int first = 0;
    while (first < frames && pcm[2 * first] == 0) ++first;
    int pauseStart = first;
    while (pauseStart < frames && pcm[2 * pauseStart] != 0) ++pauseStart;
    int resumed = pauseStart;
    while (resumed < frames && pcm[2 * resumed] == 0) ++resumed;
    EXPECT_GE(pauseStart - first, 2000);
    EXPECT_GE(resumed - pauseStart, 2000);
    EXPECT_LT(resumed, frames);
    Engine::freeSample(sample);
}

TEST_F(DiskDeviceTest, ALoopingStreamKeepsSounding) {
    Bytes ogg = makeOgg(kRate / 5, kRate, 1, [](int f, int) { return 0.5 * std::sin(f * 0.1256); });
    sound::Stream* stream = Engine::openStream(ogg.data(), static_cast<int>(ogg.size()), Engine::LoopNormal);
    ASSERT_NE(stream, nullptr);
    Engine::playStream(-1, stream);
    waitFrames(kRate);
    Engine::stopStream(stream);
    std::vector<int16_t> pcm = output();
    EXPECT_GT(soundingFrames(pcm, 200), kRate * 3 / 4);
    Engine::closeStream(stream);
}

TEST_F(DiskDeviceTest, AModuleProducesSound) {
    Bytes mod = makeModule();
    sound::Song* song = Engine::loadSong(mod.data(), static_cast<int>(mod.size()));
    ASSERT_NE(song, nullptr);
    Engine::playSong(song);
    waitFrames(kRate / 2);
    std::vector<int16_t> pcm = output();
    EXPECT_GT(soundingFrames(pcm, 100), kRate / 4);
    Engine::freeSong(song);
}

TEST_F(DiskDeviceTest, ThirtyTwoChannelsClipWithoutWrapping) {
    sound::Sample* sample = load(makeWav(4000, kRate, 1, 16, [](int f, int) { return f % 2 ? 0.95 : -0.95; }));
    // Muted while they start, so all 32 are heard from the same frame on.
    Engine::setEffectsVolume(0);
    for (int i = 0; i < 32; ++i) Engine::playSample(-1, sample);
    Engine::setEffectsVolume(255);
    waitFrames(8000);
    std::vector<int16_t> pcm = output();
    int high = 0, low = 0;
    for (size_t i = 0; i < pcm.size(); i += 2) {
        high += pcm[i] == 32767;
        low += pcm[i] == -32768;
    }
    // Every frame of the sample is pinned at the rail of its own sign.
    EXPECT_EQ(high, 2000);
    EXPECT_EQ(low, 2000);
    Engine::freeSample(sample);
}

TEST_F(DiskDeviceTest, TheBufferLengthFollowsTheSetting) {
    Engine::close();
    Engine::setBufferSize(200);  // milliseconds
    ASSERT_TRUE(Engine::init(kRate, 32, 0));
    EXPECT_EQ(Engine::getBufferFrames(), 8192);
    Engine::close();
    Engine::setBufferSize(-1);
    ASSERT_TRUE(Engine::init(kRate, 32, 0));
    EXPECT_EQ(Engine::getBufferFrames(), 1024);
}

TEST(AudioDeviceTest, NoDeviceMeansTheEngineDoesNotStart) {
    testsupport::ScopedEnv driver("SDL_AUDIODRIVER", "no-such-driver");
    EXPECT_FALSE(Engine::init(kRate, 32, 0));
    EXPECT_FALSE(Engine::isRunning());
    Bytes wav = makeConstantWav(100, kRate, 0.5);
    EXPECT_EQ(Engine::loadSample(wav.data(), static_cast<int>(wav.size())), nullptr);
    EXPECT_FALSE(Engine::init(kRate, 0, 0));
}

}  // namespace
