// The window thread's pump: SDL events become window messages, posted and sent
// messages are dispatched, invalid windows are painted and finished frames shown.

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"
#include "platform/KeyMap.h"
#include "platform/WindowState.h"
#include "platform/WindowSystem.h"

namespace platform {

namespace {

WindowRecord* recordOfSdlWindow(uint32_t windowId) {
    SDL_Window* sdl = SDL_GetWindowFromID(windowId);
    auto& s = windowState();
    for (auto& [handle, r] : s.windows)
        if (!r->parent && sdl && r->sdl == sdl) return r.get();
    // Events injected without a window id go to the top-level window that is active.
    if (!sdl) {
        WindowRecord* active = findWindow(s.active);
        if (active) return active;
        for (auto& [handle, r] : s.windows)
            if (!r->parent && r->visible) return r.get();
    }
    return nullptr;
}

// The deepest visible window under a point of a top-level client area, and the
// point in that window's client coordinates.
WindowRecord* childAt(WindowRecord* top, PointI& p) {
    WindowRecord* current = top;
    for (bool descended = true; descended;) {
        descended = false;
        // Later children lie above earlier ones.
        for (auto it = current->children.rbegin(); it != current->children.rend(); ++it) {
            WindowRecord* child = findWindow(*it);
            if (!child || !child->visible) continue;
            if (p.x >= child->client.left && p.x < child->client.right && p.y >= child->client.top &&
                p.y < child->client.bottom) {
                p.x -= child->client.left;
                p.y -= child->client.top;
                current = child;
                descended = true;
                break;
            }
        }
    }
    return current;
}

WParam mouseKeyFlags(uint32_t buttons) {
    auto& s = windowState();
    WParam flags = 0;
    if (buttons & SDL_BUTTON_LMASK) flags |= MkLButton;
    if (buttons & SDL_BUTTON_RMASK) flags |= MkRButton;
    if (s.keys[vk::Shift]) flags |= MkShift;
    if (s.keys[vk::Control]) flags |= MkControl;
    return flags;
}

struct MouseTarget {
    WindowHandle window = nullptr;
    PointI client;
};

// Finds who receives a mouse message at an SDL window point. Mutex held.
MouseTarget mouseTarget(uint32_t windowId, int x, int y) {
    auto& s = windowState();
    MouseTarget target;
    WindowRecord* top = recordOfSdlWindow(windowId);
    if (!top) return target;
    PointI p = presenterToClient(top, x, y);
    s.cursor = PointI{p.x + top->client.left, p.y + top->client.top};
    if (WindowRecord* captured = findWindow(s.capture)) {
        PointI origin = originInTopLevel(captured);
        WindowRecord* capturedTop = topLevelOf(captured);
        PointI screenOrigin{origin.x + capturedTop->client.left, origin.y + capturedTop->client.top};
        target.window = captured->handle;
        target.client = PointI{s.cursor.x - screenOrigin.x, s.cursor.y - screenOrigin.y};
        return target;
    }
    if (p.x < 0 || p.y < 0 || p.x >= top->client.width() || p.y >= top->client.height()) return target;
    WindowRecord* hit = childAt(top, p);
    target.window = hit->handle;
    target.client = p;
    return target;
}

void followSizeDrag(bool buttonHeld) {
    auto& s = windowState();
    WindowHandle window;
    Rect rect;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        window = s.sizeDrag;
        if (!window) return;
        rect = s.sizeDragRect;
        rect.right += s.cursor.x - s.sizeDragStart.x;
        rect.bottom += s.cursor.y - s.sizeDragStart.y;
        if (!buttonHeld) s.sizeDrag = nullptr;
    }
    setWindowPos(window, nullptr, 0, 0, rect.width(), rect.height(), swp::NoMove | swp::NoZOrder);
}

void translateMouseMotion(const SDL_MouseMotionEvent& e) {
    auto& s = windowState();
    MouseTarget target;
    WParam flags;
    bool dragging;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        target = mouseTarget(e.windowID, e.x, e.y);
        flags = mouseKeyFlags(s.buttons);
        dragging = s.sizeDrag != nullptr;
    }
    if (dragging) {
        followSizeDrag(true);
        return;
    }
    if (!target.window) return;
    sendMessage(target.window, msg::SetCursor, reinterpret_cast<WParam>(target.window),
                makeLParam(HitClient, static_cast<int>(msg::MouseMove)));
    sendMessage(target.window, msg::MouseMove, flags, makeLParam(target.client.x, target.client.y));
}

void translateMouseButton(const SDL_MouseButtonEvent& e) {
    if (e.button != SDL_BUTTON_LEFT && e.button != SDL_BUTTON_RIGHT) return;
    auto& s = windowState();
    bool down = e.type == SDL_MOUSEBUTTONDOWN;
    MouseTarget target;
    WParam flags;
    bool dragging;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        target = mouseTarget(e.windowID, e.x, e.y);
        // Button state is kept from the events themselves, so injected events count too.
        uint32_t mask = SDL_BUTTON(e.button);
        s.buttons = down ? (s.buttons | mask) : (s.buttons & ~mask);
        flags = mouseKeyFlags(s.buttons);
        dragging = s.sizeDrag != nullptr;
    }
    if (dragging) {
        // The sizing drag swallows its closing release.
        if (!down && e.button == SDL_BUTTON_LEFT) followSizeDrag(false);
        return;
    }
    if (!target.window) return;
    unsigned message = e.button == SDL_BUTTON_LEFT ? (down ? msg::LButtonDown : msg::LButtonUp)
                                                   : (down ? msg::RButtonDown : msg::RButtonUp);
    sendMessage(target.window, message, flags, makeLParam(target.client.x, target.client.y));
}

WindowHandle keyboardTarget(uint32_t windowId) {
    auto& s = windowState();
    if (findWindow(s.focus)) return s.focus;
    WindowRecord* top = recordOfSdlWindow(windowId);
    return top ? top->handle : nullptr;
}

void translateKey(const SDL_KeyboardEvent& e) {
    auto& s = windowState();
    bool down = e.type == SDL_KEYDOWN;
    int virtualKey = virtualKeyFromSdl(e.keysym.sym);
    WindowHandle target;
    LParam data = 1 | (static_cast<LParam>(e.keysym.scancode & 0xFF) << 16);
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (virtualKey > 0 && virtualKey < 256) s.keys[virtualKey] = down;
        // The modifier state that travels with the event wins over what was seen before.
        s.keys[vk::Control] = (e.keysym.mod & KMOD_CTRL) != 0 || (down && virtualKey == vk::Control);
        s.keys[vk::Shift] = (e.keysym.mod & KMOD_SHIFT) != 0 || (down && virtualKey == vk::Shift);
        s.keys[vk::Menu] = (e.keysym.mod & KMOD_ALT) != 0 || (down && virtualKey == vk::Menu);
        if (!down && virtualKey == vk::Control) s.keys[vk::Control] = false;
        if (!down && virtualKey == vk::Shift) s.keys[vk::Shift] = false;
        if (!down && virtualKey == vk::Menu) s.keys[vk::Menu] = false;
        if (down) s.lastKeyRepeat = e.repeat != 0;
        target = keyboardTarget(e.windowID);
    }
    if (virtualKey == 0 || !target) return;
    if (down && e.repeat) data |= KeyPreviouslyDown;
    if (!down) data |= KeyPreviouslyDown | KeyTransitionUp;
    sendMessage(target, down ? msg::KeyDown : msg::KeyUp, static_cast<WParam>(virtualKey), data);
    // SDL reports no text for the control-character keys; they speak through a character message too.
    bool ctrl = isKeyDown(vk::Control);
    int character = characterOfKey(virtualKey, false);
    if (down && !ctrl && character > 0 && character < ' ')
        sendMessage(target, msg::Char, static_cast<WParam>(character), data);
}

void translateText(const SDL_TextInputEvent& e) {
    auto& s = windowState();
    WindowHandle target;
    LParam data = 1;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        target = keyboardTarget(e.windowID);
        if (s.lastKeyRepeat) data |= KeyPreviouslyDown;
    }
    if (!target) return;
    std::string text = utf8ToCp1252(e.text, std::strlen(e.text));
    for (char c : text) sendMessage(target, msg::Char, static_cast<unsigned char>(c), data);
}

void loseActivation(WindowRecord* top) {
    auto& s = windowState();
    WindowHandle handle = top->handle;
    bool captured = s.capture && (s.capture == handle || isChild(handle, s.capture));
    std::fill(std::begin(s.keys), std::end(s.keys), false);
    s.buttons = 0;
    if (s.active == handle) s.active = nullptr;
    s.mutex.unlock();
    if (captured) releaseCapture();
    sendMessage(handle, msg::Activate, ActiveInactive, 0);
    s.mutex.lock();
}

void translateWindowEvent(const SDL_WindowEvent& e) {
    auto& s = windowState();
    std::unique_lock<std::recursive_mutex> hold(s.mutex);
    WindowRecord* top = recordOfSdlWindow(e.windowID);
    if (!top) return;
    WindowHandle handle = top->handle;
    switch (e.event) {
    case SDL_WINDOWEVENT_CLOSE:
        hold.unlock();
        sendMessage(handle, msg::Close, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (s.active == handle) break;
        s.active = handle;
        hold.unlock();
        sendMessage(handle, msg::Activate, ActiveActive, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST: loseActivation(top); break;
    case SDL_WINDOWEVENT_MINIMIZED:
        if (top->minimized) break;
        hold.unlock();
        showWindow(handle, show::MinNoActive);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        if (!top->minimized) break;
        hold.unlock();
        showWindow(handle, show::Restore);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        hold.unlock();
        sendMessage(handle, msg::SysCommand, ScMaximize, 0);
        break;
    case SDL_WINDOWEVENT_RESIZED: {
        if (top->adopted) top->pixelsDirty = true;  // the scene is scaled to the host's new size
        if (top->shownFullScreen || top->adopted) break;
        // A size from the user goes through the same checks as one asked for in code;
        // when the window refuses, the SDL window is put back.
        Rect outer = adjustWindowRect(Rect{0, 0, e.data1, e.data2}, top->style);
        hold.unlock();
        setWindowPos(handle, nullptr, 0, 0, outer.width(), outer.height(), swp::NoMove | swp::NoZOrder);
        hold.lock();
        if (WindowRecord* r = findWindow(handle)) presenterSync(r);
        break;
    }
    case SDL_WINDOWEVENT_MOVED: {
        if (top->shownFullScreen || top->adopted) break;
        Rect outer = adjustWindowRect(
            Rect{e.data1, e.data2, e.data1 + top->client.width(), e.data2 + top->client.height()}, top->style);
        hold.unlock();
        setWindowPos(handle, nullptr, outer.left, outer.top, 0, 0, swp::NoSize | swp::NoZOrder);
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        // Shown again or at a new output size (full screen): draw the picture afresh.
        top->pixelsDirty = true;
        break;
    default: break;
    }
}

bool hasPendingWork() {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    if (!s.queue.empty()) return true;
    for (auto& [handle, r] : s.windows)
        if (!r->invalid.isEmpty() || (!r->parent && r->pixelsDirty && r->visible)) return true;
    return false;
}

void dispatchQueued() {
    auto& s = windowState();
    size_t budget;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        budget = s.queue.size();
    }
    // Only what was queued before this round: a message that posts itself again waits for the next.
    for (; budget > 0; --budget) {
        QueuedMessage item;
        {
            std::lock_guard<std::recursive_mutex> hold(s.mutex);
            if (s.queue.empty()) return;
            item = std::move(s.queue.front());
            s.queue.pop_front();
        }
        stampMessageTime();
        LResult result = item.task ? item.task() : sendMessage(item.window, item.message, item.wParam, item.lParam);
        if (item.reply) {
            std::lock_guard<std::recursive_mutex> hold(s.mutex);
            item.reply->result = result;
            item.reply->done = true;
            s.replied.notify_all();
        }
    }
}

int depthOf(WindowRecord* r) {
    int depth = 0;
    while (r && r->parent) {
        r = findWindow(r->parent);
        ++depth;
    }
    return depth;
}

void paintInvalidWindows() {
    auto& s = windowState();
    std::vector<std::pair<int, WindowHandle>> invalid;
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        for (auto& [handle, r] : s.windows)
            if (!r->invalid.isEmpty()) invalid.emplace_back(depthOf(r.get()), handle);
    }
    // Parents paint before the children drawn over them.
    std::sort(invalid.begin(), invalid.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (auto& [depth, handle] : invalid) {
        if (!isWindowVisible(handle)) {
            validateRect(handle);
            continue;
        }
        stampMessageTime();
        sendMessage(handle, msg::Paint, 0, 0);
    }
}

}  // namespace

void translateSdlEvent(const void* sdlEvent) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(sdlEvent);
    auto& s = windowState();
    stampMessageTime();
    switch (e.type) {
    case SDL_MOUSEMOTION: translateMouseMotion(e.motion); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: translateMouseButton(e.button); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: translateKey(e.key); break;
    case SDL_TEXTINPUT: translateText(e.text); break;
    case SDL_WINDOWEVENT: translateWindowEvent(e.window); break;
    case SDL_QUIT: {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        s.quit = true;
        break;
    }
    default:
        if (s.wakeEventType != 0 && e.type == s.wakeEventType) s.wakePending = false;
        break;
    }
}

bool pumpMessages(int timeoutMs) {
    auto& s = windowState();
    {
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (!s.started || s.windowThread != std::this_thread::get_id()) return false;
    }
    SDL_Event event;
    if (s.hosted) {
        // The host pumps SDL events and calls in; waiting here would stall it.
        drainHostedEvents();
    } else {
        if (!hasPendingWork() && timeoutMs > 0 && SDL_WaitEventTimeout(&event, timeoutMs)) translateSdlEvent(&event);
        while (SDL_PollEvent(&event)) translateSdlEvent(&event);
    }
    dispatchQueued();
    paintInvalidWindows();
    presentDirtyWindows();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    return !s.quit;
}

}  // namespace platform
