// What the player profile costs: opening it at start-up, reading and writing a
// value (each write is its own transaction), and a 10000-byte array in pieces.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "lang/ByteArray.h"
#include "sprite/User.h"

namespace {

// A store of its own in a temporary folder, named through the environment.
class ScratchProfile {
public:
    ScratchProfile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mentarium-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
        setenv("MENTARIUM_PROFILE", (dir_ + "/profile.sqlite").c_str(), 1);
    }
    ~ScratchProfile() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    sprite::User* open() {
        auto* user = new sprite::User();
        user->open("Cogniquilt");
        return user;
    }

private:
    std::string dir_;
};

}  // namespace

static void BM_ProfileOpenWithTwentyScores(benchmark::State& state) {
    ScratchProfile scratch;
    sprite::User* seed = scratch.open();
    for (int i = 0; i < 20; ++i) seed->addScore("player", i % 2 ? "easy" : "hard", 1, i * 10, 0);
    seed->release();
    for (auto _ : state) scratch.open()->release();
}
BENCHMARK(BM_ProfileOpenWithTwentyScores)->Unit(benchmark::kMicrosecond);

static void BM_ProfileGetInt(benchmark::State& state) {
    ScratchProfile scratch;
    sprite::User* user = scratch.open();
    user->setInt("Options\\Volume", 5);
    for (auto _ : state) benchmark::DoNotOptimize(user->getInt("Options\\Volume", 0));
    user->release();
}
BENCHMARK(BM_ProfileGetInt)->Unit(benchmark::kMicrosecond);

static void BM_ProfileSetInt(benchmark::State& state) {
    ScratchProfile scratch;
    sprite::User* user = scratch.open();
    int value = 0;
    for (auto _ : state) user->setInt("NORMALEXIT", value++ & 1);
    user->release();
}
BENCHMARK(BM_ProfileSetInt)->Unit(benchmark::kMicrosecond);

static void BM_ProfilePutLargeBytes10000(benchmark::State& state) {
    ScratchProfile scratch;
    sprite::User* user = scratch.open();
    lang::ByteArray bytes(10000);
    for (auto _ : state) user->putLargeBytes("Saves\\Blob", bytes);
    user->release();
}
BENCHMARK(BM_ProfilePutLargeBytes10000)->Unit(benchmark::kMicrosecond);
