#pragma once

struct SDL_Window;

namespace platform {

// Where a window stood before it went full screen.
struct WindowedPlace {
    int x = 0, y = 0, width = 0, height = 0;
    bool bordered = true;
};

// Covers the window's display with it: SDL's desktop full screen, asked of the
// window manager, and the same by position and size for an X server without
// one, where that request goes unanswered. Answers the place it had.
WindowedPlace enterDesktopFullScreen(SDL_Window* window);
// Back to the place it had.
void leaveDesktopFullScreen(SDL_Window* window, const WindowedPlace& place);

}  // namespace platform
