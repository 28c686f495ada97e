// Running inside a host's SDL window: the host pumps SDL events, an event watch
// hands copies to our pump, and our top-level record draws into the host window.

#include "platform/HostWindow.h"

#include <atomic>

#include <SDL.h>

#include <mutex>
#include <vector>

#include "platform/WindowState.h"
#include "platform/WindowSystem.h"

namespace platform {

namespace {

const char kHostClass[] = "MentariumHost";

std::mutex collectedMutex;
std::vector<SDL_Event> collected;  // events the watch saw since the last drain
bool watching = false;
WindowHandle hostWindow = nullptr;

// Runs on whichever thread adds an event to SDL's queue (the host's pump, or a
// game thread waking the window thread), so it only copies.
int SDLCALL collectEvent(void*, SDL_Event* event) {
    if (event->type == SDL_POLLSENTINEL) return 0;  // the end of someone's poll: nothing for us
    std::lock_guard<std::mutex> hold(collectedMutex);
    collected.push_back(*event);
    return 0;
}

std::atomic<void (*)(bool)> activationHandler{nullptr};

// Closing is the host's decision: it hears the same SDL event and stops the game.
LResult hostWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    if (message == msg::Close) return 0;
    if (message == msg::Activate)
        if (auto* handler = activationHandler.load()) handler(wParam != ActiveInactive);
    return defWindowProc(window, message, wParam, lParam);
}

}  // namespace

void setHostActivationHandler(void (*handler)(bool active)) { activationHandler = handler; }

void drainHostedEvents() {
    std::vector<SDL_Event> events;
    {
        std::lock_guard<std::mutex> hold(collectedMutex);
        events.swap(collected);
    }
    for (const SDL_Event& event : events) translateSdlEvent(&event);
}

WindowHandle attachHostWindow(void* sdlWindow, int clientWidth, int clientHeight) {
    if (!initWindowSystem()) return nullptr;
    if (sdlWindow == nullptr || hostWindow != nullptr) return hostWindow;
    registerClass(kHostClass, &hostWindowProc);
    auto& s = windowState();
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        s.adoptNext = static_cast<SDL_Window*>(sdlWindow);
        s.hosted = true;
    }
    if (!watching) {
        SDL_AddEventWatch(&collectEvent, nullptr);
        watching = true;
    }
    WindowCreate request;
    request.className = kHostClass;
    request.title = "";
    request.style = style::Popup | style::Visible;
    request.width = clientWidth;
    request.height = clientHeight;
    hostWindow = createWindow(request);
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    s.adoptNext = nullptr;
    if (hostWindow) {
        s.active = hostWindow;
        // Whatever the SDL window shows now is the host's; draw the scene over it.
        if (WindowRecord* r = findWindow(hostWindow)) r->pixelsDirty = true;
    }
    return hostWindow;
}

void serviceHostWindow() { pumpMessages(0); }

void detachHostWindow() {
    if (!isWindowThread()) return;
    if (hostWindow) destroyWindow(hostWindow);
    hostWindow = nullptr;
    if (watching) {
        SDL_DelEventWatch(&collectEvent, nullptr);
        watching = false;
    }
    {
        std::lock_guard<std::mutex> hold(collectedMutex);
        collected.clear();
    }
    {
        auto& s = windowState();
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        s.hosted = false;
    }
    shutdownWindowSystem();
}

}  // namespace platform
