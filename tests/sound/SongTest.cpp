#include <gtest/gtest.h>

#include "sound/Engine.h"
#include "sound/OfflineEngine.h"
#include "sound/TestMedia.h"

using sound::Engine;
using namespace testmedia;

namespace {

class SongTest : public OfflineEngineTest {
protected:
    void SetUp() override {
        OfflineEngineTest::SetUp();
        Bytes mod = makeModule();
        song = Engine::loadSong(mod.data(), static_cast<int>(mod.size()));
        ASSERT_NE(song, nullptr);
    }
    void TearDown() override {
        Engine::freeSong(song);
        OfflineEngineTest::TearDown();
    }
    sound::Song* song = nullptr;
};

TEST_F(SongTest, AModuleProducesSoundAndKeepsPlaying) {
    EXPECT_FALSE(Engine::isSongPlaying(song));
    ASSERT_TRUE(Engine::playSong(song));
    EXPECT_TRUE(Engine::isSongPlaying(song));
    std::vector<int16_t> out = render(kRate * 2);
    EXPECT_GT(level(out, 0, kRate / 2), 300);
    EXPECT_GT(level(out, kRate * 3 / 2, kRate * 2), 300);
    EXPECT_TRUE(Engine::isSongPlaying(song));
}

TEST_F(SongTest, PauseSilencesAndResumeContinues) {
    Engine::playSong(song);
    render(2000);
    Engine::setSongPaused(song, true);
    EXPECT_TRUE(Engine::isSongPaused(song));
    EXPECT_EQ(soundingFrames(render(2000)), 0);
    Engine::setSongPaused(song, false);
    EXPECT_FALSE(Engine::isSongPaused(song));
    EXPECT_GT(level(render(2000), 0, 2000), 300);
}

TEST_F(SongTest, MasterVolumeScalesTheSongButNotTheEffects) {
    Engine::playSong(song);
    double full = level(render(4000), 1000, 4000);
    Engine::setSongMasterVolume(song, 64);
    double quarter = level(render(4000), 1000, 4000);
    EXPECT_NEAR(quarter / full, 64 / 255.0, 0.03);
    Engine::setEffectsVolume(0);
    EXPECT_NEAR(level(render(4000), 1000, 4000), quarter, quarter * 0.1);
    Engine::setSongMasterVolume(song, 0);
    EXPECT_EQ(soundingFrames(render(1000)), 0);
}

TEST_F(SongTest, StopEndsTheSong) {
    Engine::playSong(song);
    render(1000);
    EXPECT_TRUE(Engine::stopSong(song));
    EXPECT_FALSE(Engine::isSongPlaying(song));
    EXPECT_EQ(soundingFrames(render(1000)), 0);
}

TEST_F(SongTest, DamagedModulesAreRefused) {
    Bytes mod = makeModule();
    EXPECT_EQ(Engine::loadSong(mod.data(), 40), nullptr);
    Bytes noise(3000);
    for (size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<unsigned char>(i * 7919 >> 3);
    EXPECT_EQ(Engine::loadSong(noise.data(), static_cast<int>(noise.size())), nullptr);
    EXPECT_EQ(Engine::loadSong(static_cast<const void*>(nullptr), 10), nullptr);
    // Damage inside the patterns and sample data still loads and plays without trouble.
    for (int seed = 1; seed <= 10; ++seed) {
        Bytes scrambled = mod;
        for (size_t i = 1084 + static_cast<size_t>(seed); i < scrambled.size(); i += 13)
            scrambled[i] ^= static_cast<unsigned char>(seed * 37);
        sound::Song* other = Engine::loadSong(scrambled.data(), static_cast<int>(scrambled.size()));
        if (other) {
            Engine::playSong(other);
            render(kRate / 4);
            Engine::freeSong(other);
        }
    }
}

}  // namespace
