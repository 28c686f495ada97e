// CPU use of a started game that shows its menu and is left alone: the whole
// process (the game's threads and a host's event loop) over 10 s of wall time,
// beside the same host loop with no game in it. Goal: the game under 1% of a core.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/GameHost.h"
#include "mentarium/host.h"

namespace {

constexpr auto kMeasured = std::chrono::seconds(10);

std::atomic<bool> loaded{false};

void onNotify(intptr_t, int code, const char*) {
    if (code == MENTARIUM_NOTIFY_LOADED) loaded = true;
}

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Where the game's archive is: $MENTARIUM_DATA, else the build directory above bench/.
std::string dataDirectory() {
    if (const char* data = std::getenv("MENTARIUM_DATA")) return data;
    return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path().string();
}

// A host's event loop as our host program runs it: wake for SDL events or
// every 5 ms, then let the game do its window work.
void hostLoop(intptr_t* block, std::chrono::steady_clock::duration length, bool withGame) {
    auto end = std::chrono::steady_clock::now() + length;
    while (std::chrono::steady_clock::now() < end) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 5))
            while (SDL_PollEvent(&event)) {
            }
        if (withGame) host::GameHost::notify(MENTARIUM_SERVICE, block);
    }
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Shares of one core while the loop ran: the whole process, and the host's
// thread alone (its event loop and the game's window work done there).
struct Use {
    double process = 0;
    double hostThread = 0;
};

Use measureLoop(intptr_t* block, bool withGame) {
    double processBefore = processCpuSeconds();
    double threadBefore = threadCpuSeconds();
    auto wallBefore = std::chrono::steady_clock::now();
    hostLoop(block, kMeasured, withGame);
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
    return Use{(processCpuSeconds() - processBefore) * 100.0 / wall, (threadCpuSeconds() - threadBefore) * 100.0 / wall};
}

}  // namespace

static void BM_IdleGameCpu(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string data = dataDirectory();
    setenv("MENTARIUM_DATA", data.c_str(), 1);
    // A profile of its own, so the run leaves the player's options alone.
    char profileDir[] = "/tmp/mentarium-idle-XXXXXX";
    if (mkdtemp(profileDir)) setenv("MENTARIUM_PROFILE", (std::string(profileDir) + "/profile.sqlite").c_str(), 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        state.SkipWithError("SDL does not start");
        return;
    }
    SDL_Window* window = SDL_CreateWindow("host", 0, 0, MENTARIUM_SCENE_WIDTH, MENTARIUM_SCENE_HEIGHT, 0);
    intptr_t block[MENTARIUM_BLOCK_SLOTS] = {};
    block[MENTARIUM_SLOT_CALLBACK] = reinterpret_cast<intptr_t>(&onNotify);
    block[MENTARIUM_SLOT_PARENT_WINDOW] = reinterpret_cast<intptr_t>(window);
    block[MENTARIUM_SLOT_GAME_DIRECTORY] = reinterpret_cast<intptr_t>(data.c_str());

    for (auto _ : state) {
        Use hostOnly = measureLoop(block, false);
        loaded = false;
        host::GameHost::notify(MENTARIUM_START, block);
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!loaded && std::chrono::steady_clock::now() < deadline) hostLoop(block, std::chrono::milliseconds(10), true);
        if (!loaded) {
            state.SkipWithError("the scene did not load");
            break;
        }
        hostLoop(block, std::chrono::seconds(1), true);  // the first paint and its pause
        Use withGame = measureLoop(block, true);
        host::GameHost::notify(MENTARIUM_STOP, block);
        // The host loop alone, the process with the idle game in it, and the
        // game's part: its own threads plus the window work on the host's thread.
        state.counters["host_loop_cpu_percent"] = hostOnly.process;
        state.counters["process_cpu_percent"] = withGame.process;
        state.counters["game_threads_cpu_percent"] = withGame.process - withGame.hostThread;
        state.counters["game_window_work_cpu_percent"] = withGame.hostThread - hostOnly.hostThread;
        state.counters["game_cpu_percent"] = withGame.process - hostOnly.hostThread;
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    std::filesystem::remove_all(profileDir);
}
BENCHMARK(BM_IdleGameCpu)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
