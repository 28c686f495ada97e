#include "platform/WindowSystem.h"

#include <SDL.h>

#include <cstdlib>

#include <algorithm>
#include <cstring>

#include "platform/Clock.h"
#include "platform/WindowState.h"

namespace platform {

WindowSystemState& windowState() {
    static WindowSystemState* state = new WindowSystemState();  // lives as long as the process
    return *state;
}

WindowRecord* findWindow(WindowHandle window) {
    auto& s = windowState();
    auto it = s.windows.find(window);
    return it == s.windows.end() ? nullptr : it->second.get();
}

WindowRecord* topLevelOf(WindowRecord* record) {
    while (record && record->parent) record = findWindow(record->parent);
    return record;
}

PointI originInTopLevel(WindowRecord* record) {
    PointI p;
    while (record && record->parent) {
        p.x += record->client.left;
        p.y += record->client.top;
        record = findWindow(record->parent);
    }
    return p;
}

void wakeWindowThread() {
    auto& s = windowState();
    if (s.wakeEventType == 0 || s.wakePending.exchange(true)) return;
    SDL_Event event;
    SDL_zero(event);
    event.type = s.wakeEventType;
    SDL_PushEvent(&event);
}

void stampMessageTime() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    s.messageTime = s.clock ? s.clock() : tickCount();
}

uint32_t getMessageTime() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return s.messageTime;
}

void setMessageClock(std::function<uint32_t()> clock) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    s.clock = std::move(clock);
}

bool isWindowThread() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return s.started && s.windowThread == std::this_thread::get_id();
}

bool isHeadless() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return !s.started || s.headless;
}

bool initWindowSystem() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    if (s.started) return s.windowThread == std::this_thread::get_id();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
    s.started = true;
    s.windowThread = std::this_thread::get_id();
    const char* driver = SDL_GetCurrentVideoDriver();
    s.headless = driver == nullptr || std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0;
    s.wakeEventType = SDL_RegisterEvents(1);
    if (s.wakeEventType == static_cast<uint32_t>(-1)) s.wakeEventType = 0;
    s.quit = false;
    installWindowDrawing();
    SDL_StartTextInput();
    return true;
}

void shutdownWindowSystem() {
    auto& s = windowState();
    std::vector<WindowHandle> tops;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (!s.started || s.windowThread != std::this_thread::get_id()) return;
        for (auto& [handle, record] : s.windows)
            if (!record->parent) tops.push_back(handle);
    }
    for (WindowHandle top : tops) destroyWindow(top);
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    s.queue.clear();
    s.focus = s.capture = s.active = s.sizeDrag = nullptr;
    s.mode = DisplayModeState();
    SDL_StopTextInput();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    s.started = false;
    s.wakeEventType = 0;
    s.wakePending = false;
}

bool registerClass(const char* name, WindowProc proc) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return s.classes.emplace(name, proc).second;
}

bool isClassRegistered(const char* name) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return s.classes.count(name) != 0;
}

// ---- frame metrics --------------------------------------------------------

int captionHeight() { return 19; }
int sizeFrameSize() { return 4; }
int fixedFrameSize() { return 3; }
int borderSize() { return 1; }

Rect adjustWindowRect(const Rect& client, uint32_t style) {
    Rect outer = client;
    if (style & style::Child) return outer;
    int frame = (style & style::ThickFrame) ? sizeFrameSize() : ((style & style::Caption) ? fixedFrameSize() : 0);
    outer.left -= frame;
    outer.right += frame;
    outer.top -= frame;
    outer.bottom += frame;
    if ((style & style::Caption) == style::Caption) outer.top -= captionHeight();
    return outer;
}

namespace {

Rect outerOf(const WindowRecord* r) { return adjustWindowRect(r->client, r->style); }

Rect clientFromOuter(const Rect& outer, uint32_t style) {
    Rect insets = adjustWindowRect(Rect{0, 0, 0, 0}, style);
    return Rect{outer.left - insets.left, outer.top - insets.top, outer.right - insets.right,
                outer.bottom - insets.bottom};
}

template <typename F>
auto withWindow(WindowHandle window, F f, decltype(f(nullptr)) fallback) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    WindowRecord* record = findWindow(window);
    return record ? f(record) : fallback;
}

bool onWindowThread() {
    auto& s = windowState();
    return s.started && s.windowThread == std::this_thread::get_id();
}

void resizePixels(WindowRecord* r) {
    int w = std::max(0, r->client.width()), h = std::max(0, r->client.height());
    if (r->parent || (static_cast<int>(r->pixels->size()) == w * h && r->textureW == w && r->textureH == h)) return;
    auto pixels = std::make_shared<std::vector<uint32_t>>(static_cast<size_t>(w) * h, 0xFF000000u);
    int oldW = r->textureW, oldH = r->textureH;
    std::lock_guard<std::mutex> reading(windowState().pixelsMutex);
    const std::vector<uint32_t>& old = *r->pixels;
    if (static_cast<int>(old.size()) == oldW * oldH)
        for (int y = 0; y < std::min(h, oldH); ++y)
            std::copy_n(old.begin() + static_cast<long>(y) * oldW, std::min(w, oldW),
                        pixels->begin() + static_cast<long>(y) * w);
    r->pixels = std::move(pixels);
    r->textureW = w;
    r->textureH = h;
    r->pixelsDirty = true;
}

bool isSelfOrDescendant(WindowHandle ancestor, WindowHandle window) {
    for (WindowRecord* r = findWindow(window); r; r = findWindow(r->parent))
        if (r->handle == ancestor) return true;
    return false;
}

}  // namespace

namespace {

// The screen as windows see it: the full-screen mode while one is in force, else the desktop.
PointI screenSize() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    if (s.mode.changed) return PointI{s.mode.width, s.mode.height};
    SDL_DisplayMode mode;
    if (s.started && SDL_GetDesktopDisplayMode(0, &mode) == 0) return PointI{mode.w, mode.h};
    return PointI{1024, 768};
}

}  // namespace

int screenWidth() { return screenSize().x; }

int screenHeight() { return screenSize().y; }

uint32_t doubleClickTimeMs() {
    static const uint32_t time = [] {
        const char* hint = SDL_GetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_TIME);
        int value = hint ? std::atoi(hint) : 0;
        return static_cast<uint32_t>(value > 0 ? value : 500);
    }();
    return time;
}

int screenDepth() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    SDL_DisplayMode mode;
    if (!s.started || SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
    // SDL counts 24 bits for the padded 32-bit formats; the window system draws 32.
    int bits = SDL_BITSPERPIXEL(mode.format);
    return SDL_BYTESPERPIXEL(mode.format) == 4 ? 32 : bits;
}

Rect workArea() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    if (!s.mode.changed && s.started) {
        SDL_Rect usable;
        if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0)
            return Rect{usable.x, usable.y, usable.x + usable.w, usable.y + usable.h};
    }
    return Rect{0, 0, screenWidth(), screenHeight()};
}

// ---- life ------------------------------------------------------------------

WindowHandle createWindow(const WindowCreate& request) {
    auto& s = windowState();
    WindowHandle handle;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (!onWindowThread()) return nullptr;
        auto cls = s.classes.find(request.className ? request.className : "");
        if (cls == s.classes.end()) return nullptr;
        WindowRecord* parent = findWindow(request.parent);
        if ((request.style & style::Child) && !parent) return nullptr;
        auto record = std::make_unique<WindowRecord>();
        handle = reinterpret_cast<WindowHandle>(s.nextId++ << 4);
        record->handle = handle;
        record->proc = cls->second;
        record->className = cls->first;
        record->title = request.title ? request.title : "";
        record->style = request.style & ~style::Visible;
        record->exStyle = request.exStyle;
        record->parent = parent ? parent->handle : nullptr;
        record->topmost = (request.exStyle & style::ExTopmost) != 0;
        Rect outer{request.x, request.y, request.x + std::max(0, request.width),
                   request.y + std::max(0, request.height)};
        record->client = clientFromOuter(outer, record->style);
        if (record->client.right < record->client.left) record->client.right = record->client.left;
        if (record->client.bottom < record->client.top) record->client.bottom = record->client.top;
        if (parent) parent->children.push_back(handle);
        WindowRecord* raw = record.get();
        s.windows.emplace(handle, std::move(record));
        if (!raw->parent) {
            resizePixels(raw);
            presenterCreate(raw);
        }
    }
    CreateStruct cs;
    cs.createParam = request.createParam;
    cs.parent = request.parent;
    cs.x = request.x;
    cs.y = request.y;
    cs.cx = request.width;
    cs.cy = request.height;
    cs.style = request.style;
    cs.title = request.title ? request.title : "";
    cs.className = request.className;
    stampMessageTime();
    if (sendMessage(handle, msg::Create, 0, reinterpret_cast<LParam>(&cs)) == -1) {
        destroyWindow(handle);
        return nullptr;
    }
    if (!isWindow(handle)) return nullptr;
    // A new window hears its size and position once, like after every later change.
    Rect client = withWindow(
        handle, [](WindowRecord* r) { return r->client; }, Rect{});
    sendMessage(handle, msg::Size, SizeRestored, makeLParam(client.width(), client.height()));
    sendMessage(handle, msg::Move, 0, makeLParam(client.left, client.top));
    if (!isWindow(handle)) return nullptr;
    if (request.style & style::Visible) showWindow(handle, show::Show);
    return handle;
}

bool destroyWindow(WindowHandle window) {
    auto& s = windowState();
    std::vector<WindowHandle> children;
    bool visible;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (!onWindowThread()) return false;
        WindowRecord* r = findWindow(window);
        if (!r || r->destroying) return false;
        r->destroying = true;
        visible = r->visible;
        children = r->children;
    }
    bool hadCapture, hadFocus;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        hadCapture = s.capture && isSelfOrDescendant(window, s.capture);
        hadFocus = s.focus && isSelfOrDescendant(window, s.focus);
    }
    if (hadCapture) releaseCapture();
    if (hadFocus) {
        WindowHandle old;
        {
            std::lock_guard<std::recursive_mutex> hold(s.mutex);
            old = s.focus;
            s.focus = nullptr;
        }
        sendMessage(old, msg::KillFocus, 0, 0);
    }
    if (visible) {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (WindowRecord* r = findWindow(window)) {
            r->visible = false;
            if (!r->parent) presenterSync(r);
        }
    }
    sendMessage(window, msg::Destroy, 0, 0);
    for (WindowHandle child : children) destroyWindow(child);
    sendMessage(window, msg::NcDestroy, 0, 0);

    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    WindowRecord* r = findWindow(window);
    if (!r) return true;
    if (WindowRecord* parent = findWindow(r->parent)) {
        auto& list = parent->children;
        list.erase(std::remove(list.begin(), list.end(), window), list.end());
    }
    if (!r->parent) presenterDestroy(r);
    if (s.active == window) s.active = nullptr;
    if (s.sizeDrag == window) s.sizeDrag = nullptr;
    s.windows.erase(window);
    return true;
}

bool isWindow(WindowHandle window) {
    return withWindow(
        window, [](WindowRecord*) { return true; }, false);
}

void setWindowUserData(WindowHandle window, void* data) {
    withWindow(
        window,
        [data](WindowRecord* r) {
            r->userData = data;
            return true;
        },
        false);
}

void* getWindowUserData(WindowHandle window) {
    return withWindow(
        window, [](WindowRecord* r) { return r->userData; }, static_cast<void*>(nullptr));
}

WindowHandle getParent(WindowHandle window) {
    return withWindow(
        window, [](WindowRecord* r) { return r->parent; }, static_cast<WindowHandle>(nullptr));
}

bool isChild(WindowHandle parent, WindowHandle window) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return parent && window != parent && isSelfOrDescendant(parent, window);
}

uint32_t getWindowStyle(WindowHandle window) {
    return withWindow(
        window,
        [](WindowRecord* r) {
            return r->style | (r->visible ? style::Visible : 0u) | (r->minimized ? style::Minimize : 0u);
        },
        0u);
}

// ---- messages ---------------------------------------------------------------

bool postMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    auto& s = windowState();
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (!findWindow(window)) return false;
        QueuedMessage queued;
        queued.window = window;
        queued.message = message;
        queued.wParam = wParam;
        queued.lParam = lParam;
        s.queue.push_back(std::move(queued));
    }
    wakeWindowThread();
    return true;
}

LResult callOnWindowThread(std::function<LResult()> task) {
    auto& s = windowState();
    if (onWindowThread()) return task();
    auto reply = std::make_shared<QueuedMessage::Reply>();
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (!s.started) return 0;
        QueuedMessage queued;
        queued.task = std::move(task);
        queued.reply = reply;
        s.queue.push_back(std::move(queued));
    }
    wakeWindowThread();
    std::unique_lock<std::recursive_mutex> hold(s.mutex);
    s.replied.wait(hold, [&] { return reply->done || !s.started; });
    return reply->result;
}

LResult sendMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    if (!onWindowThread()) return callOnWindowThread([=] { return sendMessage(window, message, wParam, lParam); });
    WindowProc proc;
    {
        auto& s = windowState();
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        WindowRecord* r = findWindow(window);
        if (!r) return 0;
        proc = r->proc;
    }
    return proc ? proc(window, message, wParam, lParam) : defWindowProc(window, message, wParam, lParam);
}

LResult defWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    switch (message) {
    case msg::Close: destroyWindow(window); return 0;
    case msg::Paint: endPaint(window, beginPaint(window)); return 0;
    case msg::SetCursor: {
        // A child lets its parent decide first, as the classic window system does.
        WindowHandle parent = getParent(window);
        if (parent && sendMessage(parent, msg::SetCursor, wParam, lParam)) return 1;
        return 0;
    }
    case msg::Activate:
        if (loWord(wParam) != ActiveInactive) {
            auto& s = windowState();
            bool inside;
            {
                std::lock_guard<std::recursive_mutex> hold(s.mutex);
                inside = s.focus && isSelfOrDescendant(window, s.focus);
            }
            if (!inside) setFocus(window);
        }
        return 0;
    case msg::SysCommand:
        switch (wParam & 0xFFF0) {
        case ScClose: sendMessage(window, msg::Close, 0, 0); break;
        case ScMinimize: showWindow(window, show::Minimize); break;
        case ScRestore: showWindow(window, show::Restore); break;
        case ScMaximize: showWindow(window, show::Maximized); break;
        default: break;
        }
        return 0;
    default: return 0;
    }
}

// ---- geometry ----------------------------------------------------------------

Rect getClientRect(WindowHandle window) {
    return withWindow(
        window,
        [](WindowRecord* r) {
            return Rect{0, 0, r->client.width(), r->client.height()};
        },
        Rect{});
}

Rect getWindowRect(WindowHandle window) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    WindowRecord* r = findWindow(window);
    if (!r) return Rect{};
    Rect outer = outerOf(r);
    if (r->parent) {
        PointI origin = clientToScreen(r->parent, PointI{0, 0});
        outer.left += origin.x;
        outer.right += origin.x;
        outer.top += origin.y;
        outer.bottom += origin.y;
    }
    return outer;
}

bool setWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags) {
    if (!onWindowThread())
        return callOnWindowThread([=] { return LResult(setWindowPos(window, insertAfter, x, y, cx, cy, flags)); });
    auto& s = windowState();
    WindowPos pos;
    pos.window = window;
    pos.insertAfter = insertAfter;
    pos.x = x;
    pos.y = y;
    pos.cx = cx;
    pos.cy = cy;
    pos.flags = flags;
    if (!isWindow(window)) return false;
    if (!(flags & swp::NoSize)) {
        // Sizes keep to the tracking limits the window gives (0 means no limit).
        MinMaxInfo limits;
        sendMessage(window, msg::GetMinMaxInfo, 0, reinterpret_cast<LParam>(&limits));
        if (limits.minTrackSize.x > 0) pos.cx = std::max(pos.cx, limits.minTrackSize.x);
        if (limits.minTrackSize.y > 0) pos.cy = std::max(pos.cy, limits.minTrackSize.y);
        if (limits.maxTrackSize.x > 0) pos.cx = std::min(pos.cx, limits.maxTrackSize.x);
        if (limits.maxTrackSize.y > 0) pos.cy = std::min(pos.cy, limits.maxTrackSize.y);
    }
    sendMessage(window, msg::WindowPosChanging, 0, reinterpret_cast<LParam>(&pos));
    bool moved = false, sized = false, shown = false;
    Rect client;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        WindowRecord* r = findWindow(window);
        if (!r) return false;
        Rect outer = outerOf(r);
        Rect next = outer;
        if (!(pos.flags & swp::NoMove)) {
            next.left = pos.x;
            next.top = pos.y;
            next.right = pos.x + outer.width();
            next.bottom = pos.y + outer.height();
        }
        if (!(pos.flags & swp::NoSize)) {
            next.right = next.left + std::max(0, pos.cx);
            next.bottom = next.top + std::max(0, pos.cy);
        }
        Rect nextClient = clientFromOuter(next, r->style);
        nextClient.right = std::max(nextClient.right, nextClient.left);
        nextClient.bottom = std::max(nextClient.bottom, nextClient.top);
        moved = nextClient.left != r->client.left || nextClient.top != r->client.top;
        sized = nextClient.width() != r->client.width() || nextClient.height() != r->client.height();
        r->client = nextClient;
        if (!(pos.flags & swp::NoZOrder)) {
            if (pos.insertAfter == InsertTopmost) r->topmost = true;
            else if (pos.insertAfter == InsertNotTopmost)
                r->topmost = false;
        }
        if (pos.flags & swp::ShowWindow) shown = !r->visible;
        if (pos.flags & swp::HideWindow) r->visible = false;
        if (sized) {
            resizePixels(r);
            r->invalid.addRect(Rect{0, 0, r->client.width(), r->client.height()});
            r->erase = true;
        }
        if (!r->parent) presenterSync(r);
        client = r->client;
    }
    if (shown) showWindow(window, (pos.flags & swp::NoActivate) ? show::ShowNoActivate : show::Show);
    sendMessage(window, msg::WindowPosChanged, 0, reinterpret_cast<LParam>(&pos));
    // Move and size reports follow every change, whatever the procedure did with the above.
    if (moved) sendMessage(window, msg::Move, 0, makeLParam(client.left, client.top));
    if (sized) sendMessage(window, msg::Size, SizeRestored, makeLParam(client.width(), client.height()));
    if (moved || sized) wakeWindowThread();
    return true;
}

bool showWindow(WindowHandle window, int command) {
    if (!onWindowThread()) return callOnWindowThread([=] { return LResult(showWindow(window, command)); });
    auto& s = windowState();
    bool wasVisible, activate = false, minimizedNow = false, restoredNow = false;
    Rect client;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        WindowRecord* r = findWindow(window);
        if (!r) return false;
        wasVisible = r->visible;
        bool wasMinimized = r->minimized;
        switch (command) {
        case show::Hide: r->visible = false; break;
        case show::Minimize:
        case show::Minimized:
        case show::MinNoActive:
            r->visible = true;
            r->minimized = true;
            break;
        case show::Normal:
        case show::Restore:
        case show::Maximized:
            r->visible = true;
            r->minimized = false;
            activate = true;
            break;
        case show::ShowNoActivate: r->visible = true; break;
        default:
            r->visible = true;
            activate = true;
            break;
        }
        minimizedNow = r->minimized && !wasMinimized;
        restoredNow = !r->minimized && wasMinimized;
        if (r->visible && !wasVisible) {
            r->invalid.addRect(Rect{0, 0, r->client.width(), r->client.height()});
            r->erase = true;
            r->pixelsDirty = true;
        }
        activate = activate && !r->parent && s.active != window && r->visible && !r->minimized;
        if (!r->parent) presenterSync(r);
        client = r->client;
    }
    if (minimizedNow) sendMessage(window, msg::Size, SizeMinimized, 0);
    if (restoredNow) sendMessage(window, msg::Size, SizeRestored, makeLParam(client.width(), client.height()));
    if (activate) {
        {
            std::lock_guard<std::recursive_mutex> hold(s.mutex);
            s.active = window;
        }
        sendMessage(window, msg::Activate, ActiveActive, 0);
    }
    wakeWindowThread();
    return wasVisible;
}

bool isWindowVisible(WindowHandle window) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    WindowRecord* r = findWindow(window);
    if (!r) return false;
    for (; r; r = findWindow(r->parent))
        if (!r->visible) return false;
    return true;
}

bool isIconic(WindowHandle window) {
    return withWindow(
        window, [](WindowRecord* r) { return r->minimized; }, false);
}

bool isTopmost(WindowHandle window) {
    return withWindow(
        window, [](WindowRecord* r) { return r->topmost; }, false);
}

PointI clientToScreen(WindowHandle window, PointI p) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    for (WindowRecord* r = findWindow(window); r; r = findWindow(r->parent)) {
        p.x += r->client.left;
        p.y += r->client.top;
    }
    return p;
}

PointI screenToClient(WindowHandle window, PointI p) {
    PointI origin = clientToScreen(window, PointI{0, 0});
    return PointI{p.x - origin.x, p.y - origin.y};
}

// ---- painting ------------------------------------------------------------------

void invalidateRect(WindowHandle window, const Rect* rect, bool erase) {
    auto& s = windowState();
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        WindowRecord* r = findWindow(window);
        if (!r) return;
        Rect all{0, 0, r->client.width(), r->client.height()};
        Rect area = rect ? *rect : all;
        RectRegion add(area);
        add.intersectRect(all);
        if (add.isEmpty()) return;
        r->invalid.addRegion(add);
        r->erase = r->erase || erase;
    }
    wakeWindowThread();
}

void validateRect(WindowHandle window) {
    withWindow(
        window,
        [](WindowRecord* r) {
            r->invalid.clear();
            r->erase = false;
            return true;
        },
        false);
}

PaintInfo beginPaint(WindowHandle window) {
    PaintInfo paint = takePaint(window);
    erasePaint(window, paint, 0);
    return paint;
}

PaintInfo takePaint(WindowHandle window) {
    PaintInfo paint;
    auto& s = windowState();
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        WindowRecord* r = findWindow(window);
        if (!r) return paint;
        paint.region = r->invalid;
        paint.bounds = r->invalid.bounds();
        paint.erase = r->erase;
        r->invalid.clear();
        r->erase = false;
    }
    return paint;
}

void erasePaint(WindowHandle window, PaintInfo& paint, WParam context) {
    // Erasing asks the window to clear the background; an answer of 0 leaves it to painting.
    if (paint.erase && !paint.region.isEmpty())
        paint.erase = sendMessage(window, msg::EraseBackground, context, 0) == 0;
}

void endPaint(WindowHandle, const PaintInfo&) {}

void presentFrame(WindowHandle window, const uint32_t* pixels, int width, int height, int strideBytes,
                  const RectRegion& region) {
    if (!pixels || width <= 0 || height <= 0) return;
    auto& s = windowState();
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        WindowRecord* r = findWindow(window);
        WindowRecord* top = topLevelOf(r);
        if (!r || !top) return;
        PointI origin = originInTopLevel(r);
        RectRegion area = region;
        area.intersectRect(Rect{0, 0, std::min(width, r->client.width()), std::min(height, r->client.height())});
        area.translate(origin.x, origin.y);
        area.intersectRect(Rect{0, 0, top->textureW, top->textureH});
        const int stride = strideBytes / 4;
        std::lock_guard<std::mutex> writing(s.pixelsMutex);
        for (const Rect& rect : area.rects()) {
            for (int y = rect.top; y < rect.bottom; ++y) {
                const uint32_t* from = pixels + static_cast<long>(y - origin.y) * stride + (rect.left - origin.x);
                std::copy_n(from, rect.width(),
                            top->pixels->begin() + static_cast<long>(y) * top->textureW + rect.left);
            }
        }
        if (area.isEmpty()) return;
        top->pixelsDirty = true;
    }
    wakeWindowThread();
}

std::vector<uint32_t> readWindowPixels(WindowHandle window, int* width, int* height) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    std::vector<uint32_t> out;
    WindowRecord* r = findWindow(window);
    WindowRecord* top = topLevelOf(r);
    int w = r ? r->client.width() : 0, h = r ? r->client.height() : 0;
    if (width) *width = w;
    if (height) *height = h;
    if (!r || !top) return out;
    out.assign(static_cast<size_t>(w) * h, 0xFF000000u);
    PointI origin = originInTopLevel(r);
    std::lock_guard<std::mutex> reading(s.pixelsMutex);
    for (int y = 0; y < h; ++y) {
        int ty = y + origin.y;
        if (ty < 0 || ty >= top->textureH) continue;
        for (int x = 0; x < w; ++x) {
            int tx = x + origin.x;
            if (tx >= 0 && tx < top->textureW)
                out[static_cast<size_t>(y) * w + x] = (*top->pixels)[ty * top->textureW + tx];
        }
    }
    return out;
}

// ---- focus, capture, keys, pointer ---------------------------------------------------

WindowHandle setFocus(WindowHandle window) {
    auto& s = windowState();
    WindowHandle old;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        // Focus belongs to the window thread; others are refused, as are dead windows.
        if (!onWindowThread()) return nullptr;
        if (window && !findWindow(window)) return nullptr;
        old = s.focus;
        if (old == window) return old;
        s.focus = window;
    }
    if (old) sendMessage(old, msg::KillFocus, reinterpret_cast<WParam>(window), 0);
    if (window) sendMessage(window, msg::SetFocus, reinterpret_cast<WParam>(old), 0);
    return old;
}

WindowHandle getFocus() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return s.focus;
}

WindowHandle setCapture(WindowHandle window) {
    auto& s = windowState();
    WindowHandle old;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (!onWindowThread() || !findWindow(window)) return nullptr;
        old = s.capture;
        s.capture = window;
        if (!s.headless) SDL_CaptureMouse(SDL_TRUE);
    }
    if (old && old != window) sendMessage(old, msg::CaptureChanged, 0, reinterpret_cast<LParam>(window));
    return old;
}

bool releaseCapture() {
    auto& s = windowState();
    WindowHandle old;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (!onWindowThread()) return false;
        old = s.capture;
        s.capture = nullptr;
        if (old && !s.headless) SDL_CaptureMouse(SDL_FALSE);
    }
    if (old) sendMessage(old, msg::CaptureChanged, 0, 0);
    return true;
}

WindowHandle getCapture() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return s.capture;
}

void beginSizeDrag(WindowHandle window) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    WindowRecord* top = topLevelOf(findWindow(window));
    if (!top) return;
    s.sizeDrag = top->handle;
    s.sizeDragStart = s.cursor;
    s.sizeDragRect = outerOf(top);
}

bool isKeyDown(int virtualKey) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return virtualKey >= 0 && virtualKey < 256 && s.keys[virtualKey];
}

PointI getCursorPos() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return s.cursor;
}

void setCursorPos(PointI screen) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    s.cursor = screen;
    if (!onWindowThread()) return;
    // Move the real pointer when it lies over one of our windows.
    for (auto& [handle, r] : s.windows) {
        if (r->parent || !r->sdl || !r->visible || r->shownFullScreen) continue;
        if (screen.x >= r->client.left && screen.x < r->client.right && screen.y >= r->client.top &&
            screen.y < r->client.bottom) {
            SDL_WarpMouseInWindow(r->sdl, screen.x - r->client.left, screen.y - r->client.top);
            break;
        }
    }
}

}  // namespace platform
