#include "Screenshot.h"

#include <SDL.h>

#include <vector>

#include "mentarium/host.h"
#include "platform/PngWriter.h"

namespace launcher {

namespace {

// What the window shows: through its renderer when the game draws with one,
// else from its surface.
SDL_Surface* readWindow(SDL_Window* window, std::string& error) {
    if (SDL_Renderer* renderer = SDL_GetRenderer(window)) {
        int w = 0, h = 0;
        if (SDL_GetRendererOutputSize(renderer, &w, &h) != 0 || w <= 0 || h <= 0) {
            error = std::string("cannot size the renderer: ") + SDL_GetError();
            return nullptr;
        }
        SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        if (shot && SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels, shot->pitch) == 0)
            return shot;
        error = std::string("cannot read the renderer: ") + SDL_GetError();
        SDL_FreeSurface(shot);
        return nullptr;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface) {
        error = std::string("no window surface: ") + SDL_GetError();
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!argb) error = std::string("cannot read the window: ") + SDL_GetError();
    return argb;
}

}  // namespace

bool saveScreenshot(SDL_Window* window, const std::string& path, std::string& error) {
    SDL_Surface* argb = readWindow(window, error);
    if (!argb) return false;
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
