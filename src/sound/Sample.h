#pragma once

#include <atomic>

#include "sound/SampleData.h"

namespace sound {

// A sound decoded whole into memory, played on any number of channels at once.
// Channels read the loop mode live, so changing it affects sounds already playing.
class Sample {
public:
    explicit Sample(SampleData&& data) : data_(std::move(data)) {}

    const SampleData& data() const { return data_; }
    bool looping() const { return loop_.load(std::memory_order_relaxed); }
    void setLooping(bool loop) { loop_.store(loop, std::memory_order_relaxed); }

private:
    SampleData data_;
    std::atomic<bool> loop_{false};
};

}  // namespace sound
