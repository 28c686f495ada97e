// Device contexts on windows. A context draws straight into the pixels its
// top-level window shows, through the window's place and clip; giving it back,
// or ending a paint, has the window thread show the result at once. While a
// context stays open (the game's screen graphics), the pump shows its window
// every few milliseconds.

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/DeviceContext.h"
#include "platform/WindowDrawing.h"
#include "platform/WindowState.h"
#include "platform/WindowSystem.h"

namespace platform {

namespace {

struct WindowContext {
    std::unique_ptr<Surface> surface;
    std::shared_ptr<std::vector<uint32_t>> pixels;  // keeps the buffer alive past a resize
    WindowHandle top = nullptr;
    std::unique_ptr<std::atomic<bool>> drawn = std::make_unique<std::atomic<bool>>(false);
};

std::mutex contextsMutex;
std::map<DeviceContext*, WindowContext> contexts;

// A context on a window, clipped to its client area, or to area (client coordinates) when given.
DeviceContext* makeContext(WindowHandle window, const RectRegion* area) {
    auto& s = windowState();
    std::lock_guard<std::recursive_mutex> hold(s.mutex);
    WindowRecord* r = findWindow(window);
    WindowRecord* top = topLevelOf(r);
    if (!r || !top || top->textureW <= 0 || top->textureH <= 0) return new DeviceContext();
    WindowContext made;
    made.pixels = top->pixels;
    made.surface = std::make_unique<Surface>(top->textureW, top->textureH, made.pixels->data(), false);
    made.top = top->handle;
    auto* dc = new DeviceContext(made.surface.get());
    dc->setSharedPixels(&s.pixelsMutex, made.drawn.get());
    PointI origin = originInTopLevel(r);
    dc->setViewportOrigin(origin.x, origin.y);
    RectRegion clip = area ? *area : RectRegion(Rect{0, 0, r->client.width(), r->client.height()});
    clip.intersectRect(Rect{0, 0, r->client.width(), r->client.height()});
    // A window that clips its children leaves their pictures alone when it paints.
    if (r->style & style::ClipChildren)
        for (WindowHandle childHandle : r->children)
            if (WindowRecord* child = findWindow(childHandle); child && child->visible)
                clip.subtractRect(child->client);
    clip.translate(origin.x, origin.y);
    dc->selectClipRegion(&clip);
    ++top->windowContexts;
    std::lock_guard<std::mutex> holdContexts(contextsMutex);
    contexts.emplace(dc, std::move(made));
    return dc;
}

void giveBack(DeviceContext* dc) {
    WindowContext taken;
    {
        std::lock_guard<std::mutex> hold(contextsMutex);
        auto it = contexts.find(dc);
        if (it != contexts.end()) {
            taken = std::move(it->second);
            contexts.erase(it);
        }
    }
    delete dc;
    if (!taken.top) return;
    {
        auto& s = windowState();
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        if (WindowRecord* top = findWindow(taken.top)) {
            --top->windowContexts;
            top->pixelsDirty = true;
        }
    }
    wakeWindowThread();
}

DeviceContext* hookGetDC(void* window) {
    auto handle = static_cast<WindowHandle>(window);
    return isWindow(handle) ? makeContext(handle, nullptr) : new DeviceContext();
}

void hookReleaseDC(void*, DeviceContext* dc) { giveBack(dc); }

DeviceContext* hookBeginPaint(void* window, PaintRecord* record) {
    auto handle = static_cast<WindowHandle>(window);
    if (record) *record = PaintRecord();
    if (!isWindow(handle)) return new DeviceContext();
    PaintInfo paint = takePaint(handle);
    DeviceContext* dc = makeContext(handle, &paint.region);
    // The erase message gets the paint's context, clipped like the paint itself.
    erasePaint(handle, paint, reinterpret_cast<WParam>(dc));
    if (record) {
        record->paintRect = paint.bounds;
        record->erase = paint.erase;
    }
    return dc;
}

void hookEndPaint(void*, DeviceContext* dc, const PaintRecord&) { giveBack(dc); }

}  // namespace

bool takeContextDrawing(WindowHandle top) {
    bool drew = false;
    std::lock_guard<std::mutex> hold(contextsMutex);
    for (auto& [dc, context] : contexts)
        if (context.top == top && context.drawn->exchange(false, std::memory_order_acq_rel)) drew = true;
    return drew;
}

void installWindowDrawing() {
    WindowDrawingHooks hooks;
    hooks.getDC = &hookGetDC;
    hooks.releaseDC = &hookReleaseDC;
    hooks.beginPaint = &hookBeginPaint;
    hooks.endPaint = &hookEndPaint;
    setWindowDrawingHooks(hooks);
}

}  // namespace platform
