#include "window/GraphicsW.h"

#include <vector>

#include "lang/ObjectLock.h"
#include "platform/DeviceContext.h"
#include "platform/LineStepper.h"
#include "platform/WindowDrawing.h"
#include "util/Polygon.h"
#include "util/RectangleNM.h"
#include "util/Region.h"
#include "window/Bezier.h"
#include "window/CDC.h"
#include "window/Font.h"
#include "window/GraphicsEnvironment.h"
#include "window/Image.h"

namespace window {

namespace {

platform::Rect boxOf(int x, int y, int width, int height) { return platform::Rect{x, y, x + width, y + height}; }

std::vector<platform::IntPoint> pointsOf(const util::Polygon* polygon, int dx, int dy) {
    std::vector<platform::IntPoint> points;
    if (!polygon) return points;
    int n = polygon->count();
    points.reserve(n);
    for (int i = 0; i < n; ++i) points.push_back(platform::IntPoint{polygon->xs()[i] + dx, polygon->ys()[i] + dy});
    return points;
}

// Restores what a graphics saved on a context and lets go of it.
void restoreAndRelease(CDC*& dc, int savedState) {
    if (!dc) return;
    if (dc->getHandle() && savedState > 0) dc->getHandle()->restore(savedState);
    dc->release();
    dc = nullptr;
}

}  // namespace

GraphicsW::GraphicsW(CDC* target) { attach(target); }

GraphicsW::GraphicsW() {
    CDC* dc = CDC::onWindow(getGameWindow());
    attach(dc);
    dc->release();
}

GraphicsW::~GraphicsW() {
    ObjectLock hold(&drawingLock(), true);
    detach();
    if (font_) font_->release();
    font_ = nullptr;
    restoreAndRelease(tempDC_, tempSavedState_);
}

void GraphicsW::attach(CDC* target) {
    if (!target) return;
    target->addRef();
    target_ = target;
    if (target->getHandle()) savedState_ = target->getHandle()->save();
}

void GraphicsW::detach() { restoreAndRelease(target_, savedState_); }

platform::DeviceContext* GraphicsW::context() {
    ensureDC();
    return target_ ? target_->getHandle() : nullptr;
}

bool GraphicsW::drawImage(Image* image, int x, int y) {
    if (!image || !image->loadAndHasPixels()) return false;
    if (platform::DeviceContext* dc = context()) {
        dc->copyPixels(x + tx_, y + ty_, image->pixelsNoLoad(), image->getWidth(), image->getHeight(),
                       image->getBytesPerRow() / 4);
    }
    return true;
}

bool GraphicsW::drawShadow(Image*, int, int) { return false; }

void GraphicsW::plot(int x, int y) { setPixel(x, y, color_.value); }

void GraphicsW::setPixel(int, int, uint32_t) {}

uint32_t GraphicsW::getPixel(int, int) { return 0; }

int GraphicsW::setDrawMode(int mode) {
    int previous = drawMode_;
    drawMode_ = mode;
    return previous;
}

void GraphicsW::clipRect(int x, int y, int width, int height) {
    if (platform::DeviceContext* dc = context()) dc->intersectClipRect(boxOf(x + tx_, y + ty_, width, height));
}

void GraphicsW::excludeRect(int x, int y, int width, int height) {
    if (platform::DeviceContext* dc = context()) dc->excludeClipRect(boxOf(x + tx_, y + ty_, width, height));
}

void GraphicsW::setClip(util::Region* region) {
    platform::DeviceContext* dc = context();
    if (!dc) return;
    if (!region) {
        dc->selectClipRegion(nullptr);
        return;
    }
    // A region without rectangles is the empty region: nothing stays drawable.
    platform::RectRegion empty;
    platform::RectRegion* handle = region->getHandle();
    dc->selectClipRegion(handle ? handle : &empty);
    dc->offsetClipRegion(dc->viewportOrigin().x, dc->viewportOrigin().y);
}

util::Region* GraphicsW::getClip() {
    platform::DeviceContext* dc = context();
    if (!dc) return new util::Region();
    platform::RectRegion clip;
    if (dc->getClipRegion(clip)) return new util::Region(new platform::RectRegion(clip));
    platform::Rect box = dc->getClipBox();
    auto* region = new util::Region();
    if (!box.empty()) region->addRect(box.left, box.top, box.width(), box.height());
    return region;
}

util::RectangleNM* GraphicsW::getClipBounds() {
    platform::DeviceContext* dc = context();
    platform::Rect box = dc ? dc->getClipBox() : platform::Rect{};
    return new util::RectangleNM(box.left, box.top, box.width(), box.height());
}

Graphics* GraphicsW::create() {
    auto* copy = new GraphicsW(target_);
    copy->tx_ = tx_;
    copy->ty_ = ty_;
    return copy;
}

void GraphicsW::dispose() {
    ObjectLock hold(&drawingLock(), true);
    detach();
}

void GraphicsW::fillOval(int x, int y, int width, int height) {
    platform::DeviceContext* dc = context();
    if (!dc) return;
    platform::Brush brush = dc->selectBrush(platform::Brush::solid(color_.value));
    platform::Pen pen = dc->selectPen(platform::Pen::none());
    dc->ellipse(boxOf(x, y, width, height));
    dc->selectPen(pen);
    dc->selectBrush(brush);
}

void GraphicsW::fillRect(int x, int y, int width, int height) {
    if (platform::DeviceContext* dc = context())
        dc->fillSolidRect(boxOf(x + tx_, y + ty_, width, height), color_.value);
}

void GraphicsW::fillRectColor(int x, int y, int width, int height, uint32_t argb) {
    if (platform::DeviceContext* dc = context()) dc->fillSolidRect(boxOf(x + tx_, y + ty_, width, height), argb);
}

void GraphicsW::setColor(const Color* color) {
    if (color) color_.value = color->value;
}

void GraphicsW::drawString(const lang::String* text, int x, int baseline) {
    drawChars(text ? text->c_str() : "", 0, text ? text->length() : 0, x, baseline);
}

void GraphicsW::drawChars(const char* text, int offset, int length, int x, int baseline) {
    platform::DeviceContext* dc = context();
    if (!dc || !text) return;
    dc->setTextColor(color_.value);
    dc->setTransparentBackground(true);
    dc->setTextAlign(platform::TextAlign::BaselineLeft);
    dc->textOut(x + tx_, baseline + ty_, text + offset, length);
}

void GraphicsW::drawLine(int x1, int y1, int x2, int y2, int width) {
    if (width < 2) {
        platform::stepLine(x1, y1, x2, y2, [this](int x, int y) { plot(x, y); });
        return;
    }
    platform::DeviceContext* dc = context();
    if (!dc) return;
    platform::Pen pen = dc->selectPen(platform::Pen::solid(width, color_.value));
    platform::IntPoint position = dc->currentPosition();
    dc->moveTo(x1 + tx_, y1 + ty_);
    dc->lineTo(x2 + tx_, y2 + ty_);
    dc->moveTo(position.x, position.y);
    dc->selectPen(pen);
}

void GraphicsW::drawPolyline(const util::Polygon* polygon, int width) {
    platform::DeviceContext* dc = context();
    if (!dc || !polygon) return;
    std::vector<platform::IntPoint> points = pointsOf(polygon, tx_, ty_);
    platform::Pen pen = dc->selectPen(platform::Pen::solid(width, color_.value));
    dc->polyline(points.data(), static_cast<int>(points.size()));
    dc->selectPen(pen);
}

void GraphicsW::drawPolygon(const util::Polygon* polygon) {
    platform::DeviceContext* dc = context();
    if (!dc || !polygon) return;
    std::vector<platform::IntPoint> points = pointsOf(polygon, tx_, ty_);
    platform::Pen pen = dc->selectPen(platform::Pen::solid(1, color_.value));
    platform::Brush brush = dc->selectBrush(platform::Brush::none());
    dc->polygon(points.data(), static_cast<int>(points.size()));
    dc->selectBrush(brush);
    dc->selectPen(pen);
}

void GraphicsW::fillPolygon(const util::Polygon* polygon) {
    platform::DeviceContext* dc = context();
    if (!dc || !polygon) return;
    std::vector<platform::IntPoint> points = pointsOf(polygon, tx_, ty_);
    platform::Pen pen = dc->selectPen(platform::Pen::none());
    platform::Brush brush = dc->selectBrush(platform::Brush::solid(color_.value));
    dc->polygon(points.data(), static_cast<int>(points.size()));
    dc->selectBrush(brush);
    dc->selectPen(pen);
}

void GraphicsW::drawStringInRect(const lang::String* text, const util::RectangleNM* rect) {
    platform::DeviceContext* dc = context();
    if (!dc || !rect) return;
    dc->setTextColor(color_.value);
    dc->setTransparentBackground(true);
    dc->setTextAlign(platform::TextAlign::TopLeft);
    dc->drawTextWrapped(boxOf(rect->x, rect->y, rect->width, rect->height), text ? text->c_str() : "",
                        text ? text->length() : 0);
}

void GraphicsW::setFont(Font* font) {
    platform::DeviceContext* dc = context();
    if (dc) {
        dc->selectFont(font ? font->getHandle() : nullptr);
        target_->setFontSelected(true);
    }
    if (font) font->addRef();
    if (font_) font_->release();
    font_ = font;
}

void GraphicsW::drawBezier(const int* points, int count, int dx, int dy, double scale) {
    platform::DeviceContext* dc = context();
    if (!dc || !points || count < 1) return;
    int offsetX = static_cast<int>(dx * scale) + tx_, offsetY = static_cast<int>(dy * scale) + ty_;
    const int* last = points + 2 * (count - 1);
    dc->moveTo(static_cast<int>((points[0] + dx) * scale) + tx_, static_cast<int>((points[1] + dy) * scale) + ty_);
    for (const platform::IntPoint& p : bezierCurve(points, count, scale)) dc->lineTo(p.x + offsetX, p.y + offsetY);
    dc->lineTo(static_cast<int>((last[0] + dx) * scale) + tx_, static_cast<int>((last[1] + dy) * scale) + ty_);
}

void GraphicsW::fillBezier(const int* points, int count, double scale) {
    platform::DeviceContext* dc = context();
    if (!dc || !points || count < 1) return;
    const int* last = points + 2 * (count - 1);
    std::vector<platform::IntPoint> outline;
    outline.push_back(platform::IntPoint{static_cast<int>(points[0] * scale), static_cast<int>(points[1] * scale)});
    for (const platform::IntPoint& p : bezierCurve(points, count, scale)) outline.push_back(p);
    outline.push_back(platform::IntPoint{static_cast<int>(last[0] * scale), static_cast<int>(last[1] * scale)});
    for (platform::IntPoint& p : outline) {
        p.x += tx_;
        p.y += ty_;
    }
    platform::Brush brush = dc->selectBrush(platform::Brush::solid(0));
    dc->polygon(outline.data(), static_cast<int>(outline.size()));
    dc->selectBrush(brush);
}

void GraphicsW::getTranslation(int* x, int* y) {
    if (x) *x = tx_;
    if (y) *y = ty_;
}

void GraphicsW::translate(int dx, int dy) {
    tx_ += dx;
    ty_ += dy;
}

CDC* GraphicsW::getTempDC(void*) { return new CDC(new platform::DeviceContext(), nullptr); }

CDC* GraphicsW::getTempDC() {
    if (!tempDC_) {
        tempDC_ = getTempDC(getGameWindow());
        tempSavedState_ = tempDC_->getHandle()->save();
    }
    return tempDC_;
}

CDC* GraphicsW::getDC() {
    ensureDC();
    return target_;
}

FancyHelper* GraphicsW::getFancyHelper() { return nullptr; }

void GraphicsW::ensureDC() {}

}  // namespace window
