#include "window/Frame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/DisplayModes.h"
#include "platform/MessageBox.h"
#include "platform/Trace.h"
#include "platform/WindowSystem.h"

namespace window {

using namespace platform;

namespace {

std::string num(long long value) { return std::to_string(value); }

std::string handleText(WindowHandle window) {
    char text[32];
    std::snprintf(text, sizeof text, "%p", static_cast<void*>(window));
    return text;
}

void traceLine(const std::string& text) { trace((text + "\n").c_str()); }

void traceRect(const char* label, const Rect& r) {
    traceLine(std::string(label) + num(r.left) + ", " + num(r.top) + ", " + num(r.right) + ", " + num(r.bottom) + ")");
}

bool depthAllowsFullScreen(int depth) { return depth == 16 || depth == 24 || depth == 32; }

// The display-mode preference: 32 bits first, then 15 or 16, then 24.
bool betterMode(const DisplayMode& candidate, const DisplayMode& chosen) {
    if (candidate.interlaced && !chosen.interlaced) return false;
    if (candidate.grayscale && !chosen.grayscale) return false;
    return (chosen.bitsPerPixel == 24 && candidate.bitsPerPixel != 24) ||
           (candidate.bitsPerPixel == 32 && chosen.bitsPerPixel != 32);
}

}  // namespace

uint32_t Frame::frameStyle() const {
    uint32_t s =
        style::Popup | style::ClipChildren | style::Caption | style::SysMenu | style::MinimizeBox | style::MaximizeBox;
    return resizable_ ? s | style::ThickFrame : s;
}

void Frame::eraseBackground(Graphics* g) { fillBackground(g, size_.width, size_.height); }

bool Frame::create(Component* parent, const util::RectangleNM& bounds) {
    parent_ = parent;
    bool defaultPlacement = bounds.width < 0 || bounds.height < 0;
    int width = std::abs(bounds.width), height = std::abs(bounds.height);
    Rect work = workArea();
    uint32_t windowStyle;
    int x, y;
    if (screenPopup_) {
        windowStyle = style::Popup | style::Visible | style::ClipChildren;
        x = 0;
        y = 0;
        width = screenWidth();
        height = screenHeight();
    } else {
        windowStyle = frameStyle();
        if (defaultPlacement) {
            // Keep the whole window, frame and caption included, on the work area.
            if (width > work.width()) width = work.width() - 4;
            if (height > work.height())
                height = work.height() - 4 - 2 * (sizeFrameSize() + borderSize()) - captionHeight();
        }
        x = work.left + (work.width() - width) / 2;
        y = work.top + (work.height() - height) / 2;
        if (fullScreen_) x = y = 0;
        if (defaultPlacement) y += captionHeight() - sizeFrameSize();
    }
    bounds_.set(x, y, width, height);
    Rect outer = adjustWindowRect(Rect{x, y, x + width, y + height}, windowStyle);
    if (!depthAllowsFullScreen(screenDepth())) fullScreenCapable_ = false;
    ensureWindowClass();
    WindowCreate request;
    request.className = WindowClass;
    request.title = "";
    request.style = windowStyle;
    request.exStyle = (fullScreen_ || screenPopup_) ? style::ExTopmost : 0;
    request.x = outer.left;
    request.y = outer.top;
    request.width = outer.width();
    request.height = outer.height();
    request.createParam = this;
    return createWindow(request) != nullptr;
}

void Frame::onSize(WParam wParam, LParam lParam) {
    auto traceSize = [this] {
        traceLine("WM_SIZE, m_width = " + num(size_.width));
        traceLine("WM_SIZE, m_height = " + num(size_.height));
    };
    traceLine("WM_SIZE, original values.  HWND = " + handleText(window_));
    traceSize();
    traceLine("WM_SIZE, wParam = " + num(static_cast<long long>(wParam)));
    size_.width = bounds_.width = std::min(wantedWidth_, loWord(static_cast<uintptr_t>(lParam)));
    size_.height = bounds_.height = std::min(wantedHeight_, hiWord(static_cast<uintptr_t>(lParam)));
    traceLine("WM_SIZE, new values:");
    traceSize();
}

LResult Frame::handleMessage(unsigned message, WParam wParam, LParam lParam) {
    if (detached_) return Component::handleMessage(message, wParam, lParam);
    switch (message) {
    case msg::Destroy: {
        LResult result = Component::handleMessage(message, wParam, lParam);
        onDestroy();
        return result;
    }
    case msg::Activate: {
        bool active = loWord(wParam) != ActiveInactive;
        onActivate(active);
        traceLine("WM_ACTIVATE: active = " + num(active ? 1 : 0));
        return 0;
    }
    case msg::Close: onClose(); return 0;
    case msg::GetMinMaxInfo: onMinMaxInfo(reinterpret_cast<MinMaxInfo*>(lParam)); return 0;
    case msg::WindowPosChanging: onPositionChanging(reinterpret_cast<WindowPos*>(lParam)); return 0;
    case msg::SysCommand:
        if ((wParam & 0xFFF0) == ScMaximize && !resizable_) {
            setFullScreen(true, false);
            if (window_ && isIconic(window_)) showWindow(window_, show::Restore);
            return 0;
        }
        return Component::handleMessage(message, wParam, lParam);
    default: return Component::handleMessage(message, wParam, lParam);
    }
}

void Frame::onMinMaxInfo(MinMaxInfo* info) {
    traceLine("Entering GetMinMaxInfo");
    if (!info) return;
    Rect outer = adjustWindowRect(Rect{0, 0, wantedWidth_, wantedHeight_}, frameStyle());
    if (fullScreen_) {
        traceRect("GetMinMaxInfo FullScreen: (", outer);
        info->maxPosition = PointI{outer.left, outer.top};
    }
    if (!resizable_) {
        info->maxSize = PointI{outer.width(), outer.height()};
        info->minTrackSize = PointI{0, 0};
        info->maxTrackSize = PointI{0, 0};
    } else {
        Rect work = workArea();
        info->maxSize = PointI{work.width(), work.height()};
        info->maxPosition = PointI{work.left, work.top};
        info->maxTrackSize = PointI{work.width(), work.height()};
        info->minTrackSize = PointI{outer.width(), outer.height()};
    }
}

void Frame::onPositionChanging(WindowPos* pos) {
    if (!pos) return;
    traceLine("WM_WINDOWPOSCHANGING flags: " + num(pos->flags) + " (" + num(pos->x) + ", " + num(pos->y) + ", " +
              num(pos->cx) + ", " + num(pos->cy) + ")");
    if (!resizable_ && !(window_ && isIconic(window_)) && !(pos->flags & swp::NoSize)) {
        Rect insets = adjustWindowRect(Rect{0, 0, 0, 0}, frameStyle());
        int clientW = pos->cx - insets.width(), clientH = pos->cy - insets.height();
        if (clientW < wantedWidth_ || clientH < wantedHeight_) pos->flags |= swp::NoSize | swp::NoMove;
    }
    traceLine("POSCHANGING: Fullscreen = " + num(fullScreen_ ? 1 : 0));
    if (!fullScreen_ && pos->insertAfter == InsertTopmost) pos->insertAfter = InsertNotTopmost;
}

void Frame::setFullScreen(bool on, bool force) {
    if (fullScreen_ == on || screenPopup_) return;
    traceLine("Entering setFullScreen(), hwnd = " + handleText(window_));
    traceLine("setFullScreen, Width = " + num(wantedWidth_));
    traceLine("setFullScreen, Height = " + num(wantedHeight_));
    if (!on) {
        if (fullScreenCapable_ || force) restoreDisplayMode();
        fullScreen_ = false;
    } else {
        switchDisplayOn();
    }
    if (window_) placeWindow();
    traceLine("Leaving setFullScreen()");
}

bool Frame::switchDisplayOn() {
    const DisplayMode* chosen = nullptr;
    std::vector<DisplayMode> modes = enumDisplayModes();
    for (const DisplayMode& mode : modes) {
        if (mode.width != wantedWidth_ || mode.height != wantedHeight_ || mode.bitsPerPixel <= 14) continue;
        if (!testDisplayMode(mode)) continue;
        if (!chosen || betterMode(mode, *chosen)) chosen = &mode;
    }
    if (!chosen) {
        messageBox(ErrorCaption, FullScreenFailed);
        return false;
    }
    traceLine("About to set fullscreen to true...");
    if (!changeDisplayMode(*chosen)) return false;
    fullScreen_ = true;
    traceLine("setFullScreen() to " + num(1));
    return true;
}

void Frame::placeWindow() {
    Rect outer;
    WindowHandle order;
    if (!fullScreen_) {
        Rect work = workArea();
        traceRect("SystemParametersInfo: (", work);
        traceLine("Width = " + num(work.width()));
        traceLine("Height = " + num(work.height()));
        traceLine("m_size.width = " + num(size_.width));
        traceLine("m_size.height = " + num(size_.height));
        int x = work.left + (work.width() - size_.width) / 2;
        int y = work.top + (work.height() - size_.height) / 2;
        outer = adjustWindowRect(Rect{x, y, x + size_.width, y + size_.height}, frameStyle());
        // Keep the caption reachable: never start left of or above the screen.
        int dx = std::max(0, -outer.left), dy = std::max(0, -outer.top);
        outer = Rect{outer.left + dx, outer.top + dy, outer.right + dx, outer.bottom + dy};
        order = InsertNotTopmost;
    } else {
        outer = adjustWindowRect(Rect{0, 0, wantedWidth_, wantedHeight_}, frameStyle());
        order = InsertTopmost;
    }
    traceRect("AdjustWindowRectEx: (", outer);
    traceRect("SetWindowPos: (", outer);
    setWindowPos(window_, order, outer.left, outer.top, outer.width(), outer.height(), 0);
    traceLine("SetWindowPos() done");
}

void Frame::destroyLater() {
    if (window_) postMessage(window_, MsgDestroyLater, 0, 0);
}

void Frame::onClose() {
    if (window_) destroyWindow(window_);
}

void Frame::onActivate(bool active) {
    WindowHandle focus = getFocusWindow();
    if (active && window_ && focus && isChild(window_, focus)) postMessage(focus, MsgTakeFocus, 0, 0);
}

void Frame::setLocation(int x, int y) {
    if (window_) setWindowPos(window_, nullptr, x, y, 0, 0, swp::NoSize | swp::NoZOrder);
}

}  // namespace window
