// The SDL side of top-level windows: one SDL window with a software renderer
// each, showing the window's client pixels 1:1, or scaled to fit the desktop
// while a full-screen mode is in force.

#include <SDL.h>

#include "platform/Clock.h"
#include "platform/DesktopFullScreen.h"

#include "platform/CodePage.h"
#include "platform/Letterbox.h"
#include "platform/WindowState.h"

namespace platform {

namespace {

void outputSize(WindowRecord* r, int& outW, int& outH) {
    outW = outH = 0;
    if (r->renderer) SDL_GetRendererOutputSize(r->renderer, &outW, &outH);
    else if (r->sdl)
        SDL_GetWindowSize(r->sdl, &outW, &outH);
}

// Where the client area lands in an adopted host window: scaled to fit, centred.
FitRect adoptedPlacement(WindowRecord* r) {
    int outW, outH;
    outputSize(r, outW, outH);
    return fitInside(r->client.width(), r->client.height(), outW, outH);
}

// Where the client area lands in the SDL window while shown full screen.
FitRect fullScreenPlacement(WindowRecord* r) {
    auto& s = windowState();
    int outW, outH;
    outputSize(r, outW, outH);
    FitRect screen = fitInside(s.mode.width, s.mode.height, outW, outH);
    FitRect placed;
    if (s.mode.width <= 0 || s.mode.height <= 0) return placed;
    placed.x = screen.x + static_cast<int>(static_cast<long long>(r->client.left) * screen.width / s.mode.width);
    placed.y = screen.y + static_cast<int>(static_cast<long long>(r->client.top) * screen.height / s.mode.height);
    placed.width = static_cast<int>(static_cast<long long>(r->client.width()) * screen.width / s.mode.width);
    placed.height = static_cast<int>(static_cast<long long>(r->client.height()) * screen.height / s.mode.height);
    return placed;
}

}  // namespace

uint32_t sdlWindowIdOf(WindowHandle window) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    WindowRecord* r = topLevelOf(findWindow(window));
    return r && r->sdl ? SDL_GetWindowID(r->sdl) : 0;
}

void presenterCreate(WindowRecord* r) {
    auto& s = windowState();
    if (s.adoptNext) {
        r->sdl = s.adoptNext;
        s.adoptNext = nullptr;
        r->adopted = true;
        r->shownFullScreen = (SDL_GetWindowFlags(r->sdl) & SDL_WINDOW_FULLSCREEN) != 0;
        r->renderer = SDL_GetRenderer(r->sdl);
        r->ownsRenderer = r->renderer == nullptr;
        if (!r->renderer) r->renderer = SDL_CreateRenderer(r->sdl, -1, SDL_RENDERER_SOFTWARE);
        return;
    }
    uint32_t flags = SDL_WINDOW_HIDDEN;
    if ((r->style & style::Caption) != style::Caption) flags |= SDL_WINDOW_BORDERLESS;
    if (r->style & style::ThickFrame) flags |= SDL_WINDOW_RESIZABLE;
    if (r->topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    std::string title = cp1252ToUtf8(r->title.data(), r->title.size());
    r->sdl = SDL_CreateWindow(title.c_str(), r->client.left, r->client.top, std::max(1, r->client.width()),
                              std::max(1, r->client.height()), flags);
    if (!r->sdl) return;
    r->renderer = SDL_CreateRenderer(r->sdl, -1, SDL_RENDERER_SOFTWARE);
}

void presenterDestroy(WindowRecord* r) {
    if (r->texture) SDL_DestroyTexture(r->texture);
    if (r->renderer && r->ownsRenderer) SDL_DestroyRenderer(r->renderer);
    if (r->sdl && !r->adopted) SDL_DestroyWindow(r->sdl);
    r->texture = nullptr;
    r->renderer = nullptr;
    r->sdl = nullptr;
}

// A full-screen mode shows as a desktop full screen: the window covers the
// display at the desktop's own mode, with no mode switch, with or without a
// window manager; the scene is scaled into it.
void followFullScreen(WindowRecord* r) {
    bool fullScreen = windowState().mode.changed && r->visible;
    if (fullScreen == r->shownFullScreen) return;
    if (fullScreen) r->windowedPlace = enterDesktopFullScreen(r->sdl);
    else
        leaveDesktopFullScreen(r->sdl, r->windowedPlace);
    r->shownFullScreen = fullScreen;
}

void presenterSync(WindowRecord* r) {
    if (!r->sdl) return;
    if (r->adopted) {  // the host places, sizes and shows its own window; full screen is the game's
        if (r->visible) followFullScreen(r);
        r->pixelsDirty = true;
        return;
    }
    followFullScreen(r);
    if (!r->shownFullScreen) {
        int x, y, w, h;
        SDL_GetWindowPosition(r->sdl, &x, &y);
        SDL_GetWindowSize(r->sdl, &w, &h);
        if (x != r->client.left || y != r->client.top) SDL_SetWindowPosition(r->sdl, r->client.left, r->client.top);
        if (w != std::max(1, r->client.width()) || h != std::max(1, r->client.height()))
            SDL_SetWindowSize(r->sdl, std::max(1, r->client.width()), std::max(1, r->client.height()));
    }
    SDL_SetWindowAlwaysOnTop(r->sdl, r->topmost ? SDL_TRUE : SDL_FALSE);
    bool shown = (SDL_GetWindowFlags(r->sdl) & SDL_WINDOW_SHOWN) != 0;
    if (r->visible && !shown) SDL_ShowWindow(r->sdl);
    if (!r->visible && shown) SDL_HideWindow(r->sdl);
    bool minimized = (SDL_GetWindowFlags(r->sdl) & SDL_WINDOW_MINIMIZED) != 0;
    if (r->visible && r->minimized && !minimized) SDL_MinimizeWindow(r->sdl);
    if (r->visible && !r->minimized && minimized) SDL_RestoreWindow(r->sdl);
    r->pixelsDirty = true;
}

PointI presenterToClient(WindowRecord* r, int x, int y) {
    if (r->adopted) return mapToSource(adoptedPlacement(r), r->client.width(), r->client.height(), x, y);
    if (!r->shownFullScreen) return PointI{x, y};
    FitRect placed = fullScreenPlacement(r);
    return mapToSource(placed, r->client.width(), r->client.height(), x, y);
}

void presentDirtyWindows() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    uint32_t now = tickCount();
    for (auto& [handle, owned] : s.windows) {
        WindowRecord* r = owned.get();
        // An adopted window may have come after the mode was set: it catches up here.
        if (r->adopted && r->visible && r->sdl) followFullScreen(r);
        // Open contexts draw straight into the pixels and wake this thread when
        // they drew; an idle game that keeps its context open costs nothing.
        if (!r->parent && r->windowContexts > 0 && takeContextDrawing(handle)) r->pixelsDirty = true;
        if (r->parent || !r->pixelsDirty || !r->visible || r->minimized || !r->renderer) continue;
        r->pixelsDirty = false;
        r->lastPresent = now;
        if (r->textureW <= 0 || r->textureH <= 0) continue;
        int texW = 0, texH = 0;
        if (r->texture) SDL_QueryTexture(r->texture, nullptr, nullptr, &texW, &texH);
        if (!r->texture || texW != r->textureW || texH != r->textureH) {
            if (r->texture) SDL_DestroyTexture(r->texture);
            r->texture = SDL_CreateTexture(r->renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                           r->textureW, r->textureH);
            if (!r->texture) continue;
            SDL_SetTextureBlendMode(r->texture, SDL_BLENDMODE_NONE);
        }
        {
            std::lock_guard<std::mutex> reading(s.pixelsMutex);
            SDL_UpdateTexture(r->texture, nullptr, r->pixels->data(), r->textureW * 4);
        }
        SDL_SetRenderDrawColor(r->renderer, 0, 0, 0, 255);
        SDL_RenderClear(r->renderer);
        SDL_Rect dst{0, 0, r->textureW, r->textureH};
        if (r->shownFullScreen || r->adopted) {
            FitRect placed = r->adopted ? adoptedPlacement(r) : fullScreenPlacement(r);
            dst = SDL_Rect{placed.x, placed.y, placed.width, placed.height};
        }
        SDL_RenderCopy(r->renderer, r->texture, nullptr, &dst);
        SDL_RenderPresent(r->renderer);
    }
}

}  // namespace platform
