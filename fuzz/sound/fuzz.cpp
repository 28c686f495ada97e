// Feeds arbitrary bytes to every sound decoder the way a clip would: as a
// sample, as a looping stream and as a song, each played for a moment.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sound/Engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using sound::Engine;
    static bool started = Engine::initOffline(22050, 32);
    if (!started || size > (1 << 20)) return 0;
    int length = static_cast<int>(size);
    std::vector<int16_t> out(2 * 4096);
    if (sound::Sample* sample = Engine::loadSample(data, length)) {
        Engine::setLoopMode(sample, Engine::LoopNormal);
        int channel = Engine::playSample(-1, sample);
        Engine::setFrequency(channel, 90000);
        Engine::render(out.data(), 4096);
        Engine::freeSample(sample);
    }
    if (sound::Stream* stream = Engine::openStream(data, length, Engine::LoopNormal)) {
        Engine::playStream(-1, stream);
        Engine::render(out.data(), 4096);
        Engine::closeStream(stream);
    }
    if (sound::Song* song = Engine::loadSong(data, length)) {
        Engine::playSong(song);
        Engine::render(out.data(), 4096);
        Engine::freeSong(song);
    }
    return 0;
}
