#pragma once

// Drives the window system the way a user would: SDL events pushed into SDL's
// queue, then one round of the window thread's pump. The test thread is the
// window thread (SDL's dummy video driver).

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/WindowMessages.h"

namespace windowtest {

// Starts the window system once on the calling thread.
void startWindowSystem();
// One pump round that handles everything queued.
void pump();
// Tests control message times through this clock.
void setNow(uint32_t ms);
void useManualClock();
void useRealClock();

void pushMouseMotion(platform::WindowHandle topLevel, int x, int y);
void pushMouseButton(platform::WindowHandle topLevel, int button, bool down, int x, int y);
void pushKey(platform::WindowHandle topLevel, SDL_Keycode key, bool down, uint16_t mod = KMOD_NONE,
             bool repeat = false);
void pushText(platform::WindowHandle topLevel, const char* utf8);
void pushWindowEvent(platform::WindowHandle topLevel, SDL_WindowEventID id, int data1 = 0, int data2 = 0);

}  // namespace windowtest
