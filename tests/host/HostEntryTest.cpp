// The game library as a host sees it: loaded with the dynamic loader and driven
// through its one entry point.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "host/LoadedGame.h"

using hosttest::Heard;

namespace {

class HostEntry : public ::testing::Test {
protected:
    void SetUp() override {
        const char* error = "";
        ASSERT_TRUE(game.load(&error)) << error;
        Heard::clear();
    }
    intptr_t* blockWith(MentariumHostCallback callback, SDL_Window* window) { return game.blockWith(callback, window); }
    int notify(int code, intptr_t* block) { return game.notify(code, block); }

    hosttest::LoadedGame game;
    MentariumHostCallback record = &Heard::record;
};

}  // namespace

TEST_F(HostEntry, StartAndStopInAnyOrderNeverFailTheHost) {
    // Stopping what never started, and a start without a callback, answer 0 quietly.
    EXPECT_EQ(notify(MENTARIUM_STOP, blockWith(nullptr, nullptr)), 0);
    EXPECT_EQ(notify(MENTARIUM_START, blockWith(nullptr, nullptr)), 0);
    EXPECT_EQ(notify(MENTARIUM_STOP, game.block()), 0);
    EXPECT_EQ(notify(MENTARIUM_STOP, game.block()), 0);
    EXPECT_TRUE(Heard::soFar().empty());

    // With a callback: started before any window, stopped once; a second start
    // replaces the first without a stop notice, an unknown code does nothing.
    notify(MENTARIUM_START, blockWith(record, nullptr));
    notify(MENTARIUM_START, game.block());
    EXPECT_EQ(notify(77, game.block()), 0);
    notify(MENTARIUM_STOP, game.block());
    notify(MENTARIUM_STOP, game.block());
    // Loading goes on without a window, so "loaded" may come between; the start
    // and stop notices must come exactly as the calls were made.
    std::vector<int> startsAndStops;
    for (int code : Heard::soFar())
        if (code != MENTARIUM_NOTIFY_LOADED) startsAndStops.push_back(code);
    EXPECT_EQ(startsAndStops,
              (std::vector<int>{MENTARIUM_NOTIFY_STARTED, MENTARIUM_NOTIFY_STARTED, MENTARIUM_NOTIFY_STOPPED}));
}

TEST_F(HostEntry, InAHostWindowTheSceneLoadsAndTheGameStopsCleanly) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("host", 0, 0, 800, 600, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    for (int round = 0; round < 2; ++round) {
        Heard::clear();
        notify(MENTARIUM_START, blockWith(record, window));
        bool loaded = game.serviceUntil([] { return Heard::any(MENTARIUM_NOTIFY_LOADED); }, std::chrono::seconds(20));
        EXPECT_TRUE(loaded) << "round " << round;
        notify(MENTARIUM_STOP, game.block());
        std::vector<int> codes = Heard::soFar();
        ASSERT_FALSE(codes.empty());
        EXPECT_EQ(codes.front(), MENTARIUM_NOTIFY_STARTED);
        EXPECT_EQ(codes.back(), MENTARIUM_NOTIFY_STOPPED);
    }
    // The host's window outlives the game.
    EXPECT_NE(SDL_GetWindowID(window), 0u);
    SDL_DestroyWindow(window);
    SDL_Quit();
}

// Stepped, a frame runs per MENTARIUM_STEP and the game stops cleanly between
// steps; the next start without the slot runs by the clock again.
TEST_F(HostEntry, SteppedFramesRunAtTheHostsRequestUntilTheNextStart) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("host", 0, 0, 500, 375, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    for (bool stepped : {true, false}) {
        Heard::clear();
        intptr_t* block = blockWith(record, window);
        block[MENTARIUM_SLOT_STEPPED_FRAMES] = stepped ? 1 : 0;
        notify(MENTARIUM_START, block);
        int frameMs = 0;
        bool loaded = hosttest::serviceUntil(
            [] { return Heard::any(MENTARIUM_NOTIFY_LOADED); },
            [&] {
                game.service(5);
                frameMs = std::max(frameMs, notify(MENTARIUM_STEP, block));
            },
            std::chrono::seconds(20));
        EXPECT_TRUE(loaded) << (stepped ? "stepped" : "by the clock");
        if (stepped) {
            // The canvas's frames may begin a moment after "loaded"; until then a step runs nothing.
            bool stepping = hosttest::serviceUntil([&] { return frameMs > 0; },
                                                   [&] {
                                                       game.service(5);
                                                       frameMs = notify(MENTARIUM_STEP, block);
                                                   },
                                                   std::chrono::seconds(10));
            EXPECT_TRUE(stepping);
            int ran = 0;
            for (int i = 0; i < 50; ++i) ran += notify(MENTARIUM_STEP, block) == 40 ? 1 : 0;
            EXPECT_EQ(ran, 50);
        } else {
            EXPECT_EQ(frameMs, 0);
        }
        notify(MENTARIUM_STOP, block);
        EXPECT_EQ(Heard::soFar().back(), MENTARIUM_NOTIFY_STOPPED);
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
}
