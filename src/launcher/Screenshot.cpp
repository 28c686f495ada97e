#include "Screenshot.h"

#include <SDL.h>

#include <vector>

#include "mentarium/host.h"
#include "platform/PngWriter.h"

namespace launcher {

bool saveScreenshot(SDL_Window* window, const std::string& path, std::string& error) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface) {
        error = std::string("no window surface: ") + SDL_GetError();
        return false;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!argb) {
        error = std::string("cannot read the window: ") + SDL_GetError();
        return false;
    }
    MentariumViewport v = mentarium_viewport(argb->w, argb->h);
    std::vector<uint32_t> scene(MENTARIUM_SCENE_WIDTH * MENTARIUM_SCENE_HEIGHT);
    SDL_LockSurface(argb);
    for (int y = 0; y < MENTARIUM_SCENE_HEIGHT; ++y)
        for (int x = 0; x < MENTARIUM_SCENE_WIDTH; ++x) {
            int wx = v.x + x * v.width / MENTARIUM_SCENE_WIDTH;
            int wy = v.y + y * v.height / MENTARIUM_SCENE_HEIGHT;
            const auto* row = static_cast<const uint32_t*>(argb->pixels) + static_cast<size_t>(wy) * (argb->pitch / 4);
            scene[y * MENTARIUM_SCENE_WIDTH + x] = row[wx] | 0xFF000000u;
        }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return platform::writePng(path, scene.data(), MENTARIUM_SCENE_WIDTH, MENTARIUM_SCENE_HEIGHT, &error);
}

}  // namespace launcher
