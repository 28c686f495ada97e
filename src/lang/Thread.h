#pragma once

#include <atomic>
#include <memory>

#include "lang/Object.h"
#include "lang/Runnable.h"
#include "lang/String.h"

namespace platform {
class ThreadHandle;
}

namespace lang {

// Runs a Runnable (by default itself) on its own platform thread. The running
// thread holds a reference to this object, so it outlives its owner's release.
// Stopping is cooperative: subclasses poll a stop flag of their own in run().
class Thread : public Object, public Runnable {
public:
    Thread();
    explicit Thread(Runnable* target);  // keeps one reference to target
    ~Thread() override;

    // The Runnable face forwards every common slot to the Object face.
    int addRef() const override { return Object::addRef(); }
    void release() const override { Object::release(); }
    void lock() const override { Object::lock(); }
    void unlock() const override { Object::unlock(); }
    int hashCode() const override { return 0; }
    bool equals(const Object* other) const override { return Object::equals(other); }
    String toString() const override { return Object::toString(); }
    void wait(int timeoutMs) const override { Object::wait(timeoutMs); }
    void wait() const override { Object::wait(); }
    void notify() const override { Object::notify(); }
    void notifyAll() const override { Object::notifyAll(); }
    bool isInstanceOf(const char* name) const override;
    const char* getClassName() const override { return "Thread"; }

    void run() override {}  // the body of a Thread that is its own target

    void start();              // a second start while running does nothing
    void join(int timeoutMs);  // 0: no limit; nothing when never started
    static void sleep(int ms);
    bool isRunning() const { return running_.load(); }

private:
    static void body(Thread* self);

    Runnable* target_;
    std::atomic<bool> running_{false};
    std::unique_ptr<platform::ThreadHandle> handle_;
};

}  // namespace lang
