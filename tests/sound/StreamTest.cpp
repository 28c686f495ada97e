#include <gtest/gtest.h>

#include <cmath>

#include "sound/Engine.h"
#include "sound/OfflineEngine.h"
#include "sound/OggEncoder.h"
#include "sound/TestMedia.h"
#include "support/TempDir.h"

using sound::Engine;
using namespace testmedia;

namespace {

constexpr double kPi = 3.14159265358979323846;

// A 441 Hz tone: loud everywhere, so a gap at the loop point shows as a quiet window.
Bytes toneOgg(int frames, int rate = kRate) {
    return makeOgg(frames, rate, 1, [rate](int f, int) { return 0.5 * std::sin(2 * kPi * 441.0 * f / rate); });
}

sound::Stream* openMemory(const Bytes& bytes, int mode) {
    return Engine::openStream(bytes.data(), static_cast<int>(bytes.size()), mode);
}

// The quietest 10 ms window of the frames [from, to).
double quietestWindow(const std::vector<int16_t>& pcm, int from, int to) {
    const int window = kRate / 100;
    double lowest = 1e9;
    for (int f = from; f + window <= to; f += window / 2) lowest = std::min(lowest, level(pcm, f, f + window));
    return lowest;
}

class StreamTest : public OfflineEngineTest {};

TEST_F(StreamTest, AStreamPlaysOnceAndEnds) {
    Bytes ogg = toneOgg(kRate / 2);
    ASSERT_FALSE(ogg.empty());
    sound::Stream* stream = openMemory(ogg, Engine::LoopOff);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(Engine::getDefaultFrequency(stream), kRate);
    int channel = Engine::playStream(-1, stream);
    ASSERT_GE(channel, 0);
    std::vector<int16_t> out = render(kRate);
    EXPECT_NEAR(soundingFrames(out, 100), kRate / 2, kRate / 50);
    EXPECT_GT(level(out, 1000, 5000), 5000);
    EXPECT_FALSE(Engine::isPlaying(channel));
    Engine::closeStream(stream);
}

TEST_F(StreamTest, ALoopingStreamLoopsWithoutAGap) {
    const int length = kRate / 5;  // 0.2 s, so one second passes the loop point five times
    Bytes ogg = toneOgg(length);   // a stream borrows its bytes while it lives
    sound::Stream* stream = openMemory(ogg, Engine::LoopNormal);
    ASSERT_NE(stream, nullptr);
    int channel = Engine::playStream(-1, stream);
    std::vector<int16_t> out = render(kRate);
    EXPECT_TRUE(Engine::isPlaying(channel));
    // A sine of amplitude 0.5 averages about 10400; a gap of 10 ms would drop a window to near 0.
    EXPECT_GT(quietestWindow(out, 200, kRate), 7000);
    Engine::closeStream(stream);
}

TEST_F(StreamTest, PlayingAgainStartsFromTheBeginning) {
    // Loud first half, silent second half: a restart is loud again at once.
    Bytes ogg = makeOgg(kRate / 2, kRate, 1,
                        [](int f, int) { return f < kRate / 4 ? 0.5 * std::sin(2 * kPi * 441.0 * f / kRate) : 0.0; });
    sound::Stream* stream = openMemory(ogg, Engine::LoopOff);
    ASSERT_NE(stream, nullptr);
    Engine::playStream(-1, stream);
    std::vector<int16_t> out = render(kRate * 3 / 8);
    EXPECT_LT(level(out, kRate * 5 / 16, kRate * 3 / 8), 200);
    Engine::playStream(-1, stream);
    out = render(kRate / 8);
    EXPECT_GT(level(out, 500, kRate / 8), 5000);
    Engine::closeStream(stream);
}

TEST_F(StreamTest, ResamplesAStreamOfAnotherRate) {
    Bytes ogg = toneOgg(44100 / 4, 44100);
    sound::Stream* stream = openMemory(ogg, Engine::LoopOff);
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(Engine::getDefaultFrequency(stream), 44100);
    Engine::playStream(-1, stream);
    EXPECT_NEAR(soundingFrames(render(kRate), 100), kRate / 4, kRate / 50);
    Engine::closeStream(stream);
}

TEST_F(StreamTest, PausedStreamIsSilentAndResumes) {
    Bytes ogg = toneOgg(kRate / 5);
    sound::Stream* stream = openMemory(ogg, Engine::LoopNormal);
    int channel = Engine::playStream(-1, stream);
    render(1000);
    Engine::setPaused(channel, true);
    EXPECT_EQ(soundingFrames(render(2000)), 0);
    Engine::setPaused(channel, false);
    EXPECT_GT(level(render(2000), 0, 2000), 5000);
    EXPECT_TRUE(Engine::stopStream(stream));
    EXPECT_FALSE(Engine::isPlaying(channel));
    Engine::closeStream(stream);
}

TEST_F(StreamTest, AWavCanBeStreamedFromAFile) {
    testsupport::TempDir dir;
    writeFile(dir.file("tone.wav"), makeConstantWav(1000, kRate, 0.5));
    writeFile(dir.file("tone.ogg"), toneOgg(1000));
    sound::Stream* wav = Engine::openStream(dir.file("tone.wav").c_str(), Engine::LoopOff);
    sound::Stream* ogg = Engine::openStream(dir.file("tone.ogg").c_str(), Engine::LoopOff);
    ASSERT_NE(wav, nullptr);
    ASSERT_NE(ogg, nullptr);
    Engine::playStream(-1, wav);
    EXPECT_EQ(soundingFrames(render(2000)), 1000);
    Engine::closeStream(wav);
    Engine::closeStream(ogg);
    EXPECT_EQ(Engine::openStream(dir.file("absent.ogg").c_str(), Engine::LoopOff), nullptr);
}

TEST_F(StreamTest, DamagedOggIsRefusedOrEndsQuietly) {
    Bytes ogg = toneOgg(kRate / 4);
    // Cut inside the headers: nothing can be decoded.
    Bytes headersOnly(ogg.begin(), ogg.begin() + 60);
    EXPECT_EQ(openMemory(headersOnly, Engine::LoopNormal), nullptr);
    Bytes garbage(4000, 0x5A);
    EXPECT_EQ(openMemory(garbage, Engine::LoopNormal), nullptr);
    // Cut inside the audio, or scrambled: whatever opens must still end or keep looping without hanging.
    for (size_t cut : {ogg.size() / 2, ogg.size() - 7}) {
        Bytes truncated(ogg.begin(), ogg.begin() + static_cast<long>(cut));
        sound::Stream* stream = openMemory(truncated, Engine::LoopNormal);
        if (stream) {
            Engine::playStream(-1, stream);
            render(kRate / 2);
            Engine::closeStream(stream);
        }
    }
    for (int seed = 1; seed <= 20; ++seed) {
        Bytes scrambled = ogg;
        for (size_t i = 100 + seed; i < scrambled.size(); i += 37 + seed)
            scrambled[i] ^= static_cast<unsigned char>(seed * 29);
        sound::Stream* stream = openMemory(scrambled, Engine::LoopNormal);
        if (stream) {
            Engine::playStream(-1, stream);
            render(kRate / 4);
            Engine::closeStream(stream);
        }
        sound::Sample* sample = Engine::loadSample(scrambled.data(), static_cast<int>(scrambled.size()));
        Engine::freeSample(sample);
    }
}

TEST_F(StreamTest, AnOggSampleIsDecodedWhole) {
    Bytes ogg = toneOgg(kRate / 10);
    sound::Sample* sample = Engine::loadSample(ogg.data(), static_cast<int>(ogg.size()));
    ASSERT_NE(sample, nullptr);
    Engine::playSample(-1, sample);
    EXPECT_NEAR(soundingFrames(render(kRate / 2), 100), kRate / 10, kRate / 100);
    Engine::freeSample(sample);
}

}  // namespace
