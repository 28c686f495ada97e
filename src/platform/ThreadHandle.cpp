#include "platform/ThreadHandle.h"

namespace platform {

ThreadHandle::ThreadHandle(std::function<void()> body)
    : done_(std::make_shared<Event>()), thread_([done = done_, body = std::move(body)] {
          body();
          done->set();
      }) {}

ThreadHandle::~ThreadHandle() {
    if (!thread_.joinable()) return;
    if (thread_.get_id() == std::this_thread::get_id()) {
        thread_.detach();
    } else {
        // The owner closes a handle only after the body has returned (or it
        // gives up on it): wait for the last instructions, never forever.
        if (done_->wait(5000)) thread_.join();
        else
            thread_.detach();
    }
}

bool ThreadHandle::join(int timeoutMs) { return done_->wait(timeoutMs == 0 ? -1 : timeoutMs); }

}  // namespace platform
