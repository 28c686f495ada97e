#pragma once

#include <condition_variable>
#include <mutex>

namespace platform {

// A manual-reset event: set() releases every waiter and stays set until reset().
// An auto-reset event instead releases one waiter and clears itself.
class Event {
public:
    explicit Event(bool manualReset = true) : manualReset_(manualReset) {}

    void set();
    void reset();
    // Waits until set or until timeoutMs passes (-1: no limit). True when set.
    bool wait(int timeoutMs);
    bool isSet();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool set_ = false;
    bool manualReset_;
};

}  // namespace platform
