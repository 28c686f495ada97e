#pragma once

// Internal to the window system: the records behind window handles and the
// process-wide state shared by its source files. Not for use outside src/platform.

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/DesktopFullScreen.h"
#include "platform/RectRegion.h"
#include "platform/WindowMessages.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace platform {

struct WindowRecord {
    WindowHandle handle = nullptr;
    WindowProc proc = nullptr;
    std::string className;
    std::string title;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    WindowHandle parent = nullptr;
    std::vector<WindowHandle> children;
    Rect client;  // client area in the parent's client coordinates (top level: screen)
    bool visible = false;
    bool minimized = false;
    bool topmost = false;
    bool destroying = false;
    void* userData = nullptr;
    RectRegion invalid;
    bool erase = false;

    // Top-level windows only: the SDL window and what it shows.
    SDL_Window* sdl = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureW = 0, textureH = 0;
    // The client area, client width x height. Shared with the device contexts that
    // draw on the window, which keep an outgrown buffer alive until they are given back.
    std::shared_ptr<std::vector<uint32_t>> pixels = std::make_shared<std::vector<uint32_t>>();
    bool pixelsDirty = false;
    int windowContexts = 0;  // device contexts open on the window or its children
    uint32_t lastPresent = 0;
    bool shownFullScreen = false;
    WindowedPlace windowedPlace;  // where the SDL window stood before full screen
    // A host's SDL window adopted as this top-level window: the host owns the SDL
    // window and its size; the client area keeps its own size and is scaled to fit.
    bool adopted = false;
    bool ownsRenderer = true;
};

// A message for the window thread: posted, sent from another thread (then done
// is set when the answer is ready), or a task to run there.
struct QueuedMessage {
    WindowHandle window = nullptr;
    unsigned message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    std::function<LResult()> task;
    struct Reply {
        bool done = false;
        LResult result = 0;
    };
    std::shared_ptr<Reply> reply;
};

struct DisplayModeState {
    bool changed = false;  // a full-screen mode is in force
    int width = 0, height = 0;
};

struct WindowSystemState {
    std::recursive_mutex mutex;  // guards everything below; never held while a window procedure runs
    // Guards the contents of every window's pixels: held by each drawing
    // operation of a context on a window (any thread) and by the window thread
    // while it copies them out; taken after mutex, never before it.
    std::mutex pixelsMutex;
    std::condition_variable_any replied;
    std::thread::id windowThread;
    bool started = false;
    bool headless = false;
    uint32_t wakeEventType = 0;
    std::atomic<bool> wakePending{false};
    bool quit = false;

    uintptr_t nextId = 1;
    std::unordered_map<WindowHandle, std::unique_ptr<WindowRecord>> windows;
    std::map<std::string, WindowProc> classes;
    std::deque<QueuedMessage> queue;

    WindowHandle focus = nullptr;
    WindowHandle capture = nullptr;
    WindowHandle active = nullptr;
    bool keys[256] = {};
    uint32_t buttons = 0;  // SDL button mask
    bool lastKeyRepeat = false;
    PointI cursor;  // screen coordinates
    uint32_t messageTime = 0;
    std::function<uint32_t()> clock;

    WindowHandle sizeDrag = nullptr;
    PointI sizeDragStart;
    Rect sizeDragRect;

    DisplayModeState mode;
    // Set while a host pumps SDL events: its SDL window is adopted by the next
    // top-level window made, and events reach the pump through an event watch.
    SDL_Window* adoptNext = nullptr;
    bool hosted = false;
};

WindowSystemState& windowState();
// The record of a live window, or null. Call with the state's mutex held.
WindowRecord* findWindow(WindowHandle window);
// The top-level ancestor (or the window itself). Mutex held.
WindowRecord* topLevelOf(WindowRecord* record);
// The client origin of a window in its top-level window's client coordinates. Mutex held.
PointI originInTopLevel(WindowRecord* record);
// Wakes the window thread from its wait (any thread).
void wakeWindowThread();
// Runs a task on the window thread and waits for its answer (any thread).
LResult callOnWindowThread(std::function<LResult()> task);
// Stamps the message time from the message clock.
void stampMessageTime();

// Screen presentation (window thread): makes, shows and updates the SDL side of
// top-level windows.
void presenterCreate(WindowRecord* record);
void presenterDestroy(WindowRecord* record);
void presenterSync(WindowRecord* record);  // position, size, visibility, full screen
void presentDirtyWindows();
// Maps a point of an SDL window to the top-level client area (scaled full screen aware).
PointI presenterToClient(WindowRecord* record, int x, int y);

// The SDL window id behind a top-level window (0 for none); tests address injected events with it.
uint32_t sdlWindowIdOf(WindowHandle window);

// Installs the device contexts on windows (platform/WindowDrawing.h).
void installWindowDrawing();
// True when a context open on the top-level window (or its children) drew since
// the last call; clears that mark. Takes the contexts' lock after the state's.
bool takeContextDrawing(WindowHandle top);

// Hands the pump the SDL events a host's event watch collected (window thread).
void drainHostedEvents();

// Dispatches every SDL event (window thread).
void translateSdlEvent(const void* sdlEvent);

}  // namespace platform
