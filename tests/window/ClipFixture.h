#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sound/OfflineEngine.h"
#include "sound/TestMedia.h"
#include "support/TempDir.h"
#include "window/AudioClip.h"

namespace testmedia {

// Clips on the engine started without a device; the test renders the output itself.
class AudioClipTest : public OfflineEngineTest {
protected:
    void SetUp() override {
        OfflineEngineTest::SetUp();
        window::AudioClip::setEngineReady(true);
        // A ramp: the level heard tells which frame plays.
        writeFile(dir.file("ramp.wav"), makeWav(8000, kRate, 1, 16, [](int f, int) { return f / 8000.0; }));
        writeFile(dir.file("level.wav"), makeConstantWav(4000, kRate, 0.5));
    }
    void TearDown() override {
        for (window::AudioClip* clip : clips) clip->release();
        window::AudioClip::setEngineReady(false);
        OfflineEngineTest::TearDown();
    }
    window::AudioClip* clip(const std::string& name, int kind = window::AudioClip::KIND_SAMPLE) {
        auto* made = new window::AudioClip();
        made->setSource(lang::String(name.c_str()), kind);
        clips.push_back(made);
        return made;
    }
    // The ramp file's value at frame f, as the mixer writes it at full volume.
    static int rampAt(int f) { return static_cast<int>(32767.0 * f / 8000.0); }

    testsupport::TempDir dir;
    std::vector<window::AudioClip*> clips;
};

}  // namespace testmedia
