#include <gtest/gtest.h>

#include "lang/ResourceArchiveWriter.h"
#include "lang/ResourceFile.h"
#include "window/ClipFixture.h"

using window::AudioClip;
using namespace testmedia;

namespace {

// Clips on items of an archive made by our own packer.
class ArchiveClipTest : public AudioClipTest {
protected:
    void SetUp() override {
        AudioClipTest::SetUp();
        lang::ResourceFile::closeChain();
        lang::ResourceArchiveWriter writer;
        Bytes level = makeConstantWav(4000, kRate, 0.5);
        writer.add("effect", std::vector<uint8_t>(level.begin(), level.end()));
        writer.add("music", std::vector<uint8_t>(level.begin(), level.end()));
        Bytes mod = makeModule();
        writer.add("song", std::vector<uint8_t>(mod.begin(), mod.end()));
        writer.add("junk", std::vector<uint8_t>(300, 7));
        writer.write(dir.file("sounds.bin"));
        lang::ResourceFile::open(lang::String(dir.file("sounds.bin").c_str()));
    }
    void TearDown() override {
        AudioClipTest::TearDown();
        lang::ResourceFile::closeChain();
    }
};

TEST_F(ArchiveClipTest, SamplesStreamsAndModulesLoadFromItems) {
    AudioClip* effect = clip("+effect");
    AudioClip* music = clip("+music", AudioClip::KIND_STREAM);
    AudioClip* song = clip("+song", AudioClip::KIND_MODULE);
    effect->play();
    music->loop();
    song->loop();
    for (AudioClip* sound : {effect, music, song}) {
        EXPECT_TRUE(sound->isLoaded());
        EXPECT_FALSE(sound->hasFailed());
    }
    EXPECT_EQ(music->getDefaultFrequency(), kRate);
    song->stop();
    effect->stop();
    // The stream plays from its own copy, so closing the archive leaves it sounding.
    lang::ResourceFile::closeChain();
    EXPECT_EQ(soundingFrames(render(9000)), 9000);
}

TEST_F(ArchiveClipTest, AbsentOrUnusableItemsAreMarkedFailed) {
    AudioClip* absent = clip("+nothing");
    AudioClip* junk = clip("+junk", AudioClip::KIND_STREAM);
    AudioClip* exact = clip("+Effect");  // item names are compared exactly
    for (AudioClip* sound : {absent, junk, exact}) {
        sound->play();
        EXPECT_TRUE(sound->hasFailed());
        EXPECT_FALSE(sound->isLoaded());
    }
    EXPECT_EQ(soundingFrames(render(500)), 0);
}

}  // namespace
