#include "platform/Event.h"

#include <chrono>

namespace platform {

void Event::set() {
    {
        std::lock_guard<std::mutex> hold(mutex_);
        set_ = true;
    }
    if (manualReset_) changed_.notify_all();
    else
        changed_.notify_one();
}

void Event::reset() {
    std::lock_guard<std::mutex> hold(mutex_);
    set_ = false;
}

bool Event::isSet() {
    std::lock_guard<std::mutex> hold(mutex_);
    return set_;
}

bool Event::wait(int timeoutMs) {
    std::unique_lock<std::mutex> hold(mutex_);
    bool signalled = true;
    if (timeoutMs < 0) changed_.wait(hold, [this] { return set_; });
    else
        signalled = changed_.wait_for(hold, std::chrono::milliseconds(timeoutMs), [this] { return set_; });
    if (signalled && !manualReset_) set_ = false;
    return signalled;
}

}  // namespace platform
