#include <gtest/gtest.h>

#include <sys/resource.h>

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
    // The timer's thread is the only one working here: a second of 5 ms ticks
    // costs a few wake-ups. Spinning through the last fraction of a millisecond
    // before each tick would cost a tenth of the second or more.
    platform::Event tick(false);
    auto cpuSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    };
    double before = cpuSeconds();
    long ticks = 0;
    {
        platform::PeriodicTimer timer(5, tick);
        std::this_thread::sleep_for(std::chrono::seconds(1));
        ticks = timer.ticks();
    }
    double used = cpuSeconds() - before;
    EXPECT_GE(ticks, 150) << "the timer must keep ticking";
    EXPECT_LT(used, 0.030) << "CPU seconds for " << ticks << " ticks";
}
