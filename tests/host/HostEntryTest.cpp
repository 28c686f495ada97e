// The game library as a host sees it: loaded with the dynamic loader and driven
// through its one entry point.

#include <gtest/gtest.h>

#include <SDL.h>
#include <dlfcn.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "mentarium/host.h"

namespace {

std::mutex heardMutex;
std::vector<int> heard;

void record(intptr_t, int code, const char*) {
    std::lock_guard<std::mutex> hold(heardMutex);
    heard.push_back(code);
}

std::vector<int> heardSoFar() {
    std::lock_guard<std::mutex> hold(heardMutex);
    return heard;
}

class HostEntry : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("MENTARIUM_DATA", MENTARIUM_BINARY_DIR, 1);
        library = dlopen(MENTARIUM_BINARY_DIR "/libmentarium.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        notify = reinterpret_cast<GameDLLNotifyFunction>(dlsym(library, "GameDLLNotify"));
        ASSERT_NE(notify, nullptr);
        std::lock_guard<std::mutex> hold(heardMutex);
        heard.clear();
    }
    // The library stays loaded, as in our host program: unloading it leaves its
    // process-wide registries behind (a known gap, see the host program).
    intptr_t* blockWith(MentariumHostCallback callback, SDL_Window* window) {
        for (intptr_t& slot : block) slot = 0;
        block[MENTARIUM_SLOT_CALLBACK] = reinterpret_cast<intptr_t>(callback);
        block[MENTARIUM_SLOT_PARENT_WINDOW] = reinterpret_cast<intptr_t>(window);
        block[MENTARIUM_SLOT_GAME_DIRECTORY] = reinterpret_cast<intptr_t>(MENTARIUM_BINARY_DIR);
        return block;
    }

    void* library = nullptr;
    GameDLLNotifyFunction notify = nullptr;
    intptr_t block[MENTARIUM_BLOCK_SLOTS] = {};
};

}  // namespace

TEST_F(HostEntry, StartAndStopInAnyOrderNeverFailTheHost) {
    // Stopping what never started, and a start without a callback, answer 0 quietly.
    EXPECT_EQ(notify(MENTARIUM_STOP, blockWith(nullptr, nullptr)), 0);
    EXPECT_EQ(notify(MENTARIUM_START, blockWith(nullptr, nullptr)), 0);
    EXPECT_EQ(notify(MENTARIUM_STOP, block), 0);
    EXPECT_EQ(notify(MENTARIUM_STOP, block), 0);
    EXPECT_TRUE(heardSoFar().empty());

    // With a callback: started before any window, stopped once; a second start
    // replaces the first without a stop notice, an unknown code does nothing.
    notify(MENTARIUM_START, blockWith(&record, nullptr));
    notify(MENTARIUM_START, block);
    EXPECT_EQ(notify(77, block), 0);
    notify(MENTARIUM_STOP, block);
    notify(MENTARIUM_STOP, block);
    // Loading goes on without a window, so "loaded" may come between; the start
    // and stop notices must come exactly as the calls were made.
    std::vector<int> startsAndStops;
    for (int code : heardSoFar())
        if (code != MENTARIUM_NOTIFY_LOADED) startsAndStops.push_back(code);
    EXPECT_EQ(startsAndStops, (std::vector<int>{MENTARIUM_NOTIFY_STARTED, MENTARIUM_NOTIFY_STARTED,
                                                MENTARIUM_NOTIFY_STOPPED}));
}

TEST_F(HostEntry, InAHostWindowTheSceneLoadsAndTheGameStopsCleanly) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("host", 0, 0, 800, 600, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    for (int round = 0; round < 2; ++round) {
        {
            std::lock_guard<std::mutex> hold(heardMutex);
            heard.clear();
        }
        notify(MENTARIUM_START, blockWith(&record, window));
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        bool loaded = false;
        while (!loaded && std::chrono::steady_clock::now() < deadline) {
            SDL_Event event;
            SDL_WaitEventTimeout(&event, 5);
            while (SDL_PollEvent(&event)) {
            }
            notify(MENTARIUM_SERVICE, block);
            for (int code : heardSoFar()) loaded = loaded || code == MENTARIUM_NOTIFY_LOADED;
        }
        EXPECT_TRUE(loaded) << "round " << round;
        notify(MENTARIUM_STOP, block);
        std::vector<int> codes = heardSoFar();
        ASSERT_FALSE(codes.empty());
        EXPECT_EQ(codes.front(), MENTARIUM_NOTIFY_STARTED);
        EXPECT_EQ(codes.back(), MENTARIUM_NOTIFY_STOPPED);
    }
    // The host's window outlives the game.
    EXPECT_NE(SDL_GetWindowID(window), 0u);
    SDL_DestroyWindow(window);
    SDL_Quit();
}
