// What the player profile costs: opening it at start-up, reading and writing a
// value (each write is its own transaction), and a 10000-byte array in pieces.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "lang/ByteArray.h"
#include "platform/ProfileStore.h"
#include "platform/ProgressStore.h"
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

// The kept progress: reading a record of 10000 plays at start (16 games, three
// difficulties, the newest 100 of each and the best) and adding one play (one
// transaction, synced to disk).
static void BM_ProgressLoadTenThousandPlays(benchmark::State& state) {
    ScratchProfile scratch;
    sprite::User* user = scratch.open();
    platform::ProgressStore store(user->store());
    {
        platform::ProfileStore::Batch batch(user->store().get());
        for (int i = 0; i < 10000; ++i) store.addPractice(i % 16, (i / 16) % 3, (i * 7919) % 3000, i % 20);
    }
    for (auto _ : state) benchmark::DoNotOptimize(store.load(100));
    user->release();
}
BENCHMARK(BM_ProgressLoadTenThousandPlays)->Unit(benchmark::kMillisecond);

static void BM_ProgressAddOnePlay(benchmark::State& state) {
    ScratchProfile scratch;
    sprite::User* user = scratch.open();
    platform::ProgressStore store(user->store());
    int score = 0;
    for (auto _ : state) store.addPractice(score % 16, score % 3, score, 1), ++score;
    user->release();
}
BENCHMARK(BM_ProgressAddOnePlay)->Unit(benchmark::kMillisecond);
