// While the scene loads, the game window shows the frame's background with a
// loading bar that follows the loader's steps; once every step is done the
// canvas takes the window over.

#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <set>
#include <vector>

#include "game/MentariumCanvas.h"
#include "host/GameHost.h"
#include "host/LoadedGame.h"
#include "host/MyFrame.h"
#include "platform/WindowSystem.h"
#include "support/TempDir.h"

using hosttest::Heard;

namespace {

constexpr uint32_t kFill = 0xFF000000u | host::MyFrame::kBarFillColor;
constexpr uint32_t kTrack = 0xFF000000u | host::MyFrame::kBarTrackColor;

struct BarRow {
    int fill = 0;   // fill-coloured pixels from the bar's left end
    int track = 0;  // track-coloured pixels after them
};

// Reads the bar's middle row as the window shows it now.
BarRow readBar(platform::WindowHandle window) {
    int w = 0, h = 0;
    std::vector<uint32_t> pixels = platform::readWindowPixels(window, &w, &h);
    util::RectangleNM bar = host::MyFrame::loadingBar(MENTARIUM_SCENE_WIDTH, MENTARIUM_SCENE_HEIGHT);
    BarRow row;
    if (w != MENTARIUM_SCENE_WIDTH || h != MENTARIUM_SCENE_HEIGHT) return row;
    const uint32_t* line = pixels.data() + static_cast<size_t>(bar.y + bar.height / 2) * w;
    int x = bar.x;
    while (x < bar.x + bar.width && (line[x] | 0xFF000000u) == kFill) ++row.fill, ++x;
    while (x < bar.x + bar.width && (line[x] | 0xFF000000u) == kTrack) ++row.track, ++x;
    return row;
}

// One turn of a host's event loop: its SDL events, then the game's window work.
void serviceAsHost(intptr_t* block, int waitMs) {
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, waitMs))
        while (SDL_PollEvent(&event)) {}
    host::GameHost::notify(MENTARIUM_SERVICE, block);
}

}  // namespace

TEST(LoadingProgress, TheBarGrowsWithTheLoaderAndGivesWayToTheCanvas) {
    testsupport::TempDir profileDir;
    testsupport::ScopedEnv profile("MENTARIUM_PROFILE", profileDir.file("profile.sqlite").c_str());
    testsupport::ScopedEnv data("MENTARIUM_DATA", MENTARIUM_BINARY_DIR);
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_Window* hostWindow = SDL_CreateWindow("host", 0, 0, MENTARIUM_SCENE_WIDTH, MENTARIUM_SCENE_HEIGHT, 0);
    ASSERT_NE(hostWindow, nullptr) << SDL_GetError();
    intptr_t block[MENTARIUM_BLOCK_SLOTS] = {};
    block[MENTARIUM_SLOT_CALLBACK] = reinterpret_cast<intptr_t>(&Heard::record);
    block[MENTARIUM_SLOT_PARENT_WINDOW] = reinterpret_cast<intptr_t>(hostWindow);
    block[MENTARIUM_SLOT_GAME_DIRECTORY] = reinterpret_cast<intptr_t>(MENTARIUM_BINARY_DIR);
    Heard::clear();

    host::GameHost::notify(MENTARIUM_START, block);
    MentariumCanvas* canvas = MentariumCanvas::current();
    platform::WindowHandle web = host::GameHost::gameWindow();
    ASSERT_NE(canvas, nullptr);
    ASSERT_NE(web, nullptr);
    // The start call gives the loader a head start to count the scene, half a
    // second at most; a sanitized build may need longer.
    ASSERT_TRUE(hosttest::serviceUntil([&] { return canvas->getLoadingTotal() > 1; }, [&] { serviceAsHost(block, 1); },
                                       std::chrono::seconds(20)))
        << "the loader never counted the scene";
    const int total = canvas->getLoadingTotal();

    // Each look: the steps done before the window's work, the bar as painted
    // then, the steps done after. The painted bar lies between the two.
    std::vector<int> fills;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        int before = canvas->getLoadingDone();
        serviceAsHost(block, 1);
        BarRow bar = readBar(web);
        int after = canvas->getLoadingDone();
        if (after >= total) break;
        EXPECT_EQ(bar.fill + bar.track, host::MyFrame::kBarWidth) << "the whole bar is drawn at " << before;
        EXPECT_GE(bar.fill, host::MyFrame::loadingBarFill(before, total));
        EXPECT_LE(bar.fill, host::MyFrame::loadingBarFill(after, total));
        fills.push_back(bar.fill);
    }
    ASSERT_GE(canvas->getLoadingDone(), total) << "loading did not finish in time";
    ASSERT_FALSE(fills.empty()) << "the window was never seen while the scene loaded";
    for (size_t i = 1; i < fills.size(); ++i) EXPECT_GE(fills[i], fills[i - 1]) << "look " << i;
    std::set<int> distinct(fills.begin(), fills.end());
    EXPECT_GE(distinct.size(), 2u) << "the bar did not grow while the scene loaded";

    // Loading done: the canvas paints the window and the bar is gone for good.
    auto barGone = [&] {
        BarRow bar = readBar(web);
        return bar.fill + bar.track < host::MyFrame::kBarWidth;
    };
    ASSERT_TRUE(hosttest::serviceUntil([&] { return Heard::any(MENTARIUM_NOTIFY_LOADED) && barGone(); },
                                       [&] { serviceAsHost(block, 2); }, std::chrono::seconds(20)))
        << "the loading bar stayed after loading";
    for (int i = 0; i < 10; ++i) {
        serviceAsHost(block, 5);
        EXPECT_TRUE(barGone()) << "the bar came back";
    }

    host::GameHost::notify(MENTARIUM_STOP, block);
    SDL_DestroyWindow(hostWindow);
    SDL_Quit();
}
