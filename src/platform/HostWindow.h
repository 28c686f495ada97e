#pragma once

#include "platform/WindowMessages.h"

namespace platform {

// A host program owns the SDL window and pumps SDL events on its own thread; the
// game runs inside that window. These calls, made on the host's thread, turn the
// host's SDL window into a top-level window of our window system whose client
// area has the scene's size, scaled to fit the SDL window with its aspect kept.
//
// Adopts the host's SDL window (an SDL_Window*), making the calling thread the
// window thread. Null window: the window system starts without a host window.
// Answers the top-level window, or null.
WindowHandle attachHostWindow(void* sdlWindow, int clientWidth, int clientHeight);

// Handles what is pending: the SDL events the host's pump collected, posted
// messages, paints, presenting. Never waits. Host thread only.
void serviceHostWindow();

// Destroys our windows (leaving the host's SDL window as it was) and stops the
// window system. Safe to call when nothing is attached.
void detachHostWindow();

// Told when the host's window gains (true) or loses (false) the focus; the
// game pauses a running play when its window loses it. Null stops telling.
void setHostActivationHandler(void (*handler)(bool active));

}  // namespace platform
