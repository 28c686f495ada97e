#include "lang/Thread.h"

#include "platform/Clock.h"
#include "platform/ThreadHandle.h"

namespace lang {

Thread::Thread() : target_(this) {}

Thread::Thread(Runnable* target) : target_(target ? target : this) {
    if (target_ != this) target_->addRef();
}

Thread::~Thread() {
    if (target_ != this) target_->release();
}

bool Thread::isInstanceOf(const char* name) const {
    return std::strcmp(name, "Thread") == 0 || Object::isInstanceOf(name) || std::strcmp(name, "Runnable") == 0;
}

void Thread::start() {
    if (running_.exchange(true)) return;
    handle_.reset();
    // The body's reference is taken here rather than on the new thread, so an
    // owner that releases right after start() cannot free the object first.
    addRef();
    handle_ = std::make_unique<platform::ThreadHandle>([this] { body(this); });
}

void Thread::body(Thread* self) {
    self->target_->run();
    self->running_ = false;
    self->release();
}

void Thread::join(int timeoutMs) {
    if (handle_) handle_->join(timeoutMs);
}

void Thread::sleep(int ms) { platform::sleepMs(ms); }

}  // namespace lang
