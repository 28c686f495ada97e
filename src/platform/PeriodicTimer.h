#pragma once

#include <atomic>
#include <thread>

#include "platform/Event.h"

namespace platform {

// Sets an event every period, on a schedule that does not drift: the n-th tick is
// due at start + n * period on the steady clock, however late the previous one was.
// Ticks that fall due while the timer thread is late are merged into one.
class PeriodicTimer {
public:
    PeriodicTimer(int periodMs, Event& target);
    ~PeriodicTimer();  // stops the timer thread
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    long ticks() const { return ticks_.load(); }
    // How often the timer thread has woken: about once a tick when it sleeps
    // between ticks, far more if it ever spins.
    long wakeUps() const { return wakeUps_.load(); }

private:
    void run();

    int periodMs_;
    Event& target_;
    Event stop_;
    std::atomic<long> ticks_{0};
    std::atomic<long> wakeUps_{0};
    std::thread thread_;
};

}  // namespace platform
