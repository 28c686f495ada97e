#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "sound/Voice.h"

namespace sound {

class Sample;
class Song;
class StreamSource;

// Adds the active channels and songs into 16-bit stereo output. Everything it
// needs while mixing is allocated up front; callers change channels only while
// holding lock(), and mix() holds it only for the one buffer it renders.
class Mixer {
public:
    static constexpr int kMaxSongs = 16;
    static constexpr int kMaxStep = 16;  // fastest playback, in source frames per output frame

    Mixer(int rate, int channels);

    int rate() const { return rate_; }
    int channelCount() const { return static_cast<int>(voices_.size()); }
    std::mutex& lock() { return lock_; }

    // Renders frames stereo frames into out (interleaved); takes the lock.
    void mix(int16_t* out, int frames);

    // Called (on the mixing thread, without the lock) after a mix that left some
    // playing stream's ring at or below half full, so that its feeder can sleep
    // until then. Set before mixing starts.
    void setHungerHandler(void (*handler)(void* user), void* user) {
        hungerHandler_ = handler;
        hungerUser_ = user;
    }

    // The rest: the caller holds lock().
    // Starts a sample or a stream on a channel (-1: the first free one).
    // Returns the channel handle, or -1 when no channel is free.
    int start(int channel, const Sample* sample, StreamSource* stream, int frequency, bool paused);
    // The voice a handle names, or null when the handle is stale or invalid.
    Voice* find(int handle);
    void stopAll(const Sample* sample);
    void stopAll(const StreamSource* stream);
    bool addSong(Song* song);
    void removeSong(Song* song);
    void setEffectsVolume(int volume) { effectsVolume_ = volume; }
    double stepFor(int frequency) const;

private:
    void mixChunk(int frames);
    bool mixSample(Voice& voice, float gain, int frames);
    bool mixStream(Voice& voice, float gain, int frames);

    int rate_;
    std::mutex lock_;
    std::vector<Voice> voices_;
    Song* songs_[kMaxSongs] = {};
    int songCount_ = 0;
    int effectsVolume_ = 255;
    std::vector<float> accumulator_;  // one chunk of stereo sums
    std::vector<float> scratch_;      // stream frames copied out of a ring
    bool hungry_ = false;             // a ring fell to its low-water mark in this mix
    void (*hungerHandler_)(void*) = nullptr;
    void* hungerUser_ = nullptr;
};

}  // namespace sound
