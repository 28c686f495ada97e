#include "lang/Object.h"

#include "lang/String.h"
#include "platform/Event.h"

namespace lang {

Object::Object() = default;

Object::Object(const Object&) : ObjectI() {}

Object& Object::operator=(const Object&) { return *this; }

Object::~Object() { delete event_.load(std::memory_order_acquire); }

int Object::addRef() const { return refs_.fetch_add(1, std::memory_order_relaxed) + 1; }

void Object::release() const {
    if (refs_.fetch_sub(1, std::memory_order_acq_rel) - 1 < 1) delete this;
}

void Object::lock() const {
    monitor_.lock();
    ++holds_;
}

void Object::unlock() const {
    --holds_;
    monitor_.unlock();
}

int Object::hashCode() const { return 0; }

bool Object::equals(const Object* other) const { return other == this; }

String Object::toString() const { return String("lang.Object"); }

void Object::wait(int timeoutMs) const {
    platform::Event* event = event_.load(std::memory_order_acquire);
    if (event == nullptr) {
        auto* fresh = new platform::Event();
        if (event_.compare_exchange_strong(event, fresh, std::memory_order_acq_rel)) event = fresh;
        else
            delete fresh;  // another thread made it first
    }
    event->reset();
    int n = holds_;
    for (int i = 0; i < n; ++i) unlock();
    event->wait(timeoutMs);
    for (int i = 0; i < n; ++i) lock();
}

void Object::wait() const { wait(-1); }

void Object::notify() const {
    if (platform::Event* event = event_.load(std::memory_order_acquire)) event->set();
}

void Object::notifyAll() const { notify(); }

bool Object::isInstanceOf(const char* name) const { return std::strcmp(name, "Object") == 0; }

const char* Object::getClassName() const { return "Object"; }

}  // namespace lang
