#include "sound/Mixer.h"

#include <algorithm>
#include <cmath>

#include "sound/Sample.h"
#include "sound/Song.h"
#include "sound/StreamSource.h"

namespace sound {
namespace {

constexpr int kChunk = 256;
constexpr int kScratchFrames = kChunk * Mixer::kMaxStep + 2;
constexpr unsigned kGenerationMask = 0x7FFFFF;  // keeps handles positive

int handleFor(int index, unsigned generation) {
    return static_cast<int>(((generation & kGenerationMask) << 8) | static_cast<unsigned>(index));
}

int16_t toPcm(float value) {
    // Clip, never wrap: a sum past full scale stays at full scale.
    float scaled = value * 32767.0f;
    if (scaled >= 32767.0f) return 32767;
    if (scaled <= -32768.0f) return -32768;
    return static_cast<int16_t>(std::lrint(scaled));
}

}  // namespace

Mixer::Mixer(int rate, int channels)
    : rate_(rate),
      voices_(static_cast<size_t>(channels)),
      accumulator_(static_cast<size_t>(kChunk) * 2),
      scratch_(static_cast<size_t>(kScratchFrames) * 2) {}

double Mixer::stepFor(int frequency) const {
    double step = static_cast<double>(frequency) / rate_;
    return std::clamp(step, 1.0 / 256, static_cast<double>(kMaxStep));
}

void Mixer::mix(int16_t* out, int frames) {
    bool hungry;
    {
        std::lock_guard<std::mutex> guard(lock_);
        while (frames > 0) {
            int n = std::min(frames, kChunk);
            mixChunk(n);
            for (int i = 0; i < 2 * n; ++i) out[i] = toPcm(accumulator_[i]);
            out += 2 * n;
            frames -= n;
        }
        hungry = hungry_;
        hungry_ = false;
    }
    if (hungry && hungerHandler_) hungerHandler_(hungerUser_);
}

void Mixer::mixChunk(int frames) {
    std::fill(accumulator_.begin(), accumulator_.begin() + 2 * frames, 0.0f);
    const float effects = static_cast<float>(effectsVolume_) / 255.0f;
    for (Voice& voice : voices_) {
        if (!voice.active || voice.paused) continue;
        float gain = static_cast<float>(voice.volume) / 255.0f * effects;
        voice.active = voice.sample ? mixSample(voice, gain, frames) : mixStream(voice, gain, frames);
    }
    for (int i = 0; i < songCount_; ++i) {
        Song* song = songs_[i];
        Voice& voice = song->voice();
        if (!voice.active || voice.paused) continue;
        voice.active = mixStream(voice, static_cast<float>(song->masterVolume()) / 255.0f, frames);
        if (!voice.active) song->setPlaying(false);
    }
}

bool Mixer::mixSample(Voice& voice, float gain, int frames) {
    const SampleData& data = voice.sample->data();
    const float* s = data.frames.data();
    const int count = data.frameCount();
    const bool loop = voice.sample->looping();
    float* acc = accumulator_.data();
    double pos = voice.position;
    for (int i = 0; i < frames; ++i) {
        int index = static_cast<int>(pos);
        if (index >= count) {
            if (!loop || count == 0) return false;
            pos = std::fmod(pos, static_cast<double>(count));
            index = static_cast<int>(pos);
        }
        int next = index + 1 < count ? index + 1 : (loop ? 0 : index);
        float frac = static_cast<float>(pos - index);
        float left = s[2 * index] + (s[2 * next] - s[2 * index]) * frac;
        float right = s[2 * index + 1] + (s[2 * next + 1] - s[2 * index + 1]) * frac;
        acc[2 * i] += left * gain;
        acc[2 * i + 1] += right * gain;
        pos += voice.step;
    }
    voice.position = pos;
    return true;
}

bool Mixer::mixStream(Voice& voice, float gain, int frames) {
    StreamSource& source = *voice.stream;
    // Read the flag before the ring: once it is set, every frame is already visible.
    const bool ended = source.ended();
    int need = std::min(static_cast<int>(voice.position + (frames - 1) * voice.step) + 2, kScratchFrames);
    float* s = scratch_.data();
    int got = source.ring().peek(s, need);
    float* acc = accumulator_.data();
    double pos = voice.position;
    bool exhausted = false;
    for (int i = 0; i < frames; ++i) {
        int index = static_cast<int>(pos);
        int next = index + 1;
        if (next >= got) {
            // Not decoded yet: leave the rest of this chunk silent and wait for the feeder.
            if (!ended || index >= got) {
                exhausted = ended;
                break;
            }
            next = index;
        }
        float frac = static_cast<float>(pos - index);
        acc[2 * i] += (s[2 * index] + (s[2 * next] - s[2 * index]) * frac) * gain;
        acc[2 * i + 1] += (s[2 * index + 1] + (s[2 * next + 1] - s[2 * index + 1]) * frac) * gain;
        pos += voice.step;
    }
    int consumed = std::min(static_cast<int>(pos), got);
    source.ring().consume(consumed);
    voice.position = pos - consumed;
    if (!ended && source.ring().available() <= source.ring().capacity() / 2) hungry_ = true;
    return !(exhausted || (ended && got == 0));
}

int Mixer::start(int channel, const Sample* sample, StreamSource* stream, int frequency, bool paused) {
    int index = channel;
    if (index < 0) {
        index = -1;
        for (size_t i = 0; i < voices_.size(); ++i) {
            if (!voices_[i].active) {
                index = static_cast<int>(i);
                break;
            }
        }
        if (index < 0) return -1;
    } else {
        index &= 0xFF;
        if (index >= channelCount()) return -1;
    }
    Voice& voice = voices_[static_cast<size_t>(index)];
    unsigned generation = voice.generation + 1;
    voice = Voice{};
    voice.sample = sample;
    voice.stream = stream;
    voice.frequency = frequency;
    voice.step = stepFor(frequency);
    voice.active = true;
    voice.paused = paused;
    voice.generation = generation;
    return handleFor(index, generation);
}

Voice* Mixer::find(int handle) {
    if (handle < 0) return nullptr;
    int index = handle & 0xFF;
    if (index >= channelCount()) return nullptr;
    Voice& voice = voices_[static_cast<size_t>(index)];
    if (!voice.active || handleFor(index, voice.generation) != handle) return nullptr;
    return &voice;
}

void Mixer::stopAll(const Sample* sample) {
    for (Voice& voice : voices_)
        if (voice.sample == sample) voice.active = false;
}

void Mixer::stopAll(const StreamSource* stream) {
    for (Voice& voice : voices_)
        if (voice.stream == stream) voice.active = false;
}

bool Mixer::addSong(Song* song) {
    for (int i = 0; i < songCount_; ++i)
        if (songs_[i] == song) return true;
    if (songCount_ == kMaxSongs) return false;
    songs_[songCount_++] = song;
    return true;
}

void Mixer::removeSong(Song* song) {
    for (int i = 0; i < songCount_; ++i) {
        if (songs_[i] == song) {
            songs_[i] = songs_[--songCount_];
            return;
        }
    }
}

}  // namespace sound
