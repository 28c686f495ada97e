#pragma once

#include <cstdint>

#include "lang/Object.h"
#include "platform/WindowMessages.h"
#include "util/Dimension.h"
#include "util/Point.h"
#include "util/RectangleNM.h"
#include "window/Color.h"
#include "window/Receiver.h"

namespace window {

class Cursor;
class Event;
class Graphics;

// One window of the platform: turns its messages into Event records and calls
// the overridable handlers below. A component may also run without a window of
// its own; it then handles the messages of the game window that are passed to
// handleMessage.
class Component : public lang::Object, public Receiver {
public:
    // Private messages: take the keyboard focus; run beforeDestroy and destroy the window.
    static constexpr unsigned MsgTakeFocus = platform::msg::User + 100;     // 1124
    static constexpr unsigned MsgDestroyLater = platform::msg::User + 101;  // 1125
    // The window class of component windows.
    static constexpr const char* WindowClass = "GHWND";

    Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    ~Component() override;
    MENTARIUM_CLASS(Component, lang::Object)

    bool handleEvent(Event* event) override { return true; }

    virtual void setSize(int width, int height);
    virtual void refresh() {}
    virtual util::Dimension* getSize() { return &size_; }
    virtual util::Dimension size() const { return util::Dimension(size_.width, size_.height); }
    virtual util::RectangleNM* getBounds() { return &bounds_; }
    virtual util::Point getLocation() const { return util::Point(bounds_.x, bounds_.y); }
    virtual Component* getParent() const { return parent_; }
    virtual bool mouseDown(Event* event, int x, int y) { return false; }
    virtual bool mouseUp(Event* event, int x, int y) { return false; }
    virtual bool mouseMove(Event* event, int x, int y) { return false; }
    virtual bool mouseDrag(Event* event, int x, int y) { return false; }
    virtual bool keyDown(Event* event, int key) { return false; }
    virtual bool keyUp(Event* event, int key) { return false; }
    virtual void beforeDestroy() {}
    virtual void requestFocus();
    virtual bool contains(int x, int y) const { return bounds_.contains(x, y); }
    virtual void paint(Graphics* g) {}
    virtual void update(Graphics* g);
    virtual void repaint();
    virtual void eraseBackground(Graphics* g) {}
    virtual void invalidate(const util::RectangleNM* area);  // 34: no erase
    virtual void setVisible(bool visible);
    virtual bool isVisible() const;
    virtual void setCursor(Cursor* cursor);
    virtual void setCursorPos(int x, int y);
    virtual Graphics* getGraphics();
    virtual platform::WindowHandle getWindow() const { return window_; }
    virtual void setBackground(const Color* color) {
        if (color) background_ = *color;
    }
    virtual void setForeground(const Color* color) {
        if (color) foreground_ = *color;
    }
    virtual Color* getBackground() { return &background_; }
    virtual Color* getForeground() { return &foreground_; }
    virtual util::Point getMousePosition() const;
    virtual bool isMouseInside() const;
    virtual bool create(Component* parent, const util::RectangleNM& bounds);
    virtual void onSize(platform::WParam wParam, platform::LParam lParam);
    virtual platform::LResult handleMessage(unsigned message, platform::WParam wParam, platform::LParam lParam);
    virtual void onPositionChanged() {}

    Cursor* getCursor() const { return cursor_; }
    int getButtonsDown() const { return buttonsDown_; }

    // Process-wide values: the game window (its focus decides whether mouse input
    // counts; the same window that window graphics draw on, see
    // GraphicsEnvironment.h), the module instance, the window that last asked for
    // the focus, and the double-click time.
    static void setGameWindow(platform::WindowHandle window);
    static platform::WindowHandle getGameWindow();
    static void setInstance(void* instance);
    static void* getInstance();
    static platform::WindowHandle getFocusWindow();
    static uint32_t getDoubleClickTime();

    // The window procedure of the component window class.
    static platform::LResult windowProc(platform::WindowHandle window, unsigned message, platform::WParam wParam,
                                        platform::LParam lParam);

protected:
    // The window this component's messages concern: its own, else the game window.
    platform::WindowHandle messageWindow() const;
    // The game window, or this component's own window while no game window is set.
    platform::WindowHandle effectiveGameWindow() const;
    bool isFocused() const;
    // Attaches to a newly created window (the window then holds one reference).
    void attach(platform::WindowHandle window);
    // The component's own default for messages it does not handle.
    platform::LResult defaultHandling(unsigned message, platform::WParam wParam, platform::LParam lParam);
    static void ensureWindowClass();
    // Fills (0, 0, width, height) with the background colour.
    void fillBackground(Graphics* g, int width, int height);

    platform::WindowHandle window_ = nullptr;
    Component* parent_ = nullptr;
    Cursor* cursor_ = nullptr;
    util::Dimension size_;
    util::RectangleNM bounds_;
    Color foreground_{0xFFFFFFFFu};
    Color background_{0xFF000000u};
    int lastClickTime_ = 0;
    int clickCount_ = 0;
    int buttonsDown_ = 0;  // bit 1 left, bit 2 right
    bool detached_ = false;

private:
    platform::LResult onKeyDown(platform::WParam wParam, platform::LParam lParam);
    platform::LResult onChar(platform::WParam wParam, platform::LParam lParam);
    platform::LResult onKeyUp(platform::WParam wParam, platform::LParam lParam);
    platform::LResult onMouseMove(platform::LParam lParam);
    platform::LResult onButtonDown(int button, platform::LParam lParam);
    platform::LResult onButtonUp(int button, platform::LParam lParam);
    void onCaptureLost(platform::LParam newCapture);
    void onPaintMessage();
    // Erases through the paint's context (wParam); answers 1 when erased.
    platform::LResult onEraseMessage(platform::WParam context);
    bool startFrameSizing(platform::LParam lParam);
    Event* makeEvent(int kind);
    Event* makeKeyEvent(int kind, int virtualKey, platform::LParam lParam, int key);
    // Offers a key press to this component, then to its parents, until one takes it.
    void offerKeyDown(Event* event, int key);
};

}  // namespace window
