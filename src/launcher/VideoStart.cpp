#include "VideoStart.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

namespace launcher {

namespace {

constexpr Uint32 kSubsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER;

// Drivers that run without showing anything to the player.
bool isInvisible(const char* driver) {
    return std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0 ||
           std::strcmp(driver, "evdev") == 0;
}

}  // namespace

bool startVideo(bool headless, std::string& error) {
    if (headless) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    }
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (headless || (asked && *asked)) {
        if (SDL_Init(kSubsystems) == 0) return true;
        error = SDL_GetError();
        return false;
    }
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        error = SDL_GetError();
        return false;
    }
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (isInvisible(driver)) continue;
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
        if (!error.empty()) error += "; ";
        error += std::string(driver) + ": " + SDL_GetError();
    }
    if (error.empty()) error = "this SDL has no video driver that shows a window";
    error = "no display (" + error + ")";
    SDL_Quit();
    return false;
}

}  // namespace launcher
