#include "window/Component.h"

#include <atomic>
#include <string>

#include "platform/KeyMap.h"
#include "platform/Trace.h"
#include "platform/WindowSystem.h"
#include "window/Cursor.h"
#include "window/Event.h"
#include "window/Frame.h"
#include "window/GraphicsEnvironment.h"

namespace window {

using namespace platform;

namespace {

std::atomic<void*> moduleInstance{nullptr};
std::atomic<WindowHandle> focusWindow{nullptr};

constexpr int LeftButton = 1;
constexpr int RightButtonBit = 2;
// A press this close to the bottom-right corner of a resizable frame starts a sizing drag.
constexpr int SizeGripPixels = 20;

// Arrows and F1-F15 give 1000 + their virtual-key code; so does Delete, for presses only.
int specialKeyCode(int virtualKey, bool press) {
    if (virtualKey >= vk::Left && virtualKey <= vk::Down) return 1000 + virtualKey;
    if (virtualKey >= vk::F1 && virtualKey <= vk::F15) return 1000 + virtualKey;
    if (press && virtualKey == vk::Delete) return 1000 + virtualKey;
    return 0;
}

int keyModifiers() {
    return (isKeyDown(vk::Control) ? Event::ModCtrl : 0) | (isKeyDown(vk::Shift) ? Event::ModShift : 0);
}

// Key events also tell Alt, so that Alt+Return can mean something of its own.
int altModifier() { return isKeyDown(vk::Menu) ? Event::ModAlt : 0; }

int repeatCount(LParam lParam) { return (lParam & KeyPreviouslyDown) ? 2 : 1; }

}  // namespace

Component::Component() = default;

Component::~Component() {
    if (cursor_) cursor_->release();
}

// ---- process-wide values -------------------------------------------------------------

void Component::setGameWindow(WindowHandle window) { window::setGameWindow(window); }
WindowHandle Component::getGameWindow() { return static_cast<WindowHandle>(window::getGameWindow()); }
void Component::setInstance(void* instance) { moduleInstance = instance; }
void* Component::getInstance() { return moduleInstance; }
WindowHandle Component::getFocusWindow() { return focusWindow; }

uint32_t Component::getDoubleClickTime() { return platform::doubleClickTimeMs(); }

// ---- window class ------------------------------------------------------------------------

void Component::ensureWindowClass() { registerClass(WindowClass, &Component::windowProc); }

LResult Component::windowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    if (message == msg::Create) {
        auto* cs = reinterpret_cast<CreateStruct*>(lParam);
        if (auto* component = static_cast<Component*>(cs ? cs->createParam : nullptr)) component->attach(window);
    }
    auto* component = static_cast<Component*>(getWindowUserData(window));
    if (!component) return defWindowProc(window, message, wParam, lParam);
    return component->handleMessage(message, wParam, lParam);
}

void Component::attach(WindowHandle window) {
    window_ = window;
    detached_ = false;
    setWindowUserData(window, this);
    addRef();  // the window's reference, given back on the final destroy message
}

WindowHandle Component::messageWindow() const {
    if (window_) return window_;
    return getGameWindow();
}

WindowHandle Component::effectiveGameWindow() const {
    WindowHandle game = getGameWindow();
    return game ? game : window_;
}

bool Component::isFocused() const { return getFocus() == effectiveGameWindow(); }

LResult Component::defaultHandling(unsigned message, WParam wParam, LParam lParam) {
    return defWindowProc(messageWindow(), message, wParam, lParam);
}

// ---- operations ------------------------------------------------------------------------

void Component::setSize(int width, int height) {
    if (window_) {
        setWindowPos(window_, nullptr, 0, 0, width, height, swp::NoMove | swp::NoZOrder);
        return;
    }
    size_.width = bounds_.width = width;
    size_.height = bounds_.height = height;
}

void Component::requestFocus() {
    WindowHandle window = messageWindow();
    if (!window) return;
    focusWindow = window;
    setFocus(window);
    if (getFocus() != window) postMessage(window, MsgTakeFocus, 0, 0);
}

void Component::repaint() {
    if (WindowHandle window = messageWindow()) invalidateRect(window, nullptr, true);
}

void Component::invalidate(const util::RectangleNM* area) {
    WindowHandle window = messageWindow();
    if (!window) return;
    if (!area) {
        invalidateRect(window, nullptr, false);
        return;
    }
    Rect rect{area->x, area->y, area->x + area->width, area->y + area->height};
    invalidateRect(window, &rect, false);
}

void Component::setVisible(bool visible) {
    if (window_) showWindow(window_, visible ? show::Show : show::Hide);
}

bool Component::isVisible() const { return window_ && isWindowVisible(window_); }

void Component::setCursor(Cursor* cursor) {
    if (cursor) cursor->addRef();
    Cursor* old = cursor_;
    cursor_ = cursor;
    if (old) old->release();
    WindowHandle window = messageWindow();
    if (!window || !cursor) return;
    if (isWindowThread()) {
        platform::setCursor(cursor->getHandle());
    } else {
        // Only the window's thread may change the pointer: have it do so as if the mouse moved.
        postMessage(window, msg::SetCursor, reinterpret_cast<WParam>(window),
                    makeLParam(HitClient, static_cast<int>(msg::MouseMove)));
    }
}

void Component::setCursorPos(int x, int y) {
    WindowHandle window = messageWindow();
    if (window) platform::setCursorPos(clientToScreen(window, PointI{x, y}));
}

util::Point Component::getMousePosition() const {
    WindowHandle window = messageWindow();
    PointI p = getCursorPos();
    if (window) p = screenToClient(window, p);
    return util::Point(p.x, p.y);
}

bool Component::isMouseInside() const {
    util::Point p = getMousePosition();
    return p.x >= 0 && p.y >= 0 && p.x < size_.width && p.y < size_.height;
}

bool Component::create(Component* parent, const util::RectangleNM& bounds) {
    if (parent) background_ = *parent->getBackground();
    parent_ = parent;
    bounds_ = bounds;
    // Without a window to live in, the component still takes the size it was made for.
    size_.width = bounds.width;
    size_.height = bounds.height;
    ensureWindowClass();
    WindowCreate request;
    request.className = WindowClass;
    request.title = "";
    request.style = style::Child;
    request.x = bounds.x;
    request.y = bounds.y;
    request.width = bounds.width;
    request.height = bounds.height;
    request.parent = parent ? parent->getWindow() : nullptr;
    request.createParam = this;
    return createWindow(request) != nullptr;
}

void Component::onSize(WParam, LParam lParam) {
    trace("WM_SIZE, sizing non-Frame:\n");
    size_.width = bounds_.width = loWord(static_cast<uintptr_t>(lParam));
    size_.height = bounds_.height = hiWord(static_cast<uintptr_t>(lParam));
}

// ---- message translation ------------------------------------------------------------------

Event* Component::makeEvent(int kind) {
    auto* event = new Event(this, kind, nullptr);
    event->when = getMessageTime();
    return event;
}

// Key messages carry the virtual-key code in x and the raw key data in y.
Event* Component::makeKeyEvent(int kind, int virtualKey, LParam lParam, int key) {
    Event* event = makeEvent(kind);
    event->count = repeatCount(lParam);
    event->modifiers = keyModifiers() | altModifier();
    event->x = virtualKey;
    event->y = static_cast<int>(lParam);
    event->key = key;
    return event;
}

LResult Component::handleMessage(unsigned message, WParam wParam, LParam lParam) {
    if (detached_) return defWindowProc(nullptr, message, wParam, lParam);
    switch (message) {
    case msg::Create: {
        if (auto* cs = reinterpret_cast<CreateStruct*>(lParam)) {
            bounds_.set(cs->x, cs->y, cs->cx, cs->cy);
            size_.width = cs->cx;
            size_.height = cs->cy;
        }
        return 0;
    }
    case msg::Destroy:
        if (focusWindow.load() == effectiveGameWindow()) focusWindow = nullptr;
        return 0;
    case msg::Move: {
        bounds_.x = signedLo(lParam);
        bounds_.y = signedHi(lParam);
        trace(("WM_MOVE: (" + std::to_string(bounds_.x) + ", " + std::to_string(bounds_.y) + ")\n").c_str());
        return 0;
    }
    case msg::Size:
        if (wParam != SizeMinimized) onSize(wParam, lParam);
        else
            trace("WM_SIZE, iconic\n");
        refresh();
        return 0;
    case msg::Paint: onPaintMessage(); return 0;
    case msg::EraseBackground: return onEraseMessage(wParam);
    case msg::SetCursor:
        if (cursor_ && loWord(static_cast<uintptr_t>(lParam)) == HitClient) {
            platform::setCursor(cursor_->getHandle());
            return 1;
        }
        return defaultHandling(message, wParam, lParam);
    case msg::WindowPosChanged: onPositionChanged(); return 0;
    case msg::NcDestroy:
        if (window_) {
            setWindowUserData(window_, nullptr);
            window_ = nullptr;
            detached_ = true;
            release();  // the window's reference; may delete this
        }
        return 0;
    case msg::KeyDown: return onKeyDown(wParam, lParam);
    case msg::Char: return onChar(wParam, lParam);
    case msg::KeyUp: return onKeyUp(wParam, lParam);
    case msg::MouseMove: return onMouseMove(lParam);
    case msg::LButtonDown: return onButtonDown(LeftButton, lParam);
    case msg::RButtonDown: return onButtonDown(RightButtonBit, lParam);
    case msg::LButtonUp: return onButtonUp(LeftButton, lParam);
    case msg::RButtonUp: return onButtonUp(RightButtonBit, lParam);
    case msg::CaptureChanged: onCaptureLost(lParam); return 0;
    case MsgTakeFocus:
        if (WindowHandle window = messageWindow()) setFocus(window);
        return 0;
    case MsgDestroyLater:
        beforeDestroy();
        if (window_) destroyWindow(window_);
        return 0;
    default: return defaultHandling(message, wParam, lParam);
    }
}

void Component::offerKeyDown(Event* event, int key) {
    addRef();
    for (Component* c = this; c; c = c->getParent())
        if (c->keyDown(event, key)) break;
    release();
}

LResult Component::onKeyDown(WParam wParam, LParam lParam) {
    int virtualKey = static_cast<int>(wParam);
    bool ctrl = isKeyDown(vk::Control);
    int key = specialKeyCode(virtualKey, true);
    if (key == 0) {
        int character = characterOfKey(virtualKey, isKeyDown(vk::Shift));
        // A character key without Ctrl speaks through its character message instead.
        if (!ctrl && character != 0) return 0;
        key = ctrl && character != 0 ? character : virtualKey;
    }
    Event* event = makeKeyEvent(Event::KeyPress, virtualKey, lParam, key);
    offerKeyDown(event, key);
    event->release();
    return 0;
}

LResult Component::onChar(WParam wParam, LParam lParam) {
    if (isKeyDown(vk::Control)) return 0;
    int character = static_cast<int>(wParam & 0xFF);
    Event* event = makeEvent(Event::KeyPress);
    event->key = character;
    event->count = repeatCount(lParam);
    event->modifiers = (keyModifiers() & Event::ModShift) | altModifier();
    offerKeyDown(event, character);
    event->release();
    return 0;
}

LResult Component::onKeyUp(WParam wParam, LParam lParam) {
    int virtualKey = static_cast<int>(wParam);
    int key = specialKeyCode(virtualKey, false);
    if (key == 0) {
        int character = characterOfKey(virtualKey, isKeyDown(vk::Shift));
        key = isKeyDown(vk::Control) && character != 0 ? character : virtualKey;
    }
    Event* event = makeKeyEvent(Event::KeyRelease, virtualKey, lParam, key);
    addRef();
    keyUp(event, key);
    event->release();
    LResult result = detached_ ? 0 : defaultHandling(msg::KeyUp, wParam, lParam);
    release();
    return result;
}

LResult Component::onMouseMove(LParam lParam) {
    if (!isFocused()) return 0;
    int x = signedLo(lParam), y = signedHi(lParam);
    Event* event = makeEvent(Event::MouseMove);
    event->x = x;
    event->y = y;
    addRef();
    if (buttonsDown_ & (LeftButton | RightButtonBit)) {
        event->kind = Event::MouseDrag;
        if (!(buttonsDown_ & LeftButton)) event->modifiers = Event::RightButton;
        mouseDrag(event, x, y);
    } else {
        mouseMove(event, x, y);
    }
    event->release();
    release();
    return 0;
}

bool Component::startFrameSizing(LParam lParam) {
    Component* c = this;
    while (c && !c->isInstanceOf("Frame")) c = c->getParent();
    auto* frame = static_cast<Frame*>(c);
    if (!frame || !frame->isResizable() || !frame->getWindow()) return false;
    WindowHandle window = messageWindow();
    PointI onScreen = clientToScreen(window, PointI{signedLo(lParam), signedHi(lParam)});
    PointI inFrame = screenToClient(frame->getWindow(), onScreen);
    Rect client = getClientRect(frame->getWindow());
    if (client.right - inFrame.x > SizeGripPixels || client.bottom - inFrame.y > SizeGripPixels) return false;
    beginSizeDrag(frame->getWindow());
    frame->refresh();
    return true;
}

LResult Component::onButtonDown(int button, LParam lParam) {
    if (button == LeftButton && startFrameSizing(lParam)) return 0;
    if (!isFocused()) return 0;
    int x = signedLo(lParam), y = signedHi(lParam);
    Event* event = makeEvent(Event::MouseDown);
    event->x = x;
    event->y = y;
    event->modifiers = button == LeftButton ? keyModifiers() : Event::RightButton;
    int now = static_cast<int>(event->when);
    clickCount_ = now - lastClickTime_ < static_cast<int>(getDoubleClickTime()) ? clickCount_ + 1 : 1;
    lastClickTime_ = now;
    event->count = clickCount_;
    if (parent_) platform::setCapture(messageWindow());
    buttonsDown_ |= button;
    addRef();
    mouseDown(event, x, y);
    event->release();
    release();
    return 0;
}

LResult Component::onButtonUp(int button, LParam lParam) {
    if (!isFocused()) return 0;
    int x = signedLo(lParam), y = signedHi(lParam);
    Event* event = makeEvent(Event::MouseUp);
    event->x = x;
    event->y = y;
    event->modifiers = button == LeftButton ? keyModifiers() : Event::RightButton;
    buttonsDown_ &= ~button;
    addRef();
    mouseUp(event, x, y);
    event->release();
    WindowHandle window = messageWindow();
    if (!detached_ && window && getCapture() == window && buttonsDown_ == 0) releaseCapture();
    release();
    return 0;
}

void Component::onCaptureLost(LParam newCapture) {
    WindowHandle window = messageWindow();
    if (buttonsDown_ == 0 || reinterpret_cast<WindowHandle>(newCapture) == window) return;
    // Pending releases are delivered where the pointer is now, in client coordinates.
    PointI p = getCursorPos();
    if (window) p = screenToClient(window, p);
    int held = buttonsDown_;
    buttonsDown_ = 0;
    addRef();
    for (int button : {LeftButton, RightButtonBit}) {
        if (!(held & button)) continue;
        Event* event = makeEvent(Event::MouseUp);
        event->x = p.x;
        event->y = p.y;
        if (button == RightButtonBit) event->modifiers = Event::RightButton;
        mouseUp(event, p.x, p.y);
        event->release();
    }
    release();
}

}  // namespace window
