#include "platform/DesktopFullScreen.h"

#include <SDL.h>

namespace platform {

WindowedPlace enterDesktopFullScreen(SDL_Window* window) {
    WindowedPlace place;
    SDL_GetWindowPosition(window, &place.x, &place.y);
    SDL_GetWindowSize(window, &place.width, &place.height);
    place.bordered = (SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS) == 0;
    SDL_Rect display;
    int index = SDL_GetWindowDisplayIndex(window);
    if (SDL_GetDisplayBounds(index < 0 ? 0 : index, &display) == 0) {
        // Placed first: SDL takes no size while full screen, and without a window
        // manager this is what makes the window cover the display.
        SDL_SetWindowBordered(window, SDL_FALSE);
        SDL_SetWindowPosition(window, display.x, display.y);
        SDL_SetWindowSize(window, display.w, display.h);
    }
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return place;
}

void leaveDesktopFullScreen(SDL_Window* window, const WindowedPlace& place) {
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowBordered(window, place.bordered ? SDL_TRUE : SDL_FALSE);
    if (place.width > 0 && place.height > 0) SDL_SetWindowSize(window, place.width, place.height);
    SDL_SetWindowPosition(window, place.x, place.y);
}

}  // namespace platform
