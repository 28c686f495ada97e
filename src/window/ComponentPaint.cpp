// Painting of component windows.

#include <vector>

#include "platform/WindowSystem.h"
#include "window/Component.h"

namespace window {

using namespace platform;

void Component::update(Graphics* g) {
    fillBackground(g, size_.width, size_.height);
    paint(g);
}

Graphics* Component::getGraphics() { return nullptr; }

void Component::fillBackground(Graphics*, int, int) {}

void Component::onPaintMessage() {
    WindowHandle window = messageWindow();
    if (!window) return;
    PaintInfo paint = beginPaint(window);
    // Until something draws over it, the window shows its background colour.
    Rect client = getClientRect(window);
    if (!paint.region.isEmpty() && client.width() > 0 && client.height() > 0) {
        std::vector<uint32_t> pixels(static_cast<size_t>(client.width()) * client.height(), background_.value);
        presentFrame(window, pixels.data(), client.width(), client.height(), client.width() * 4, paint.region);
    }
    endPaint(window, paint);
}

}  // namespace window
