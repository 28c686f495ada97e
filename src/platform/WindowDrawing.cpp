#include "platform/WindowDrawing.h"

#include <mutex>

#include "platform/DeviceContext.h"

namespace platform {

namespace {

std::mutex hooksMutex;
WindowDrawingHooks installed;

WindowDrawingHooks current() {
    std::lock_guard<std::mutex> hold(hooksMutex);
    return installed;
}

}  // namespace

void setWindowDrawingHooks(const WindowDrawingHooks& hooks) {
    std::lock_guard<std::mutex> hold(hooksMutex);
    installed = hooks;
}

DeviceContext* getWindowDC(void* window) {
    WindowDrawingHooks hooks = current();
    return hooks.getDC ? hooks.getDC(window) : new DeviceContext();
}

void releaseWindowDC(void* window, DeviceContext* dc) {
    WindowDrawingHooks hooks = current();
    if (!dc) return;
    if (hooks.releaseDC) {
        hooks.releaseDC(window, dc);
    } else {
        delete dc;
    }
}

DeviceContext* beginWindowPaint(void* window, PaintRecord* record) {
    WindowDrawingHooks hooks = current();
    return hooks.beginPaint ? hooks.beginPaint(window, record) : new DeviceContext();
}

void endWindowPaint(void* window, DeviceContext* dc, const PaintRecord& record) {
    WindowDrawingHooks hooks = current();
    if (!dc) return;
    if (hooks.endPaint) {
        hooks.endPaint(window, dc, record);
    } else {
        delete dc;
    }
}

}  // namespace platform
