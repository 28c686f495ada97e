// Cost of mixing one second of output with all 32 channels busy. The
// "cpu_share" counter is the share of one core that real-time playback takes
// (0.01 = 1%).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "../tests/sound/TestMedia.h"
#include "sound/Engine.h"

namespace {

constexpr int kRate = 22050;

testmedia::Bytes noiseWav() {
    unsigned seed = 12345;
    return testmedia::makeWav(kRate / 2, kRate, 1, 16, [&seed](int, int) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<double>((seed >> 16) & 0x7FFF) / 32768.0 - 0.5;
    });
}

void mixOneSecond(benchmark::State& state, int streams) {
    sound::Engine::initOffline(kRate, 32);
    testmedia::Bytes wav = noiseWav();
    testmedia::Bytes tone =
        testmedia::makeWav(kRate, 44100, 2, 16, [](int f, int c) { return 0.3 * std::sin(f * (0.05 + c * 0.01)); });
    sound::Sample* sample = sound::Engine::loadSample(wav.data(), static_cast<int>(wav.size()));
    sound::Engine::setLoopMode(sample, sound::Engine::LoopNormal);
    std::vector<sound::Stream*> opened;
    for (int i = 0; i < streams; ++i) {
        sound::Stream* stream =
            sound::Engine::openStream(tone.data(), static_cast<int>(tone.size()), sound::Engine::LoopNormal);
        sound::Engine::playStream(-1, stream);
        opened.push_back(stream);
    }
    for (int i = streams; i < 32; ++i) {
        int channel = sound::Engine::playSample(-1, sample);
        // Odd rates, so every channel resamples.
        sound::Engine::setFrequency(channel, kRate * (7 + i) / 10);
        sound::Engine::setVolume(channel, 100 + i);
    }
    std::vector<int16_t> out(static_cast<size_t>(kRate) * 2);
    for (auto _ : state) {
        sound::Engine::render(out.data(), kRate);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["cpu_share"] =
        benchmark::Counter(1.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    for (sound::Stream* stream : opened) sound::Engine::closeStream(stream);
    sound::Engine::freeSample(sample);
    sound::Engine::close();
}

void BM_Mix32Samples(benchmark::State& state) { mixOneSecond(state, 0); }
void BM_Mix28SamplesAnd4Streams(benchmark::State& state) { mixOneSecond(state, 4); }

}  // namespace

BENCHMARK(BM_Mix32Samples)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mix28SamplesAnd4Streams)->Unit(benchmark::kMillisecond);
