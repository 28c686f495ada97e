#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/RectRegion.h"
#include "platform/WindowMessages.h"

namespace platform {

// A small window system over SDL2: handles, window procedures, posted and sent
// messages, focus, capture, painting with invalid regions. Top-level windows are
// SDL windows; child windows are areas of their top-level window.
//
// Threads: the thread that calls initWindowSystem() is the window thread. It pumps
// SDL events, runs every window procedure and makes every SDL video call. Other
// threads may post messages, send messages (they wait for the answer), invalidate,
// present pixels and read geometry.

// Starts SDL video (once per process; later calls only check the thread) and makes
// the calling thread the window thread. False when SDL video cannot start.
bool initWindowSystem();
// Destroys every remaining window and stops SDL video. Window thread only.
void shutdownWindowSystem();
bool isWindowThread();
// True when no display can show windows (dummy or offscreen driver, or none).
bool isHeadless();

// Window classes.
bool registerClass(const char* name, WindowProc proc);  // false if the name exists
bool isClassRegistered(const char* name);

struct WindowCreate {
    const char* className = "";
    const char* title = "";
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;  // outer rectangle (in the parent's client area for a child)
    WindowHandle parent = nullptr;
    void* createParam = nullptr;
};
// Creates a window and sends it WM_CREATE (its CreateStruct carries createParam).
// Null when the class is unknown, a child has no valid parent, or WM_CREATE answers -1.
WindowHandle createWindow(const WindowCreate& request);
bool destroyWindow(WindowHandle window);
bool isWindow(WindowHandle window);
LResult defWindowProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
void setWindowUserData(WindowHandle window, void* data);
void* getWindowUserData(WindowHandle window);
WindowHandle getParent(WindowHandle window);
bool isChild(WindowHandle parent, WindowHandle window);  // any depth
uint32_t getWindowStyle(WindowHandle window);

// Messages.
bool postMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
LResult sendMessage(WindowHandle window, unsigned message, WParam wParam, LParam lParam);
// Waits up to timeoutMs for SDL events or posted messages, then handles everything
// pending: SDL events, posted messages, paints, screen updates. False once SDL asked
// to quit. Window thread only.
bool pumpMessages(int timeoutMs);
// The time stamp of the message being handled (ms, the tick-count clock).
uint32_t getMessageTime();
// Tests replace the message clock to control event times; null restores it.
void setMessageClock(std::function<uint32_t()> clock);

// Geometry and state. Rectangles are (left, top, right, bottom).
Rect getClientRect(WindowHandle window);  // (0, 0, width, height)
Rect getWindowRect(WindowHandle window);  // outer rectangle in screen coordinates
bool setWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy, unsigned flags);
bool showWindow(WindowHandle window, int command);  // answers the previous visibility
bool isWindowVisible(WindowHandle window);          // it and its ancestors
bool isIconic(WindowHandle window);
bool isTopmost(WindowHandle window);
PointI clientToScreen(WindowHandle window, PointI p);
PointI screenToClient(WindowHandle window, PointI p);
// Outer rectangle for a client rectangle with the given style (frame metrics below).
Rect adjustWindowRect(const Rect& client, uint32_t style);
int captionHeight();
int sizeFrameSize();
int fixedFrameSize();
int borderSize();
int screenWidth();
int screenHeight();
int screenDepth();  // bits per pixel of the desktop
// The longest gap between two clicks of a double click, in ms (the desktop's setting, else 500).
uint32_t doubleClickTimeMs();
Rect workArea();

// Painting.
void invalidateRect(WindowHandle window, const Rect* rect, bool erase);  // null: all
void validateRect(WindowHandle window);
struct PaintInfo {
    RectRegion region;  // the area to repaint, client coordinates
    Rect bounds;
    bool erase = false;
};
// Takes the window's invalid region (sending WM_ERASEBKGND first when asked to).
PaintInfo beginPaint(WindowHandle window);
// The two halves of beginPaint: take the region, then send the erase message
// with a device context (its wParam) when the window asked for erasing.
PaintInfo takePaint(WindowHandle window);
void erasePaint(WindowHandle window, PaintInfo& paint, WParam context);
void endPaint(WindowHandle window, const PaintInfo& paint);
// Copies the given area of a finished frame of pixels (0xAARRGGBB, client
// coordinates, origin at the client's top-left) into the window and has the
// window thread show it. Any thread.
void presentFrame(WindowHandle window, const uint32_t* pixels, int width, int height, int strideBytes,
                  const RectRegion& region);
// What the window shows now: its client area, width x height pixels.
std::vector<uint32_t> readWindowPixels(WindowHandle window, int* width, int* height);

// Focus and capture (window thread).
WindowHandle setFocus(WindowHandle window);  // previous focus; null if refused
WindowHandle getFocus();
WindowHandle setCapture(WindowHandle window);
bool releaseCapture();
WindowHandle getCapture();
// Starts a sizing drag from the bottom-right corner of a top-level window; it
// follows the pointer until the left button is released.
void beginSizeDrag(WindowHandle window);

// Key state as of the message being handled (classic virtual-key codes).
bool isKeyDown(int virtualKey);

// Pointer.
PointI getCursorPos();  // screen coordinates
void setCursorPos(PointI screen);

}  // namespace platform
