#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/Event.h"
#include "platform/PeriodicTimer.h"

TEST(EventTest, AutoResetReleasesOneWaitAndClears) {
    platform::Event e(false);
    e.set();
    EXPECT_TRUE(e.wait(0));
    EXPECT_FALSE(e.wait(0));  // consumed by the first wait
    platform::Event manual;
    manual.set();
    EXPECT_TRUE(manual.wait(0));
    EXPECT_TRUE(manual.wait(0));  // stays set until reset
    manual.reset();
    EXPECT_FALSE(manual.wait(5));
}

TEST(PeriodicTimerTest, TicksAtItsPeriodWithoutDrift) {
    platform::Event tick(false);
    auto start = std::chrono::steady_clock::now();
    long seen = 0;
    {
        platform::PeriodicTimer timer(10, tick);
        while (seen < 20) {
            ASSERT_TRUE(tick.wait(1000)) << "timer stopped ticking";
            ++seen;
        }
    }
    auto elapsed = std::chrono::steady_clock::now() - start;
    // 20 ticks of 10 ms: never early, and (on a loaded machine) not absurdly late.
    EXPECT_GE(elapsed, std::chrono::milliseconds(195));
    EXPECT_LT(elapsed, std::chrono::milliseconds(2000));
}

TEST(PeriodicTimerTest, SleepsBetweenTicksInsteadOfSpinning) {
    // Counted in wake-ups rather than CPU time, which a sanitizer or a busy
    // machine inflates: a timer that sleeps wakes about once a tick (now and
    // then early, waiting out the rest), one that spins through the last
    // fraction of a millisecond wakes hundreds of times a tick.
    platform::Event tick(false);
    long ticks = 0;
    long wakeUps = 0;
    {
        platform::PeriodicTimer timer(5, tick);
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ticks = timer.ticks();
        wakeUps = timer.wakeUps();
    }
    EXPECT_GE(ticks, 50) << "the timer must keep ticking";
    EXPECT_LE(wakeUps, 2 * ticks + 5) << wakeUps << " wake-ups for " << ticks << " ticks";
}
