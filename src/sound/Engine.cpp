#include "sound/Engine.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/AudioDevice.h"
#include "sound/ByteSource.h"
#include "sound/Mixer.h"
#include "sound/ModuleDecoder.h"
#include "sound/PcmDecoder.h"
#include "sound/Sample.h"
#include "sound/Song.h"
#include "sound/Stream.h"
#include "sound/VorbisDecoder.h"

namespace sound {
namespace {

constexpr int kDefaultBufferFrames = 1024;
constexpr int kFeedFrames = 4096;
// The mixer wakes the feeder when a ring is down to half (a third of a second
// or more of sound); this look is only the backstop for a wake that came between
// the feeder's check and its wait, and comes well before a half ring runs dry.
constexpr auto kFeedBackstop = std::chrono::milliseconds(100);
constexpr int kRenderChunk = 256;

// A running engine. Lock order: the API lock, then the mixer's lock. The API
// lock serialises callers and the feeder; the audio callback takes only the
// mixer's lock, which nobody holds for more than a few field changes.
struct Core {
    Core(int rate, int channels) : mixer(rate, channels), scratch(static_cast<size_t>(kFeedFrames) * 2) {
        mixer.setHungerHandler(&Core::onHunger, this);
    }

    // On the audio thread: no lock taken, the feeder's wait looks at the flag.
    static void onHunger(void* self) {
        auto* running = static_cast<Core*>(self);
        running->hungry.store(true);
        running->wake.notify_one();
    }

    // Tops up the rings of every source that is playing; API lock held.
    void feed() {
        for (StreamSource* source : sources)
            if (source->active()) source->fill(scratch.data(), kFeedFrames);
    }

    bool anyActive() const {
        for (const StreamSource* source : sources)
            if (source->active()) return true;
        return false;
    }

    void forget(StreamSource* source) {
        sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
    }

    Mixer mixer;
    platform::AudioDevice device;
    bool offline = false;
    std::vector<StreamSource*> sources;
    std::vector<float> scratch;
    std::thread feeder;
    bool quit = false;
    std::atomic<bool> hungry{false};
    std::condition_variable wake;
};

std::mutex apiLock;
Core* core = nullptr;
int bufferMilliseconds = -1;
int outputChoice = Engine::DefaultOutput;

int bufferFramesFor(int rate) {
    if (bufferMilliseconds <= 0) return kDefaultBufferFrames;
    int wanted = static_cast<int>(static_cast<long long>(bufferMilliseconds) * rate / 1000);
    int frames = 64;
    while (frames < wanted && frames < 16384) frames *= 2;
    return frames;
}

void feedLoop(Core* running) {
    std::unique_lock<std::mutex> hold(apiLock);
    while (!running->quit) {
        running->feed();
        // With no stream or song playing there is nothing to top up: sleep until
        // one starts (or the engine closes). While some play, sleep until the
        // mixer has drained a ring to half.
        if (running->anyActive())
            running->wake.wait_for(hold, kFeedBackstop,
                                   [&] { return running->quit || running->hungry.exchange(false); });
        else
            running->wake.wait(hold);
    }
}

void mixInto(void* user, int16_t* out, int frames) { static_cast<Core*>(user)->mixer.mix(out, frames); }

// Runs change under both locks when the engine runs; false when it does not.
template <typename Change>
bool underMixerLock(Change change) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!core) return false;
    std::lock_guard<std::mutex> mixing(core->mixer.lock());
    change();
    return true;
}

// Deletes a stopped stream or song after taking its source off the feeder's list.
template <typename Handle>
void forgetAndDelete(Handle* handle) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (core) core->forget(&handle->source());
    delete handle;
}

bool validFormat(int rate, int channels) { return rate >= 8000 && rate <= 96000 && channels >= 1 && channels <= 255; }

Sample* sampleFrom(const void* data, size_t length) {
    SampleData decoded;
    if (!decoded.decode(data, length)) return nullptr;
    return new Sample(std::move(decoded));
}

// A stream decoder over some bytes: Ogg Vorbis is read as it plays, a WAV is decoded whole.
Decoder* streamDecoderFor(ByteSource* source) {
    if (!source) return nullptr;
    unsigned char magic[4] = {};
    size_t got = source->read(magic, 4);
    source->seek(0, SEEK_SET);
    if (got == 4 && std::equal(magic, magic + 4, "OggS")) return VorbisDecoder::open(source);
    std::vector<unsigned char> bytes(static_cast<size_t>(source->size()));
    bool read = source->read(bytes.data(), bytes.size()) == bytes.size();
    delete source;
    SampleData decoded;
    if (!read || !decoded.decode(bytes.data(), bytes.size())) return nullptr;
    return new PcmDecoder(std::move(decoded));
}

Stream* streamFrom(Decoder* decoder, int mode) {
    if (!decoder) return nullptr;
    // A stream that yields nothing from its start would only ever play silence.
    if (decoder->read(core->scratch.data(), kFeedFrames) <= 0) {
        delete decoder;
        return nullptr;
    }
    auto* stream = new Stream(decoder);
    stream->source().restart();
    stream->source().setLooping((mode & Engine::LoopNormal) != 0);
    core->sources.push_back(&stream->source());
    return stream;
}

Song* songFrom(const void* data, size_t length) {
    ModuleDecoder* decoder = ModuleDecoder::open(data, length, core->mixer.rate());
    if (!decoder) return nullptr;
    auto* song = new Song(decoder);
    song->source().setLooping(true);
    core->sources.push_back(&song->source());
    return song;
}

}  // namespace

void Engine::setBufferSize(int milliseconds) {
    std::lock_guard<std::mutex> hold(apiLock);
    bufferMilliseconds = milliseconds;
}

void Engine::setOutput(int output) {
    std::lock_guard<std::mutex> hold(apiLock);
    outputChoice = output;
}

bool Engine::init(int rate, int channels, int flags) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (core) return true;
    if (!validFormat(rate, channels)) return false;
    auto* created = new Core(rate, channels);
    const char* driver = outputChoice == PlainOutput ? platform::AudioDevice::plainOutputDriver() : nullptr;
    if (!created->device.open(driver, rate, bufferFramesFor(rate), mixInto, created)) {
        delete created;
        return false;
    }
    created->feeder = std::thread(feedLoop, created);
    core = created;
    return true;
}

bool Engine::initOffline(int rate, int channels) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (core) return true;
    if (!validFormat(rate, channels)) return false;
    auto* created = new Core(rate, channels);
    created->offline = true;
    core = created;
    return true;
}

void Engine::close() {
    Core* closing;
    {
        std::lock_guard<std::mutex> hold(apiLock);
        closing = core;
        core = nullptr;
        if (!closing) return;
        closing->quit = true;
        closing->wake.notify_all();
    }
    if (closing->feeder.joinable()) closing->feeder.join();
    closing->device.close();
    delete closing;
}

bool Engine::isRunning() {
    std::lock_guard<std::mutex> hold(apiLock);
    return core != nullptr;
}

int Engine::getOutputRate() {
    std::lock_guard<std::mutex> hold(apiLock);
    return core ? core->mixer.rate() : 0;
}

int Engine::getBufferFrames() {
    std::lock_guard<std::mutex> hold(apiLock);
    return core ? core->device.bufferFrames() : 0;
}

bool Engine::render(int16_t* out, int frames) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!core || !core->offline) return false;
    while (frames > 0) {
        int n = std::min(frames, kRenderChunk);
        core->feed();
        core->mixer.mix(out, n);
        out += 2 * n;
        frames -= n;
    }
    return true;
}

void Engine::setEffectsVolume(int volume) {
    underMixerLock([&] { core->mixer.setEffectsVolume(std::clamp(volume, 0, 255)); });
}

// --- samples ---

Sample* Engine::loadSample(const char* path) {
    std::vector<unsigned char> bytes;
    if (!ByteSource::readFile(path, bytes)) return nullptr;
    return loadSample(bytes.data(), static_cast<int>(bytes.size()));
}

Sample* Engine::loadSample(const void* data, int length) {
    if (!isRunning() || length <= 0) return nullptr;
    // Decoding needs no engine state, so it runs outside the lock.
    return sampleFrom(data, static_cast<size_t>(length));
}

int Engine::getDefaultFrequency(const Sample* sample) { return sample ? sample->data().rate : 0; }

void Engine::setLoopMode(Sample* sample, int mode) {
    if (sample) sample->setLooping(mode == LoopNormal);
}

int Engine::playSample(int channel, Sample* sample, bool startPaused) {
    int handle = -1;
    if (sample)
        underMixerLock([&] { handle = core->mixer.start(channel, sample, nullptr, sample->data().rate, startPaused); });
    return handle;
}

void Engine::freeSample(Sample* sample) {
    if (!sample) return;
    std::lock_guard<std::mutex> hold(apiLock);
    if (core) {
        std::lock_guard<std::mutex> mixing(core->mixer.lock());
        core->mixer.stopAll(sample);
    }
    delete sample;
}

// --- streams ---

Stream* Engine::openStream(const char* path, int mode) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!core) return nullptr;
    return streamFrom(streamDecoderFor(ByteSource::fromFile(path)), mode);
}

Stream* Engine::openStream(const void* data, int length, int mode) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!core || !data || length <= 0) return nullptr;
    return streamFrom(streamDecoderFor(ByteSource::fromMemory(data, static_cast<size_t>(length))), mode);
}

int Engine::getDefaultFrequency(const Stream* stream) { return stream ? stream->source().rate() : 0; }

void Engine::setLoopMode(Stream* stream, int mode) {
    if (stream) stream->source().setLooping(mode == LoopNormal);
}

int Engine::playStream(int channel, Stream* stream, bool startPaused) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!core || !stream) return -1;
    StreamSource& source = stream->source();
    {
        std::lock_guard<std::mutex> mixing(core->mixer.lock());
        core->mixer.stopAll(&source);
    }
    // No voice reads the ring now, and the feeder waits for the API lock.
    source.restart();
    source.fill(core->scratch.data(), kFeedFrames);
    source.setActive(true);
    core->wake.notify_all();
    int handle;
    {
        std::lock_guard<std::mutex> mixing(core->mixer.lock());
        handle = core->mixer.start(channel, nullptr, &source, source.rate(), startPaused);
    }
    if (handle < 0) source.setActive(false);
    stream->setChannel(handle);
    return handle;
}

bool Engine::stopStream(Stream* stream) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!stream) return false;
    bool had = stream->channel() >= 0;
    if (core) {
        std::lock_guard<std::mutex> mixing(core->mixer.lock());
        core->mixer.stopAll(&stream->source());
    }
    stream->source().setActive(false);
    stream->setChannel(-1);
    return had;
}

void Engine::closeStream(Stream* stream) {
    if (!stream) return;
    stopStream(stream);
    forgetAndDelete(stream);
}

// --- songs ---

Song* Engine::loadSong(const char* path) {
    std::vector<unsigned char> bytes;
    if (!ByteSource::readFile(path, bytes)) return nullptr;
    return loadSong(bytes.data(), static_cast<int>(bytes.size()));
}

Song* Engine::loadSong(const void* data, int length) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!core || !data || length <= 0) return nullptr;
    return songFrom(data, static_cast<size_t>(length));
}

void Engine::freeSong(Song* song) {
    if (!song) return;
    stopSong(song);
    forgetAndDelete(song);
}

bool Engine::playSong(Song* song) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!core || !song) return false;
    {
        std::lock_guard<std::mutex> mixing(core->mixer.lock());
        core->mixer.removeSong(song);
    }
    StreamSource& source = song->source();
    source.restart();
    source.fill(core->scratch.data(), kFeedFrames);
    source.setActive(true);
    core->wake.notify_all();
    std::lock_guard<std::mutex> mixing(core->mixer.lock());
    Voice& voice = song->voice();
    unsigned generation = voice.generation + 1;
    voice = Voice{};
    voice.stream = &source;
    voice.active = true;
    voice.generation = generation;
    bool added = core->mixer.addSong(song);
    song->setPlaying(added);
    if (!added) source.setActive(false);
    return added;
}

bool Engine::stopSong(Song* song) {
    std::lock_guard<std::mutex> hold(apiLock);
    if (!song) return false;
    if (core) {
        std::lock_guard<std::mutex> mixing(core->mixer.lock());
        core->mixer.removeSong(song);
    }
    song->voice().active = false;
    song->setPlaying(false);
    song->source().setActive(false);
    return true;
}

bool Engine::setSongPaused(Song* song, bool paused) {
    return song && underMixerLock([&] { song->voice().paused = paused; });
}

bool Engine::isSongPlaying(Song* song) {
    bool playing = false;
    underMixerLock([&] { playing = song && song->playing(); });
    return playing;
}

bool Engine::isSongPaused(Song* song) {
    bool paused = false;
    underMixerLock([&] { paused = song && song->playing() && song->voice().paused; });
    return paused;
}

bool Engine::setSongMasterVolume(Song* song, int volume) {
    return song && underMixerLock([&] { song->setMasterVolume(std::clamp(volume, 0, 255)); });
}

// --- channels ---

namespace {

// Runs change on the voice a handle names, under both locks; false when there is none.
template <typename Change>
bool withVoice(int channel, Change change) {
    bool found = false;
    underMixerLock([&] {
        Voice* voice = core->mixer.find(channel);
        found = voice != nullptr;
        if (voice) change(*voice);
    });
    return found;
}

}  // namespace

bool Engine::setVolume(int channel, int volume) {
    return withVoice(channel, [&](Voice& v) { v.volume = std::clamp(volume, 0, 255); });
}

bool Engine::setFrequency(int channel, int frequency) {
    return withVoice(channel, [&](Voice& v) {
        v.frequency = frequency;
        v.step = core->mixer.stepFor(frequency);
    });
}

int Engine::getFrequency(int channel) {
    int frequency = 0;
    withVoice(channel, [&](Voice& v) { frequency = v.frequency; });
    return frequency;
}

bool Engine::setPaused(int channel, bool paused) {
    return withVoice(channel, [&](Voice& v) { v.paused = paused; });
}

bool Engine::isPaused(int channel) {
    bool paused = false;
    withVoice(channel, [&](Voice& v) { paused = v.paused; });
    return paused;
}

bool Engine::isPlaying(int channel) {
    return withVoice(channel, [](Voice&) {});
}

bool Engine::stopChannel(int channel) {
    return withVoice(channel, [](Voice& v) { v.active = false; });
}

}  // namespace sound
