#include "sprite/LookRequest.h"

#include <mutex>

namespace sprite {

namespace {

// Guards every container link. Nothing else is taken while it is held.
std::mutex& linkLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

void LookRequest::raise() {
    // Raised from the bottom up, while the collection lowers from the top down:
    // a change that meets a visit in progress is seen now or on the next pass.
    std::lock_guard<std::mutex> hold(linkLock());
    for (LookRequest* r = this; r != nullptr; r = r->container_) r->raised_.store(true);
}

void LookRequest::linkTo(LookRequest* container) {
    std::lock_guard<std::mutex> hold(linkLock());
    container_ = container;
}

void LookRequest::unlinkFrom(const LookRequest* container) {
    std::lock_guard<std::mutex> hold(linkLock());
    if (container_ == container) container_ = nullptr;
}

}  // namespace sprite
