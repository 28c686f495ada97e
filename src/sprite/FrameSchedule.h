#pragma once

#include <cstdint>

namespace sprite {

// The render loop's pacing: every tick updates; a render is skipped when the loop
// is more than 39 ms behind (at most two in a row), and more than 200 ms behind
// the schedule is restarted from now.
class FrameSchedule {
public:
    struct Step {
        bool render;  // run the render step this tick
        int waitMs;   // how long to wait for the next timer tick (0: go on at once)
    };

    explicit FrameSchedule(int periodMs = 40) : period_(periodMs) {}

    void begin(uint32_t nowMs) {
        start_ = nowMs;
        n_ = 0;
        skipped_ = 0;
    }

    // Called after each update with the current time.
    Step afterUpdate(uint32_t nowMs, bool skippingAllowed) {
        ++n_;
        int late = static_cast<int>(start_ + static_cast<uint32_t>(n_ * period_) - nowMs);
        Step step{true, late > 0 ? late : 0};
        if (late < -39 && skippingAllowed && skipped_ < 2) {
            step.render = false;
            ++skipped_;
        } else {
            skipped_ = 0;
        }
        if (late < -200) start_ = nowMs - static_cast<uint32_t>(n_ * period_);
        return step;
    }

    int period() const { return period_; }

private:
    int period_;
    uint32_t start_ = 0;
    int64_t n_ = 0;
    int skipped_ = 0;
};

}  // namespace sprite
