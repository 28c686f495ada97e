#include "platform/Cursors.h"

#include <SDL.h>

#include <map>
#include <mutex>
#include <vector>

#include "platform/WindowState.h"

namespace platform {

struct CursorRecord {
    int systemId = 0;
    std::vector<uint32_t> pixels;
    int width = 0, height = 0, hotX = 0, hotY = 0;
    SDL_Cursor* sdl = nullptr;
    SDL_Surface* surface = nullptr;
};

namespace {

std::mutex& cursorMutex() {
    static std::mutex mutex;
    return mutex;
}

CursorHandle& current() {
    static CursorHandle cursor = nullptr;
    return cursor;
}

SDL_SystemCursor sdlShape(int id) {
    switch (id) {
    case cursorId::TextBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case cursorId::Wait: return SDL_SYSTEM_CURSOR_WAIT;
    case cursorId::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

// Makes the SDL cursor on first use; drivers without cursor support leave it null
// and the pointer keeps its shape.
void realize(CursorRecord* cursor) {
    if (cursor->sdl) return;
    if (cursor->systemId) {
        cursor->sdl = SDL_CreateSystemCursor(sdlShape(cursor->systemId));
        return;
    }
    if (!cursor->surface) {
        cursor->surface = SDL_CreateRGBSurfaceWithFormatFrom(cursor->pixels.data(), cursor->width, cursor->height, 32,
                                                             cursor->width * 4, SDL_PIXELFORMAT_ARGB8888);
    }
    if (cursor->surface) cursor->sdl = SDL_CreateColorCursor(cursor->surface, cursor->hotX, cursor->hotY);
}

}  // namespace

CursorHandle loadSystemCursor(int id) {
    if (id < cursorId::Arrow || id > cursorId::Cross) return nullptr;
    std::lock_guard<std::mutex> hold(cursorMutex());
    // System cursors are shared and live for the whole process; the table stays
    // reachable until exit so they are never taken for leaks.
    static auto& shared = *new std::map<int, CursorRecord*>();
    CursorRecord*& cursor = shared[id];
    if (!cursor) {
        cursor = new CursorRecord();
        cursor->systemId = id;
    }
    return cursor;
}

CursorHandle createCursor(const uint32_t* pixels, int width, int height, int hotX, int hotY) {
    if (!pixels || width <= 0 || height <= 0) return nullptr;
    auto* cursor = new CursorRecord();
    cursor->pixels.assign(pixels, pixels + static_cast<size_t>(width) * height);
    cursor->width = width;
    cursor->height = height;
    cursor->hotX = hotX;
    cursor->hotY = hotY;
    return cursor;
}

void destroyCursor(CursorHandle cursor) {
    if (!cursor || cursor->systemId) return;
    CursorHandle arrow = loadSystemCursor(cursorId::Arrow);  // takes the cursor lock itself
    {
        std::lock_guard<std::mutex> hold(cursorMutex());
        if (current() == cursor) current() = arrow;
    }
    if (cursor->sdl) SDL_FreeCursor(cursor->sdl);
    if (cursor->surface) SDL_FreeSurface(cursor->surface);
    delete cursor;
}

CursorHandle setCursor(CursorHandle cursor) {
    CursorHandle previous;
    {
        std::lock_guard<std::mutex> hold(cursorMutex());
        previous = current();
        current() = cursor;
    }
    if (!windowState().started) return previous;
    if (!cursor) {
        SDL_ShowCursor(SDL_DISABLE);
        return previous;
    }
    realize(cursor);
    if (cursor->sdl) SDL_SetCursor(cursor->sdl);
    SDL_ShowCursor(SDL_ENABLE);
    return previous;
}

CursorHandle getCursor() {
    std::lock_guard<std::mutex> hold(cursorMutex());
    return current();
}

int systemCursorId(CursorHandle cursor) { return cursor ? cursor->systemId : 0; }

}  // namespace platform
