#include "platform/PeriodicTimer.h"

#include <chrono>

namespace platform {

PeriodicTimer::PeriodicTimer(int periodMs, Event& target)
    : periodMs_(periodMs < 1 ? 1 : periodMs), target_(target), thread_([this] { run(); }) {}

PeriodicTimer::~PeriodicTimer() {
    stop_.set();
    thread_.join();
}

void PeriodicTimer::run() {
    using clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs_);
    auto due = clock::now() + period;
    for (;;) {
        // Rounded up: a wait cut down to 0 ms for the last fraction of a
        // millisecond would spin until the tick is due.
        auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - clock::now()).count();
        if (stop_.wait(wait > 0 ? static_cast<int>(wait) : 0)) return;
        ++wakeUps_;
        if (clock::now() < due) continue;  // woke a little early
        ++ticks_;
        target_.set();
        due += period;
        // Far behind (a suspended process): pick the schedule up from now.
        if (clock::now() - due > 10 * period) due = clock::now() + period;
    }
}

}  // namespace platform
