#include <gtest/gtest.h>

#include "sound/SampleData.h"
#include "sound/StreamBuffer.h"
#include "sound/TestMedia.h"

using namespace testmedia;

namespace {

TEST(SampleDataTest, DecodesEightAndSixteenBitWavToStereoFloats) {
    sound::SampleData data;
    Bytes mono = makeWav(10, 11025, 1, 8, [](int, int) { return 0.5; });
    ASSERT_TRUE(data.decode(mono.data(), mono.size()));
    EXPECT_EQ(data.rate, 11025);
    EXPECT_EQ(data.frameCount(), 10);
    EXPECT_NEAR(data.frames[0], 0.5, 0.01);
    EXPECT_NEAR(data.frames[1], 0.5, 0.01);

    Bytes stereo = makeWav(7, 44100, 2, 16, [](int f, int c) { return c ? -f / 10.0 : f / 10.0; });
    ASSERT_TRUE(data.decode(stereo.data(), stereo.size()));
    EXPECT_EQ(data.frameCount(), 7);
    EXPECT_NEAR(data.frames[2 * 6], 0.6, 0.001);
    EXPECT_NEAR(data.frames[2 * 6 + 1], -0.6, 0.001);
}

TEST(SampleDataTest, RefusesWhatIsNotASound) {
    sound::SampleData data;
    Bytes text = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_FALSE(data.decode(text.data(), text.size()));
    EXPECT_FALSE(data.decode(nullptr, 100));
    Bytes wav = makeConstantWav(100, 22050, 0.5);
    EXPECT_FALSE(data.decode(wav.data(), 30));  // cut inside the format chunk
    EXPECT_TRUE(data.frames.empty());
}

TEST(SampleDataTest, ADamagedWavNeverYieldsMoreThanItHolds) {
    Bytes wav = makeConstantWav(1000, 22050, 0.5);
    sound::SampleData data;
    // Cut inside the data: at most what is there.
    Bytes cut(wav.begin(), wav.begin() + 44 + 600);
    if (data.decode(cut.data(), cut.size())) {
        EXPECT_LE(data.frameCount(), 300);
    }
    // A data chunk claiming far more bytes than the file holds.
    Bytes lying = wav;
    lying[40] = lying[41] = lying[42] = 0xFF;
    lying[43] = 0x7F;
    if (data.decode(lying.data(), lying.size())) {
        EXPECT_LE(data.frameCount(), 1000);
    }
    // Nonsense in the format fields: zero channels, zero rate, odd bit depths.
    for (int field : {22, 24, 34}) {
        Bytes bad = wav;
        bad[field] = 0;
        bad[field + 1] = 0;
        EXPECT_FALSE(data.decode(bad.data(), bad.size())) << "field at " << field;
    }
}

TEST(StreamBufferTest, WrapsAroundAndNeverOverfills) {
    sound::StreamBuffer ring(8);
    float in[20], out[20];
    for (int i = 0; i < 20; ++i) in[i] = static_cast<float>(i);
    EXPECT_EQ(ring.write(in, 6), 6);
    EXPECT_EQ(ring.peek(out, 4), 4);
    ring.consume(4);
    EXPECT_EQ(ring.write(in, 10), 6);  // only 6 free frames
    EXPECT_EQ(ring.available(), 8);
    EXPECT_EQ(ring.space(), 0);
    ASSERT_EQ(ring.peek(out, 10), 8);
    // Frames 4 and 5 of the first write, then frames 0..5 of the second, across the wrap.
    EXPECT_EQ(out[0], 8.0f);
    EXPECT_EQ(out[3], 11.0f);
    EXPECT_EQ(out[4], 0.0f);
    EXPECT_EQ(out[15], 11.0f);
    ring.reset();
    EXPECT_EQ(ring.available(), 0);
}

}  // namespace
