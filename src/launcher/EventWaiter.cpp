#include "EventWaiter.h"

#include <cstring>

namespace launcher {

namespace {

// Drivers whose events are all pushed by the program itself.
bool driverCannotBlock() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (!std::strcmp(driver, "dummy") || !std::strcmp(driver, "offscreen"));
}

}  // namespace

EventWaiter::EventWaiter() {
    if (!driverCannotBlock()) return;
    queued_ = SDL_CreateSemaphore(0);
    if (queued_) SDL_AddEventWatch(&EventWaiter::onQueued, this);
}

EventWaiter::~EventWaiter() {
    if (!queued_) return;
    SDL_DelEventWatch(&EventWaiter::onQueued, this);
    SDL_DestroySemaphore(queued_);
}

int SDLCALL EventWaiter::onQueued(void* self, SDL_Event* event) {
    // Every poll queues a sentinel marking its end; counting those would make
    // each look at the queue wake the next.
    if (event->type != SDL_POLLSENTINEL) SDL_SemPost(static_cast<EventWaiter*>(self)->queued_);
    return 0;
}

bool EventWaiter::wait(SDL_Event* event, int timeoutMs) {
    if (!queued_) return timeoutMs < 0 ? SDL_WaitEvent(event) != 0 : SDL_WaitEventTimeout(event, timeoutMs) != 0;
    const Uint32 start = SDL_GetTicks();
    bool woken = false;
    for (;;) {
        if (SDL_PollEvent(event)) return true;
        const int left = timeoutMs < 0 ? -1 : timeoutMs - static_cast<int>(SDL_GetTicks() - start);
        if (timeoutMs >= 0 && left <= 0) return false;
        // SDL tells its watchers of an event just before it queues it, so a
        // wake may find the queue still empty: then look again a moment later.
        const Uint32 slice = woken ? 1 : left < 0 ? SDL_MUTEX_MAXWAIT : static_cast<Uint32>(left);
        woken = SDL_SemWaitTimeout(queued_, slice) == 0;
        // One look takes every event queued so far; the posts they made are spent.
        while (SDL_SemTryWait(queued_) == 0) {}
    }
}

}  // namespace launcher
