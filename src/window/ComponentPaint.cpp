// Painting of component windows: paints and erases draw through a context on the
// window's pixels, so what update() and eraseBackground() draw is what the window shows.

#include "lang/Ref.h"
#include "platform/WindowSystem.h"
#include "window/CDC.h"
#include "window/CPaintDC.h"
#include "window/CTempDC.h"
#include "window/Component.h"
#include "window/GraphicsW.h"

namespace window {

using namespace platform;

namespace {

// Wraps target in a GraphicsW for one drawing call, then lets go of both.
template <typename Draw>
void drawThrough(CDC* target, Draw draw) {
    lang::Ref<GraphicsW> g(new GraphicsW(target));
    draw(g.get());
    target->release();
}

}  // namespace

void Component::update(Graphics* g) {
    fillBackground(g, size_.width, size_.height);
    paint(g);
}

// The context draws straight into the pixels the window shows, at the window's
// place and clipped to its client area. The window thread puts them on screen as
// soon as the graphics is released, and every few milliseconds while it stays
// open, so a caller that keeps it for long still gets its drawing shown.
Graphics* Component::getGraphics() {
    CDC* dc = CDC::onWindow(messageWindow());
    auto* g = new GraphicsW(dc);
    dc->release();
    return g;
}

void Component::fillBackground(Graphics* g, int width, int height) {
    if (g && width > 0 && height > 0) g->fillRectColor(0, 0, width, height, background_.value);
}

void Component::onPaintMessage() {
    WindowHandle window = messageWindow();
    if (!window) return;
    // The paint context is clipped to the invalid area; ending the paint shows it.
    drawThrough(new CPaintDC(window), [this](Graphics* g) { update(g); });
}

LResult Component::onEraseMessage(WParam context) {
    auto* dc = reinterpret_cast<DeviceContext*>(context);
    // Without a context there is nothing to erase with: painting covers the area.
    if (!dc) return 0;
    drawThrough(new CTempDC(dc), [this](Graphics* g) { eraseBackground(g); });
    return 1;
}

}  // namespace window
