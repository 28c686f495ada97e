#pragma once

#include <memory>

#include "lang/Object.h"
#include "lang/String.h"

namespace sound {
class Sample;
class Stream;
class Song;
}  // namespace sound

namespace window {

// The game's one sound type: a sample, a stream or a tracker module, named like
// a picture ("+item" from the resource archive, anything else a file) and
// loaded on its first play. Every engine call runs inside the process-wide sound
// lock; with the engine not ready every operation does nothing.
class AudioClip : public lang::Object {
public:
    static constexpr int KIND_SAMPLE = 0;
    static constexpr int KIND_STREAM = 1;
    static constexpr int KIND_MODULE = 2;

    AudioClip();
    ~AudioClip() override;
    AudioClip(const AudioClip&) = delete;
    AudioClip& operator=(const AudioClip&) = delete;
    MENTARIUM_CLASS(AudioClip, Object)

    virtual void pause();
    virtual void play();
    virtual void loop();
    virtual void stop();
    virtual void loopSound();
    virtual void pauseSound();
    virtual void playSound();
    virtual void stopSound();
    virtual void setVolume(int volume);  // 22: 0-255
    virtual void setSpeed(float speed);
    virtual void rampVolume(int target, int ticks, bool stopAtEnd);
    virtual void glideSpeed(float target, int ticks);
    virtual bool step(int tick);

    // Names the source and its kind; clears a failed load so the next play tries again.
    void setSource(const lang::String& name, int kind);
    // Loads at once; true when the engine accepted the source.
    bool load(const lang::String& name, int kind);
    // Frees the engine object and the data copy.
    void unload();

    const lang::String& getName() const { return name_; }
    int getKind() const { return kind_; }
    int getChannel() const { return channel_; }
    int getVolume() const { return volume_; }
    float getSpeed() const { return speed_; }
    int getDefaultFrequency() const { return defaultFrequency_; }
    bool hasFailed() const { return loadFailed_; }
    bool isLoaded() const { return sample_ || stream_ || song_; }
    // True while the clip is heard or paused on its channel; false once it has run out or was stopped.
    bool isPlaying() const;

    // The process-wide monitor around every sound engine call (the frame's start-up
    // and shut-down take it too).
    static lang::Object* getSoundLock();
    // Set by the start-up once the engine runs, cleared when it is closed.
    static bool isEngineReady();
    static void setEngineReady(bool ready);
    // Master volume (0-255) of every sample and stream; modules keep their own.
    static void setEffectsVolume(int volume);

private:
    bool loadSource();
    bool loadFromItem();
    bool loadFromFile();
    // Starts the loaded sample or stream on a free channel with the stored volume and speed.
    void startChannel(int loopMode);
    void applySpeed();
    bool channelPaused() const;

    sound::Sample* sample_ = nullptr;  // the engine handle, by kind
    sound::Stream* stream_ = nullptr;
    sound::Song* song_ = nullptr;
    std::unique_ptr<unsigned char[]> dataCopy_;  // bytes a stream from memory plays from
    int channel_ = -1;
    int volume_ = -1;  // -1: never set, the engine's default applies
    int rampTarget_ = -1;
    double rampAccumulator_ = 0.0;
    double rampStep_ = 0.0;
    int rampTicksLeft_ = 0;
    bool stopAtRampEnd_ = false;
    int kind_ = KIND_SAMPLE;
    int defaultFrequency_ = 0;
    float speed_ = 1.0f;
    float speedTarget_ = 1.0f;
    float speedStep_ = 0.0f;
    int speedTicksLeft_ = 0;
    lang::String name_;
    bool loadFailed_ = false;
};

}  // namespace window
