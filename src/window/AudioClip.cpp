#include "window/AudioClip.h"

#include <atomic>
#include <cstring>

#include "lang/ObjectLock.h"
#include "lang/ResourceFile.h"
#include "lang/ResourceItem.h"
#include "platform/SearchPath.h"
#include "sound/Engine.h"

namespace window {
namespace {

std::atomic<bool> engineReady{false};

// The engine's full volume, which a clip without a stored volume plays at.
constexpr int kEngineDefaultVolume = 255;

}  // namespace

using sound::Engine;

AudioClip::AudioClip() = default;

AudioClip::~AudioClip() {
    ObjectLock hold(getSoundLock());
    stopSound();
    unload();
}

lang::Object* AudioClip::getSoundLock() {
    // Never destroyed: clips may be released during static destruction.
    static lang::Object* lock = new lang::Object();
    return lock;
}

bool AudioClip::isEngineReady() { return engineReady.load(std::memory_order_acquire); }

void AudioClip::setEngineReady(bool ready) { engineReady.store(ready, std::memory_order_release); }

void AudioClip::setEffectsVolume(int volume) {
    ObjectLock hold(getSoundLock());
    if (isEngineReady()) Engine::setEffectsVolume(volume);
}

void AudioClip::pause() { pauseSound(); }
void AudioClip::play() { playSound(); }
void AudioClip::loop() { loopSound(); }
void AudioClip::stop() { stopSound(); }

bool AudioClip::isPlaying() const {
    ObjectLock hold(getSoundLock());
    if (!isEngineReady()) return false;
    if (song_) return Engine::isSongPlaying(song_);
    return channel_ != -1 && Engine::isPlaying(channel_);
}

void AudioClip::setSource(const lang::String& name, int kind) {
    name_ = name;
    kind_ = kind;
    loadFailed_ = false;
}

bool AudioClip::load(const lang::String& name, int kind) {
    ObjectLock hold(getSoundLock());
    if (!isEngineReady()) return false;
    stopSound();
    unload();
    name_ = name;
    kind_ = kind;
    bool loaded = name_.startsWith("+") ? loadFromItem() : loadFromFile();
    if (sample_) defaultFrequency_ = Engine::getDefaultFrequency(sample_);
    else if (stream_)
        defaultFrequency_ = Engine::getDefaultFrequency(stream_);
    else
        defaultFrequency_ = 0;
    loadFailed_ = !loaded;
    return loaded;
}

bool AudioClip::loadFromFile() {
    std::string path = platform::nativePath(name_.c_str());
    switch (kind_) {
    case KIND_SAMPLE: sample_ = Engine::loadSample(path.c_str()); break;
    case KIND_STREAM: stream_ = Engine::openStream(path.c_str(), Engine::LoopNormal); break;
    case KIND_MODULE: song_ = Engine::loadSong(path.c_str()); break;
    default: break;
    }
    return isLoaded();
}

bool AudioClip::loadFromItem() {
    lang::ResourceItem* item = lang::ResourceFile::fetch(name_.substring(1), false);
    if (!item) return false;
    const uint8_t* data = item->getData();
    int length = item->getLength();
    if (data && length > 0) {
        switch (kind_) {
        case KIND_SAMPLE: sample_ = Engine::loadSample(data, length); break;
        case KIND_STREAM:
            // The stream reads its bytes while it plays, so it needs a copy that outlives the item.
            dataCopy_.reset(new unsigned char[static_cast<size_t>(length)]);
            std::memcpy(dataCopy_.get(), data, static_cast<size_t>(length));
            stream_ = Engine::openStream(dataCopy_.get(), length, Engine::LoopNormal);
            if (!stream_) dataCopy_.reset();
            break;
        case KIND_MODULE: song_ = Engine::loadSong(data, length); break;
        default: break;
        }
    }
    item->release();
    return isLoaded();
}

void AudioClip::unload() {
    // Frees what it holds even when the engine has gone, so nothing leaks.
    ObjectLock hold(getSoundLock());
    if (sample_) Engine::freeSample(sample_);
    if (stream_) Engine::closeStream(stream_);
    if (song_) Engine::freeSong(song_);
    sample_ = nullptr;
    stream_ = nullptr;
    song_ = nullptr;
    dataCopy_.reset();
    channel_ = -1;
}

bool AudioClip::loadSource() {
    if (!isLoaded() && !name_.isEmpty() && !loadFailed_) load(name_, kind_);
    return isLoaded();
}

void AudioClip::startChannel(int loopMode) {
    if (sample_) {
        Engine::setLoopMode(sample_, loopMode);
        channel_ = Engine::playSample(-1, sample_, true);
    } else {
        Engine::setLoopMode(stream_, loopMode);
        channel_ = Engine::playStream(-1, stream_, true);
    }
    if (channel_ < 0) return;
    // Volume and speed are set before the first frame is heard.
    if (volume_ != -1) Engine::setVolume(channel_, volume_);
    applySpeed();
    Engine::setPaused(channel_, false);
}

void AudioClip::applySpeed() {
    if (speed_ != 1.0f && channel_ != -1)
        Engine::setFrequency(channel_, static_cast<int>(speed_ * static_cast<float>(defaultFrequency_)));
}

bool AudioClip::channelPaused() const { return channel_ != -1 && Engine::isPaused(channel_); }

void AudioClip::playSound() {
    ObjectLock hold(getSoundLock());
    if (!isEngineReady()) return;
    if (isLoaded()) stopSound();
    if (!loadSource()) return;
    if (song_) {
        if (volume_ != -1) Engine::setSongMasterVolume(song_, volume_);
        Engine::playSong(song_);
        return;
    }
    startChannel(Engine::LoopOff);
}

void AudioClip::loopSound() {
    ObjectLock hold(getSoundLock());
    if (!isEngineReady() || !loadSource()) return;
    if (song_) {
        if (Engine::isSongPaused(song_)) {
            Engine::setSongPaused(song_, false);
        } else {
            if (volume_ != -1) Engine::setSongMasterVolume(song_, volume_);
            Engine::playSong(song_);
        }
        return;
    }
    if (channelPaused()) {
        if (sample_) Engine::setLoopMode(sample_, Engine::LoopNormal);
        else
            Engine::setLoopMode(stream_, Engine::LoopNormal);
        Engine::setPaused(channel_, false);
        applySpeed();
        return;
    }
    stopSound();
    startChannel(Engine::LoopNormal);
}

void AudioClip::pauseSound() {
    ObjectLock hold(getSoundLock());
    if (!isEngineReady()) return;
    if (song_) {
        if (Engine::isSongPlaying(song_)) Engine::setSongPaused(song_, true);
    } else if (channel_ != -1) {
        Engine::setPaused(channel_, true);
    }
}

void AudioClip::stopSound() {
    ObjectLock hold(getSoundLock());
    if (!isEngineReady()) return;
    if (song_) {
        if (Engine::isSongPlaying(song_)) Engine::stopSong(song_);
    } else if (stream_) {
        if (channel_ != -1) Engine::stopStream(stream_);
    } else if (channel_ != -1) {
        Engine::stopChannel(channel_);
    }
    channel_ = -1;
}

void AudioClip::setVolume(int volume) {
    volume_ = volume;
    ObjectLock hold(getSoundLock());
    if (!isEngineReady()) return;
    if (song_) {
        if (Engine::isSongPlaying(song_)) Engine::setSongMasterVolume(song_, volume);
    } else if (channel_ != -1) {
        Engine::setVolume(channel_, volume);
    }
}

void AudioClip::setSpeed(float speed) {
    speed_ = speed;
    ObjectLock hold(getSoundLock());
    if (isEngineReady() && channel_ != -1)
        Engine::setFrequency(channel_, static_cast<int>(speed * static_cast<float>(defaultFrequency_)));
}

void AudioClip::rampVolume(int target, int ticks, bool stopAtEnd) {
    if (ticks <= 0) {
        setVolume(target);
        return;
    }
    // A clip never given a volume plays at the engine's full volume; ramp from there.
    if (volume_ < 0) volume_ = kEngineDefaultVolume;
    rampTarget_ = target;
    rampStep_ = static_cast<double>(target - volume_) / ticks;
    rampAccumulator_ = 0.0;
    rampTicksLeft_ = ticks;
    stopAtRampEnd_ = stopAtEnd;
}

void AudioClip::glideSpeed(float target, int ticks) {
    if (ticks <= 0) {
        setSpeed(target);
        return;
    }
    speedTarget_ = target;
    speedStep_ = (target - speed_) / static_cast<float>(ticks);
    speedTicksLeft_ = ticks;
}

bool AudioClip::step(int tick) {
    if (rampTicksLeft_ > 0) {
        if (--rampTicksLeft_ > 0) {
            rampAccumulator_ += rampStep_;
            int whole = static_cast<int>(rampAccumulator_);
            setVolume(volume_ + whole);
            rampAccumulator_ -= whole;
        } else {
            setVolume(rampTarget_);
            if (stopAtRampEnd_) pauseSound();
        }
    }
    if (speedTicksLeft_ > 0) {
        if (--speedTicksLeft_ > 0) setSpeed(speed_ + speedStep_);
        else
            setSpeed(speedTarget_);
    }
    return rampTicksLeft_ > 0 || speedTicksLeft_ > 0;
}

}  // namespace window
