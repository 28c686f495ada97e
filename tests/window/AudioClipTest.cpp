#include <gtest/gtest.h>

#include "sound/Engine.h"
#include "window/ClipFixture.h"

using sound::Engine;
using window::AudioClip;
using namespace testmedia;

namespace {

TEST_F(AudioClipTest, LoadsLazilyOnFirstPlayAndReadsTheDefaultFrequency) {
    AudioClip* sound = clip(dir.file("level.wav"));
    EXPECT_FALSE(sound->isLoaded());
    sound->play();
    EXPECT_TRUE(sound->isLoaded());
    EXPECT_EQ(sound->getDefaultFrequency(), kRate);
    EXPECT_TRUE(Engine::isPlaying(sound->getChannel()));
    EXPECT_EQ(soundingFrames(render(6000)), 4000);
}

TEST_F(AudioClipTest, WindowsSeparatorsInAFileNameAreAccepted) {
    AudioClip* sound = clip(dir.path() + "\\level.wav");
    sound->play();
    EXPECT_TRUE(sound->isLoaded());
    EXPECT_FALSE(sound->hasFailed());
}

TEST_F(AudioClipTest, StoredVolumeAppliesFromTheFirstFrame) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->setVolume(128);
    sound->play();
    std::vector<int16_t> out = render(100);
    EXPECT_NEAR(out[0], static_cast<int>(0.5 * 32767 * 128 / 255.0), 3);
    sound->setVolume(255);
    EXPECT_NEAR(render(10)[0], 16383, 3);
}

TEST_F(AudioClipTest, RampFrom200ToZeroOverTenTicksThenPauses) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->loop();
    sound->setVolume(200);
    sound->rampVolume(0, 10, true);
    std::vector<int> volumes;
    std::vector<bool> answers;
    for (int tick = 0; tick < 10; ++tick) {
        answers.push_back(sound->step(tick));
        volumes.push_back(sound->getVolume());
        if (tick == 0) {
            EXPECT_NEAR(render(10)[0], static_cast<int>(0.5 * 32767 * 180 / 255.0), 3);
        }
    }
    EXPECT_EQ(volumes, (std::vector<int>{180, 160, 140, 120, 100, 80, 60, 40, 20, 0}));
    EXPECT_EQ(answers, (std::vector<bool>{true, true, true, true, true, true, true, true, true, false}));
    EXPECT_TRUE(Engine::isPaused(sound->getChannel()));
    EXPECT_FALSE(sound->step(10));
}

TEST_F(AudioClipTest, RampCarriesFractionsAndEndsOnTheTarget) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->setVolume(0);
    sound->rampVolume(7, 3, false);
    std::vector<int> volumes;
    for (int tick = 0; tick < 3; ++tick) {
        sound->step(tick);
        volumes.push_back(sound->getVolume());
    }
    EXPECT_EQ(volumes, (std::vector<int>{2, 4, 7}));
    // Downwards too: 7 -> 0 over 3 truncates toward zero and carries the rest.
    sound->rampVolume(0, 3, false);
    volumes.clear();
    for (int tick = 0; tick < 3; ++tick) {
        sound->step(tick);
        volumes.push_back(sound->getVolume());
    }
    EXPECT_EQ(volumes, (std::vector<int>{5, 3, 0}));
}

TEST_F(AudioClipTest, RampWithoutStoredVolumeStartsFromFullVolume) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->loop();
    sound->rampVolume(55, 2, false);
    sound->step(0);
    EXPECT_EQ(sound->getVolume(), 155);
    sound->rampVolume(9, 0, false);  // no ticks: at once
    EXPECT_EQ(sound->getVolume(), 9);
}

TEST_F(AudioClipTest, GlideWithNoTicksDoublesTheFrequencyAtOnce) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->play();
    sound->glideSpeed(2.0f, 0);
    EXPECT_FLOAT_EQ(sound->getSpeed(), 2.0f);
    EXPECT_EQ(Engine::getFrequency(sound->getChannel()), 2 * kRate);
    EXPECT_EQ(soundingFrames(render(6000)), 2000);
}

TEST_F(AudioClipTest, GlideStepsTheSpeedAndLandsOnTheTarget) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->loop();
    sound->glideSpeed(2.0f, 4);
    std::vector<int> frequencies;
    std::vector<bool> answers;
    for (int tick = 0; tick < 4; ++tick) {
        answers.push_back(sound->step(tick));
        frequencies.push_back(Engine::getFrequency(sound->getChannel()));
    }
    EXPECT_EQ(frequencies, (std::vector<int>{27562, 33075, 38587, 44100}));
    EXPECT_EQ(answers, (std::vector<bool>{true, true, true, false}));
}

TEST_F(AudioClipTest, StoredSpeedAppliesToTheNextPlay) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->setSpeed(0.5f);
    sound->play();
    EXPECT_EQ(Engine::getFrequency(sound->getChannel()), kRate / 2);
    EXPECT_EQ(soundingFrames(render(10000)), 8000);
}

TEST_F(AudioClipTest, PlayingTwiceRestartsOnAFreshChannel) {
    AudioClip* sound = clip(dir.file("ramp.wav"));
    sound->play();
    int first = sound->getChannel();
    render(3000);
    sound->play();
    int second = sound->getChannel();
    EXPECT_NE(first, second);
    EXPECT_FALSE(Engine::isPlaying(first));
    std::vector<int16_t> out = render(101);
    EXPECT_NEAR(out[200], rampAt(100), 8);  // from the start again, on one channel only
}

TEST_F(AudioClipTest, LoopResumesAPausedLoopWhereItStopped) {
    AudioClip* sound = clip(dir.file("ramp.wav"));
    sound->loop();
    render(3000);
    sound->pause();
    EXPECT_EQ(soundingFrames(render(1000)), 0);
    sound->loop();
    EXPECT_NEAR(render(1)[0], rampAt(3000), 8);
    // It loops: after the end of the file it starts over.
    std::vector<int16_t> out = render(6000);
    EXPECT_NEAR(out[2 * 5000], rampAt(0), 8);
}

TEST_F(AudioClipTest, LoopOnAPlayingClipRestartsIt) {
    AudioClip* sound = clip(dir.file("ramp.wav"));
    sound->play();
    render(3000);
    sound->loop();
    EXPECT_NEAR(render(1)[0], rampAt(0), 8);
}

TEST_F(AudioClipTest, StopSilencesAndForgetsTheChannel) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->loop();
    int channel = sound->getChannel();
    sound->stop();
    EXPECT_EQ(sound->getChannel(), -1);
    EXPECT_FALSE(Engine::isPlaying(channel));
    EXPECT_EQ(soundingFrames(render(500)), 0);
    EXPECT_TRUE(sound->isLoaded());
}

TEST_F(AudioClipTest, AStreamClipPlaysOnceOrLoops) {
    AudioClip* sound = clip(dir.file("level.wav"), AudioClip::KIND_STREAM);
    sound->play();
    EXPECT_EQ(soundingFrames(render(6000)), 4000);
    sound->loop();
    EXPECT_EQ(soundingFrames(render(10000)), 10000);
    sound->pause();
    EXPECT_EQ(soundingFrames(render(500)), 0);
    sound->loop();
    EXPECT_EQ(soundingFrames(render(500)), 500);
}

TEST_F(AudioClipTest, AModuleClipUsesTheSongsVolumeAndPause) {
    writeFile(dir.file("song.mod"), makeModule());
    AudioClip* music = clip(dir.file("song.mod"), AudioClip::KIND_MODULE);
    music->loop();
    EXPECT_EQ(music->getDefaultFrequency(), 0);
    double full = level(render(4000), 1000, 4000);
    EXPECT_GT(full, 300);
    music->setVolume(0);
    EXPECT_EQ(soundingFrames(render(1000)), 0);
    music->setVolume(255);
    music->pause();
    EXPECT_EQ(soundingFrames(render(1000)), 0);
    music->loop();
    EXPECT_GT(level(render(2000), 0, 2000), 300);
    music->stop();
    EXPECT_EQ(soundingFrames(render(1000)), 0);
}

TEST_F(AudioClipTest, AMissingArchiveItemIsMarkedFailedAndStaysSilent) {
    AudioClip* sound = clip("+missing");
    sound->play();
    EXPECT_TRUE(sound->hasFailed());
    EXPECT_FALSE(sound->isLoaded());
    EXPECT_EQ(sound->getChannel(), -1);
    EXPECT_EQ(soundingFrames(render(500)), 0);
    EXPECT_FALSE(sound->load(lang::String("+missing"), AudioClip::KIND_STREAM));
}

TEST_F(AudioClipTest, AFailedClipIsNotRetriedUntilGivenASourceAgain) {
    AudioClip* sound = clip(dir.file("late.wav"));
    sound->play();
    EXPECT_TRUE(sound->hasFailed());
    writeFile(dir.file("late.wav"), makeConstantWav(100, kRate, 0.5));
    sound->play();
    EXPECT_FALSE(sound->isLoaded());
    sound->setSource(lang::String(dir.file("late.wav").c_str()), AudioClip::KIND_SAMPLE);
    EXPECT_FALSE(sound->hasFailed());
    sound->play();
    EXPECT_TRUE(sound->isLoaded());
}

TEST_F(AudioClipTest, DamagedFilesLeaveTheClipFailed) {
    Bytes wav = makeConstantWav(1000, kRate, 0.5);
    writeFile(dir.file("cut.wav"), Bytes(wav.begin(), wav.begin() + 30));
    writeFile(dir.file("noise.ogg"), Bytes(5000, 0x4F));
    writeFile(dir.file("noise.mod"), Bytes(5000, 0x11));
    AudioClip* cut = clip(dir.file("cut.wav"));
    AudioClip* noise = clip(dir.file("noise.ogg"), AudioClip::KIND_STREAM);
    AudioClip* song = clip(dir.file("noise.mod"), AudioClip::KIND_MODULE);
    for (AudioClip* sound : {cut, noise, song}) {
        sound->loop();
        EXPECT_TRUE(sound->hasFailed());
        EXPECT_FALSE(sound->isLoaded());
    }
    EXPECT_EQ(soundingFrames(render(1000)), 0);
}

TEST_F(AudioClipTest, WithoutTheEngineEverythingIsSilentAndNothingLoads) {
    AudioClip::setEngineReady(false);
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->play();
    sound->loop();
    sound->setVolume(100);
    EXPECT_FALSE(sound->isLoaded());
    EXPECT_FALSE(sound->hasFailed());
    EXPECT_EQ(sound->getVolume(), 100);
    EXPECT_FALSE(sound->load(lang::String(dir.file("level.wav").c_str()), AudioClip::KIND_SAMPLE));
    EXPECT_EQ(soundingFrames(render(500)), 0);
}

TEST_F(AudioClipTest, UnloadReturnsToNamedAndTheNextPlayLoadsAgain) {
    AudioClip* sound = clip(dir.file("level.wav"));
    sound->loop();
    sound->unload();
    EXPECT_FALSE(sound->isLoaded());
    EXPECT_EQ(sound->getChannel(), -1);
    EXPECT_EQ(soundingFrames(render(500)), 0);
    sound->play();
    EXPECT_TRUE(sound->isLoaded());
    EXPECT_EQ(soundingFrames(render(500)), 500);
}

TEST_F(AudioClipTest, EffectsVolumeMutesSamplesButNotModules) {
    writeFile(dir.file("song.mod"), makeModule());
    AudioClip* music = clip(dir.file("song.mod"), AudioClip::KIND_MODULE);
    AudioClip* effect = clip(dir.file("level.wav"));
    AudioClip::setEffectsVolume(0);
    effect->loop();
    EXPECT_EQ(soundingFrames(render(500)), 0);
    music->play();
    EXPECT_GT(level(render(2000), 500, 2000), 300);
    AudioClip::setEffectsVolume(255);
}

}  // namespace
