// The background music on the sound engine (started without a device): it
// comes back with the menus after every kind of ending of a play, at the
// volume the mute choice gives.

#include <gtest/gtest.h>

#include "GameFixture.h"
#include "sound/Engine.h"
#include "window/AudioClip.h"

namespace game_test {
namespace {

class MusicRun : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        ASSERT_TRUE(sound::Engine::initOffline(22050, 32));
        window::AudioClip::setEngineReady(true);
        // Loaded as the host does it: the music starts before the scene loads.
        canvas = new RecordingCanvas();
        canvas->setSize(500, 375);
        canvas->initialise(lang::String(MENTARIUM_BINARY_DIR), nullptr, lang::String("+datfile"), -1);
        ASSERT_TRUE(canvas->prepare());
        ASSERT_TRUE(canvas->loadScene());
        music = canvas->getMusic();
        ASSERT_NE(music, nullptr);
    }
    void TearDown() override {
        GameFixture::TearDown();  // the canvas stops and frees its music
        window::AudioClip::setEngineReady(false);
        sound::Engine::close();
    }
    // The piece stops in the middle of a play, as a clip that ran out or a lost device would.
    void musicStopsDuringPlay() {
        startPractice(0, 0);
        ASSERT_TRUE(sound::Engine::stopChannel(music->getChannel()));
        ASSERT_FALSE(music->isPlaying());
    }

    window::AudioClip* music = nullptr;
};

TEST_F(MusicRun, MusicComesBackWithTheMenusAfterEveryEnding) {
    EXPECT_TRUE(music->isPlaying());

    musicStopsDuringPlay();
    canvas->setState(MentariumCanvas::StateResults);  // the time is up
    EXPECT_TRUE(music->isPlaying());

    musicStopsDuringPlay();
    canvas->setState(MentariumCanvas::StatePaused);  // left through the pause menu
    canvas->onMessage(nullptr, lang::String("ExitYes"));
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(music->getVolume(), 128);

    // Muted, it comes back silent, and sounds again when the sound is turned on.
    canvas->setMuted(true);
    musicStopsDuringPlay();
    canvas->setState(MentariumCanvas::StatePaused);
    canvas->onMessage(nullptr, lang::String("ExitYes"));
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(music->getVolume(), 0);
    canvas->setMuted(false);
    EXPECT_EQ(music->getVolume(), 128);
}

}  // namespace
}  // namespace game_test
