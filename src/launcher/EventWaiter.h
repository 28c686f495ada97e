#pragma once

#include <SDL.h>

namespace launcher {

// Sleeps until the next SDL event or a timeout. SDL's own wait cannot block on
// video drivers without an event source of their own (the dummy driver of a
// headless run): it polls every millisecond. There this waits on a semaphore
// that an event watch posts whenever an event is queued, from any thread.
class EventWaiter {
public:
    EventWaiter();  // after SDL_Init
    ~EventWaiter();
    EventWaiter(const EventWaiter&) = delete;
    EventWaiter& operator=(const EventWaiter&) = delete;

    // Takes the next event into event; waits at most timeoutMs (-1: no limit).
    // False when none came in time.
    bool wait(SDL_Event* event, int timeoutMs);

private:
    static int SDLCALL onQueued(void* self, SDL_Event* event);

    SDL_sem* queued_ = nullptr;  // null: SDL's own wait blocks
};

}  // namespace launcher
