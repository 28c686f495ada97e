#include "platform/DisplayModes.h"

#include <SDL.h>

#include <memory>
#include <mutex>

#include "platform/WindowState.h"
#include "platform/WindowSystem.h"

namespace platform {

namespace {

std::unique_ptr<std::vector<DisplayMode>>& testModes() {
    static std::unique_ptr<std::vector<DisplayMode>> modes;
    return modes;
}

constexpr int kScaledSizes[][2] = {{320, 240}, {400, 300}, {500, 375}, {512, 384}, {640, 480}, {800, 600}, {1024, 768}};

void syncAllTopLevels() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    for (auto& [handle, r] : s.windows)
        if (!r->parent) presenterSync(r.get());
}

}  // namespace

void setDisplayModesForTesting(const std::vector<DisplayMode>* modes) {
    std::lock_guard<std::recursive_mutex> hold(windowState().mutex);
    testModes() = modes ? std::make_unique<std::vector<DisplayMode>>(*modes) : nullptr;
}

std::vector<DisplayMode> enumDisplayModes() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    if (testModes()) return *testModes();
    std::vector<DisplayMode> modes;
    SDL_DisplayMode desktop;
    if (!s.started || SDL_GetDesktopDisplayMode(0, &desktop) != 0) return modes;
    int depth = screenDepth();
    for (int i = 0, n = SDL_GetNumDisplayModes(0); i < n; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0)
            modes.push_back(DisplayMode{mode.w, mode.h, SDL_BYTESPERPIXEL(mode.format) == 4 ? 32 : depth});
    }
    for (auto& size : kScaledSizes)
        if (size[0] <= desktop.w && size[1] <= desktop.h) modes.push_back(DisplayMode{size[0], size[1], depth});
    return modes;
}

bool testDisplayMode(const DisplayMode& mode) {
    for (const DisplayMode& offered : enumDisplayModes())
        if (offered.width == mode.width && offered.height == mode.height && offered.bitsPerPixel == mode.bitsPerPixel)
            return true;
    return false;
}

bool changeDisplayMode(const DisplayMode& mode) {
    if (!testDisplayMode(mode)) return false;
    return callOnWindowThread([mode] {
               {
                   auto& s = windowState();
                   std::lock_guard<std::recursive_mutex> hold(s.mutex);
                   s.mode.changed = true;
                   s.mode.width = mode.width;
                   s.mode.height = mode.height;
               }
               syncAllTopLevels();
               return LResult(1);
           }) != 0;
}

void restoreDisplayMode() {
    callOnWindowThread([] {
        {
            auto& s = windowState();
            std::lock_guard<std::recursive_mutex> hold(s.mutex);
            if (!s.mode.changed) return LResult(0);
            s.mode = DisplayModeState();
        }
        syncAllTopLevels();
        return LResult(1);
    });
}

bool isDisplayModeChanged() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return s.mode.changed;
}

}  // namespace platform
