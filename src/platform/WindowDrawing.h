#pragma once

#include "platform/RectRegion.h"

namespace platform {

class DeviceContext;

// What painting a window's invalid area hands back.
struct PaintRecord {
    Rect paintRect;      // the invalid area's bounds
    bool erase = false;  // the background still needs erasing
};

// Window handles are opaque to drawing: the window system hands them out and
// installs these hooks, which give a device context on a window (null: the whole
// screen) and take it back, showing what was drawn. Without hooks, contexts draw
// nowhere (no surface) and are simply deleted.
struct WindowDrawingHooks {
    DeviceContext* (*getDC)(void* window) = nullptr;
    void (*releaseDC)(void* window, DeviceContext* dc) = nullptr;
    DeviceContext* (*beginPaint)(void* window, PaintRecord* record) = nullptr;
    void (*endPaint)(void* window, DeviceContext* dc, const PaintRecord& record) = nullptr;
};

void setWindowDrawingHooks(const WindowDrawingHooks& hooks);

DeviceContext* getWindowDC(void* window);
void releaseWindowDC(void* window, DeviceContext* dc);
DeviceContext* beginWindowPaint(void* window, PaintRecord* record);
void endWindowPaint(void* window, DeviceContext* dc, const PaintRecord& record);

}  // namespace platform
