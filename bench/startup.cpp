// Start to the menu on screen: a host's start call on a headless window, then the
// host's loop until the game window shows the menu (a picture of many colours,
// where the loading display is one plain colour and a bar). Also the time to the
// game's "loaded" notification.
#include <benchmark/benchmark.h>

#include <SDL.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "host/GameHost.h"
#include "mentarium/host.h"
#include "platform/WindowSystem.h"

namespace {

std::atomic<bool> loaded{false};

void onNotify(intptr_t, int code, const char*) {
    if (code == MENTARIUM_NOTIFY_LOADED) loaded = true;
}

bool showsMenu(platform::WindowHandle window) {
    int w = 0, h = 0;
    std::vector<uint32_t> pixels = platform::readWindowPixels(window, &w, &h);
    std::set<uint32_t> colours;
    for (size_t i = 0; i < pixels.size() && colours.size() <= 100; i += 7) colours.insert(pixels[i]);
    return colours.size() > 100;
}

}  // namespace

static void BM_StartToMenuOnScreen(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    // The archive's directory: $MENTARIUM_DATA, else the build directory above bench/.
    const char* given = std::getenv("MENTARIUM_DATA");
    std::string data =
        given && *given ? given : std::filesystem::canonical("/proc/self/exe").parent_path().parent_path().string();
    setenv("MENTARIUM_DATA", data.c_str(), 1);
    char profileDir[] = "/tmp/mentarium-start-XXXXXX";
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
    double toLoaded = 0, toMenu = 0;
    for (auto _ : state) {
        loaded = false;
        auto began = std::chrono::steady_clock::now();
        auto since = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count(); };
        host::GameHost::notify(MENTARIUM_START, block);
        double loadedAt = -1;
        while (since() < 30) {
            SDL_Event event;
            while (SDL_PollEvent(&event)) {}
            host::GameHost::notify(MENTARIUM_SERVICE, block);
            if (loaded && loadedAt < 0) loadedAt = since();
            if (loaded && showsMenu(host::GameHost::gameWindow())) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        double menuAt = since();
        host::GameHost::notify(MENTARIUM_STOP, block);
        if (loadedAt < 0 || menuAt >= 30) {
            state.SkipWithError("the menu did not show");
            break;
        }
        state.SetIterationTime(menuAt);
        toLoaded += loadedAt;
        toMenu += menuAt;
    }
    if (state.iterations() > 0) {
        state.counters["to_loaded_s"] = toLoaded / static_cast<double>(state.iterations());
        state.counters["to_menu_on_screen_s"] = toMenu / static_cast<double>(state.iterations());
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    std::filesystem::remove_all(profileDir);
}
// One start per process: the first-paint and loading state of a start are per process.
BENCHMARK(BM_StartToMenuOnScreen)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
