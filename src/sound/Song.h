#pragma once

#include "sound/StreamSource.h"
#include "sound/Voice.h"

namespace sound {

// A tracker module rendered at the mixer's rate, outside the channel table,
// with its own master volume and pause.
class Song {
public:
    explicit Song(Decoder* decoder);

    StreamSource& source() { return source_; }
    Voice& voice() { return voice_; }
    int masterVolume() const { return masterVolume_; }
    void setMasterVolume(int volume) { masterVolume_ = volume; }
    bool playing() const { return playing_; }
    void setPlaying(bool playing) { playing_ = playing; }

private:
    StreamSource source_;
    Voice voice_;
    int masterVolume_ = 255;
    bool playing_ = false;
};

}  // namespace sound
