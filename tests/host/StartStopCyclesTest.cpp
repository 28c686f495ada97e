// Many start/stop rounds of the game in one process, as a host that opens and
// closes the game again and again: every round must give back its threads and
// its memory.

#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "host/LoadedGame.h"
#include "sprite/User.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define HOSTTEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) && !defined(HOSTTEST_ASAN)
#define HOSTTEST_ASAN 1
#endif
#ifdef HOSTTEST_ASAN
#include <sanitizer/lsan_interface.h>
// From the sanitizer runtime (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using hosttest::Heard;

namespace {

// The full count under AddressSanitizer, which also tells exactly how much of
// the heap is in use; a quick run in the normal build, and a few rounds under
// ThreadSanitizer, which looks at every access of the threads these rounds start
// and stop and runs many times slower.
#ifdef HOSTTEST_ASAN
constexpr int kRounds = 200;
#elif defined(HOSTTEST_TSAN)
constexpr int kRounds = 4;
#else
constexpr int kRounds = 20;
#endif

// A round that never ends is a stuck thread: say so instead of hanging the suite.
void onStuck(int) {
    const char text[] = "StartStopCycles: a round did not finish in time (a thread does not stop)\n";
    ssize_t ignored = write(2, text, sizeof text - 1);
    (void)ignored;
    _exit(3);
}

}  // namespace

TEST(StartStopCycles, EveryRoundGivesBackItsThreadsAndMemory) {
    hosttest::LoadedGame game;
    const char* error = "";
    ASSERT_TRUE(game.load(&error)) << error;
    {
        // A short mixing buffer: closing the sound engine waits for the output's
        // current buffer, which the dummy output takes its full length to play.
        auto* profile = new sprite::User();
        profile->open("Cogniquilt");
        profile->setInt("MIXBUFFER", 10);
        profile->release();
    }
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    SDL_Window* window = SDL_CreateWindow("host", 0, 0, MENTARIUM_SCENE_WIDTH, MENTARIUM_SCENE_HEIGHT, 0);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    std::signal(SIGALRM, &onStuck);
    alarm(170 * hosttest::kSlowdown);
    struct AlarmOff {
        ~AlarmOff() { alarm(0); }
    } alarmOff;

    // ThreadSanitizer starts a thread of its own with the first thread a program
    // makes: let that happen before counting.
    std::thread([] {}).join();
    const int threadsBefore = hosttest::countThreads();
#ifdef HOSTTEST_ASAN
    size_t heapAfterWarmUp = 0;
#endif
    int loadedRounds = 0;
    auto began = std::chrono::steady_clock::now();
    for (int round = 0; round < kRounds; ++round) {
        Heard::clear();
        game.notify(MENTARIUM_START, game.blockWith(&Heard::record, window));
        // Every fourth round runs until the menu is up; the others stop while the
        // scene may still be loading, or just after the window appeared.
        if (round % 4 == 0) {
            ASSERT_TRUE(game.serviceUntil([] { return Heard::any(MENTARIUM_NOTIFY_LOADED); }, std::chrono::seconds(30)))
                << "round " << round;
            ++loadedRounds;
        } else {
            for (int i = 0; i < round % 3; ++i) game.service(1);
        }
        game.notify(MENTARIUM_STOP);
        ASSERT_EQ(Heard::soFar().back(), MENTARIUM_NOTIFY_STOPPED) << "round " << round;
        ASSERT_EQ(hosttest::countThreads(), threadsBefore) << "threads left behind after round " << round;
#ifdef HOSTTEST_ASAN
        // Process-wide caches (fonts, class registry, sound engine tables) fill in
        // the first rounds; from then on a round must not grow the heap.
        if (round == 3) heapAfterWarmUp = __sanitizer_get_current_allocated_bytes();
#endif
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("%d rounds (%d to the menu) in %.1f s\n", kRounds, loadedRounds, seconds);
    EXPECT_EQ(hosttest::countThreads(), threadsBefore);
#ifdef HOSTTEST_ASAN
    size_t heapAtEnd = __sanitizer_get_current_allocated_bytes();
    std::printf("heap in use after 4 rounds %zu bytes, at the end %zu bytes\n", heapAfterWarmUp, heapAtEnd);
    // A little allowance for allocator bookkeeping: one lost canvas or picture
    // per round would be megabytes.
    EXPECT_LT(heapAtEnd, heapAfterWarmUp + 16 * 1024)
        << "the heap grows by about " << (heapAtEnd - heapAfterWarmUp) / (kRounds - 4) << " bytes a round";
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0) << "LeakSanitizer found memory no one holds";
#endif
    // The host's window outlives the game.
    EXPECT_NE(SDL_GetWindowID(window), 0u);
    SDL_DestroyWindow(window);
    SDL_Quit();
}
