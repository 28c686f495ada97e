#pragma once

#include <functional>
#include <memory>
#include <thread>

#include "platform/Event.h"

namespace platform {

// A running platform thread that can be joined with a timeout.
class ThreadHandle {
public:
    explicit ThreadHandle(std::function<void()> body);
    ~ThreadHandle();  // joins a finished thread; a thread closing its own handle detaches
    ThreadHandle(const ThreadHandle&) = delete;
    ThreadHandle& operator=(const ThreadHandle&) = delete;

    // Waits for the body to return; timeoutMs 0 means no limit. True when it ended.
    bool join(int timeoutMs);
    bool finished() { return done_->isSet(); }

private:
    // Shared with the running body, which may outlive this handle when it closes it itself.
    std::shared_ptr<Event> done_;
    std::thread thread_;
};

}  // namespace platform
