#pragma once

#include <atomic>
#include <cstring>
#include <mutex>

#include "lang/ObjectI.h"

namespace platform {
class Event;
}

namespace lang {

// The reference-counted, lockable root of every class.
// A new object holds one reference for its creator; release() below 1 deletes it.
// Every object has its own re-entrant monitor and a lazily created wait event.
class Object : public ObjectI {
public:
    Object();
    Object(const Object&);             // a copy is a new object: count 1, own monitor
    Object& operator=(const Object&);  // copies no lock state

    int addRef() const override;
    void release() const override;
    void lock() const override;
    void unlock() const override;
    int hashCode() const override;
    bool equals(const Object* other) const override;
    String toString() const override;
    void wait(int timeoutMs) const override;
    void wait() const override;
    void notify() const override;
    void notifyAll() const override;
    bool isInstanceOf(const char* name) const override;
    const char* getClassName() const override;
    virtual ~Object();

    // Introspection for tests and diagnostics.
    int refCount() const { return refs_.load(std::memory_order_relaxed); }
    int holdCount() const { return holds_; }
    bool hasWaitEvent() const { return event_.load(std::memory_order_acquire) != nullptr; }

private:
    mutable std::atomic<int> refs_{1};
    mutable std::recursive_mutex monitor_;
    mutable std::atomic<platform::Event*> event_{nullptr};
    mutable int holds_ = 0;  // changed only while the monitor is held
};

}  // namespace lang

// Declares slots 11 and 12 for a class: its short name, then its base's answer.
#define MENTARIUM_CLASS_NAMED(NameText, Base)                                \
    bool isInstanceOf(const char* name) const override {                     \
        return std::strcmp(name, NameText) == 0 || Base::isInstanceOf(name); \
    }                                                                        \
    const char* getClassName() const override { return NameText; }

#define MENTARIUM_CLASS(Name, Base) MENTARIUM_CLASS_NAMED(#Name, Base)
