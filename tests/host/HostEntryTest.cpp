// The game library as a host sees it: loaded with the dynamic loader and driven
// through its one entry point.

#include <gtest/gtest.h>

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
