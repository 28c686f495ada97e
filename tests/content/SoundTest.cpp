// The sound effects and the music decode with the real libraries (SDL for
// WAV, libvorbisfile for Ogg Vorbis), have the engine's rate, are audible
// without clipping, end quietly, and the music loops without a jump.

#include <gtest/gtest.h>

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "ContentFiles.h"

namespace contenttest {
namespace {

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<int16_t> loadWav(const std::string& path, SDL_AudioSpec& format) {
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path.c_str(), &format, &buffer, &length)) {
        ADD_FAILURE() << path << ": " << SDL_GetError();
        return {};
    }
    std::vector<int16_t> samples(length / 2);
    std::copy(buffer, buffer + (length / 2) * 2, reinterpret_cast<Uint8*>(samples.data()));
    SDL_FreeWAV(buffer);
    return samples;
}

struct Decoded {
    int rate = 0, channels = 0;
    std::vector<float> samples;  // first channel
};

Decoded decodeOgg(const std::string& path) {
    Decoded out;
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) {
        ADD_FAILURE() << path << " does not open as Ogg Vorbis";
        return out;
    }
    const vorbis_info* info = ov_info(&vf, -1);
    out.rate = static_cast<int>(info->rate);
    out.channels = info->channels;
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        const long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0) {
            EXPECT_EQ(n, 0) << "decode error in " << path;
            break;
        }
        out.samples.insert(out.samples.end(), pcm[0], pcm[0] + n);
    }
    ov_clear(&vf);
    return out;
}

TEST(Sounds, EveryEffectDecodesAtTheEngineRate) {
    int effects = 0;
    for (const auto& [name, file] : items()) {
        if (!endsWith(file, ".wav")) continue;
        SDL_AudioSpec format;
        const std::vector<int16_t> s = loadWav(file, format);
        ASSERT_FALSE(s.empty()) << name;
        EXPECT_EQ(format.freq, 22050) << name;
        EXPECT_EQ(format.channels, 1) << name;
        EXPECT_EQ(format.format, AUDIO_S16LSB) << name;
        int peak = 0;
        for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_GT(peak, 32768 / 20) << name << " is nearly silent";
        EXPECT_LT(peak, 32767) << name << " clips";
        EXPECT_LT(std::abs(s.back()), 100) << name << " stops on a step (a click)";
        EXPECT_LT(s.size(), 22050u * 3) << name << " is too long for an effect";
        ++effects;
    }
    EXPECT_GE(effects, 12);
}

TEST(Sounds, ClickAndTickAreShort) {
    for (const char* name : {"sfxClick", "sfxTick", "sfxHover"}) {
        SDL_AudioSpec format;
        EXPECT_LT(loadWav(items().at(name), format).size(), 22050u / 8) << name;
    }
}

class Music : public ::testing::Test {
protected:
    static void SetUpTestSuite() { music_ = new Decoded(decodeOgg(items().at("musicGame"))); }
    static void TearDownTestSuite() { delete music_; }
    static Decoded* music_;
};
Decoded* Music::music_ = nullptr;

TEST_F(Music, IsACalmPieceOfAtLeastAMinute) {
    EXPECT_EQ(music_->rate, 22050);
    EXPECT_EQ(music_->channels, 1);
    EXPECT_GE(music_->samples.size(), 60u * 22050u);
    double sum = 0;
    float peak = 0;
    for (float v : music_->samples) {
        sum += v * v;
        peak = std::max(peak, std::fabs(v));
    }
    const double rms = std::sqrt(sum / music_->samples.size());
    EXPECT_GT(rms, 0.02) << "too quiet";
    EXPECT_LT(rms, 0.3) << "too loud for background music";
    EXPECT_LT(peak, 0.99f) << "clips";
}

// Played as a loop, the last sample is followed by the first: the step
// between them must be no larger than the steps inside the music.
TEST_F(Music, EndJoinsStartWithoutAJump) {
    const std::vector<float>& s = music_->samples;
    ASSERT_GT(s.size(), 1000u);
    std::vector<float> steps;
    for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::fabs(s[i] - s[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
    const float typical = steps[steps.size() * 99 / 100];
    const float join = std::fabs(s.front() - s.back());
    EXPECT_LE(join, typical) << "join step " << join << ", 99th percentile of steps " << typical;
    // The music is playing at the join: a loop must not fade through silence.
    float around = 0;
    for (size_t i = 0; i < 2205; ++i) around = std::max({around, std::fabs(s[i]), std::fabs(s[s.size() - 1 - i])});
    EXPECT_GT(around, 0.01f);
}

}  // namespace
}  // namespace contenttest
