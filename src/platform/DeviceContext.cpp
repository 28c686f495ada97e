#include "platform/DeviceContext.h"

#include <algorithm>
#include <cstring>

#include "platform/FontFace.h"
#include "platform/LineStepper.h"
#include "platform/SpanPainter.h"
#include "platform/TextLayout.h"
#include "platform/WindowState.h"

namespace platform {

DeviceContext::DrawnMark::~DrawnMark() {
    if (shared_.drawn) shared_.drawn->store(true, std::memory_order_release);
    if (shared_.lock) shared_.lock->unlock();
    // The window thread sleeps until there is something to show.
    if (shared_.drawn) wakeWindowThread();
}

namespace {
const char kEllipsis[] = "...";
const int kEllipsisLength = 3;
}  // namespace

Surface* DeviceContext::selectSurface(Surface* surface) {
    Surface* previous = state_.surface;
    state_.surface = surface;
    return previous;
}

Pen DeviceContext::selectPen(const Pen& pen) {
    Pen previous = state_.pen;
    state_.pen = pen;
    return previous;
}

Brush DeviceContext::selectBrush(const Brush& brush) {
    Brush previous = state_.brush;
    state_.brush = brush;
    return previous;
}

FontFace* DeviceContext::selectFont(FontFace* font) {
    FontFace* previous = state_.font;
    state_.font = font;
    return previous;
}

FontFace* DeviceContext::font() const { return state_.font ? state_.font : FontFace::systemFont(); }

uint32_t DeviceContext::setTextColor(uint32_t rgb) {
    uint32_t previous = state_.textColor;
    state_.textColor = rgb & 0xFFFFFF;
    return previous;
}

uint32_t DeviceContext::setBackgroundColor(uint32_t rgb) {
    uint32_t previous = state_.backgroundColor;
    state_.backgroundColor = rgb & 0xFFFFFF;
    return previous;
}

bool DeviceContext::setTransparentBackground(bool transparent) {
    bool previous = state_.transparent;
    state_.transparent = transparent;
    return previous;
}

TextAlign DeviceContext::setTextAlign(TextAlign align) {
    TextAlign previous = state_.align;
    state_.align = align;
    return previous;
}

int DeviceContext::save() {
    saved_.push_back(state_);
    return static_cast<int>(saved_.size());
}

bool DeviceContext::restore(int token) {
    int depth = static_cast<int>(saved_.size());
    int index = token < 0 ? depth + token : token - 1;
    if (token == 0 || index < 0 || index >= depth) return false;
    state_ = saved_[index];
    saved_.resize(index);
    return true;
}

Rect DeviceContext::toDevice(const Rect& r) const {
    return Rect{r.left + origin_.x, r.top + origin_.y, r.right + origin_.x, r.bottom + origin_.y};
}

RectRegion DeviceContext::currentClip() const {
    if (state_.clip) return *state_.clip;
    RectRegion whole;
    if (state_.surface) whole.addRect(state_.surface->bounds());
    return whole;
}

void DeviceContext::intersectClipRect(const Rect& rect) {
    RectRegion clip = currentClip();
    clip.intersectRect(toDevice(rect));
    state_.clip = std::move(clip);
}

void DeviceContext::excludeClipRect(const Rect& rect) {
    RectRegion clip = currentClip();
    clip.subtractRect(toDevice(rect));
    state_.clip = std::move(clip);
}

void DeviceContext::selectClipRegion(const RectRegion* region) {
    if (region) {
        state_.clip = *region;
    } else {
        state_.clip.reset();
    }
}

void DeviceContext::offsetClipRegion(int dx, int dy) {
    if (state_.clip) state_.clip->translate(dx, dy);
}

bool DeviceContext::getClipRegion(RectRegion& out) const {
    if (!state_.clip) return false;
    out = *state_.clip;
    return true;
}

Rect DeviceContext::getClipBox() const {
    RectRegion clip = currentClip();
    if (state_.surface) clip.intersectRect(state_.surface->bounds());
    if (clip.isEmpty()) return Rect{};
    Rect box = clip.bounds();
    return Rect{box.left - origin_.x, box.top - origin_.y, box.right - origin_.x, box.bottom - origin_.y};
}

std::vector<Rect> DeviceContext::drawableRects() const {
    if (!state_.surface || state_.surface->pixels() == nullptr) return {};
    RectRegion clip = currentClip();
    clip.intersectRect(state_.surface->bounds());
    return clip.rects();
}

void DeviceContext::fillSolidRect(const Rect& rect, uint32_t rgb) {
    DrawnMark mark{shared_};
    std::vector<Rect> clip = drawableRects();
    if (clip.empty()) return;
    SpanPainter painter(*state_.surface, clip, rgb);
    Rect r = toDevice(rect);
    for (int y = r.top; y < r.bottom; ++y) painter.span(y, r.left, r.right);
}

void DeviceContext::copyPixels(int x, int y, const uint32_t* source, int width, int height, int sourceStride) {
    DrawnMark mark{shared_};
    if (!source) return;
    Rect dst = toDevice(Rect{x, y, x + width, y + height});
    for (const Rect& c : drawableRects()) {
        int x0 = std::max(dst.left, c.left), x1 = std::min(dst.right, c.right);
        int y0 = std::max(dst.top, c.top), y1 = std::min(dst.bottom, c.bottom);
        if (x0 >= x1) continue;
        for (int row = y0; row < y1; ++row) {
            const uint32_t* from = source + static_cast<std::ptrdiff_t>(row - dst.top) * sourceStride + (x0 - dst.left);
            std::memmove(state_.surface->row(row) + x0, from, static_cast<size_t>(x1 - x0) * 4);
        }
    }
}

void DeviceContext::bitBlt(int x, int y, int width, int height, const DeviceContext& source, int sx, int sy) {
    const Surface* from = source.surface();
    if (!from || !from->pixels()) return;
    // Reading another thread's shown pixels holds their lock too (copyPixels holds ours).
    std::unique_lock<std::mutex> reading;
    if (source.shared_.lock && source.shared_.lock != shared_.lock) reading = std::unique_lock(*source.shared_.lock);
    sx += source.origin_.x;
    sy += source.origin_.y;
    // Cut the source rectangle to the source surface, moving the destination along.
    if (sx < 0) {
        x -= sx;
        width += sx;
        sx = 0;
    }
    if (sy < 0) {
        y -= sy;
        height += sy;
        sy = 0;
    }
    width = std::min(width, from->width() - sx);
    height = std::min(height, from->height() - sy);
    if (width <= 0 || height <= 0) return;
    copyPixels(x, y, from->row(sy) + sx, width, height, from->width());
}

void DeviceContext::setPixel(int x, int y, uint32_t rgb) {
    DrawnMark mark{shared_};
    std::vector<Rect> clip = drawableRects();
    if (clip.empty()) return;
    SpanPainter(*state_.surface, clip, rgb).pixel(x + origin_.x, y + origin_.y);
}

void DeviceContext::moveTo(int x, int y) { state_.position = IntPoint{x, y}; }

void DeviceContext::strokeSegment(const std::vector<Rect>& clip, int x1, int y1, int x2, int y2) {
    const Pen& pen = state_.pen;
    if (pen.style == Pen::None || clip.empty()) return;
    SpanPainter painter(*state_.surface, clip, pen.color);
    x1 += origin_.x;
    x2 += origin_.x;
    y1 += origin_.y;
    y2 += origin_.y;
    if (pen.width < 2) {
        stepLine(x1, y1, x2, y2, [&](int px, int py) { painter.pixel(px, py); });
    } else {
        strokeWideSegment(painter, x1, y1, x2, y2, pen.width);
    }
}

void DeviceContext::lineTo(int x, int y) {
    DrawnMark mark{shared_};
    strokeSegment(drawableRects(), state_.position.x, state_.position.y, x, y);
    state_.position = IntPoint{x, y};
}

void DeviceContext::polyline(const IntPoint* points, int count) {
    DrawnMark mark{shared_};
    std::vector<Rect> clip = drawableRects();
    for (int i = 1; i < count; ++i) strokeSegment(clip, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
}

void DeviceContext::polygon(const IntPoint* points, int count) {
    DrawnMark mark{shared_};
    if (count < 2) return;
    std::vector<Rect> clip = drawableRects();
    if (clip.empty()) return;
    if (state_.brush.style == Brush::Solid) {
        std::vector<double> xs(count), ys(count);
        for (int i = 0; i < count; ++i) {
            xs[i] = points[i].x + origin_.x;
            ys[i] = points[i].y + origin_.y;
        }
        fillPolygon(SpanPainter(*state_.surface, clip, state_.brush.color), xs.data(), ys.data(), count);
    }
    for (int i = 0; i < count; ++i) {
        const IntPoint& a = points[i];
        const IntPoint& b = points[(i + 1) % count];
        strokeSegment(clip, a.x, a.y, b.x, b.y);
    }
}

void DeviceContext::ellipse(const Rect& box) {
    DrawnMark mark{shared_};
    std::vector<Rect> clip = drawableRects();
    if (clip.empty()) return;
    Rect r = toDevice(box);
    if (state_.brush.style == Brush::Solid) fillEllipse(SpanPainter(*state_.surface, clip, state_.brush.color), r);
    if (state_.pen.style == Pen::Solid) {
        strokeEllipse(SpanPainter(*state_.surface, clip, state_.pen.color), r, std::max(1, state_.pen.width));
    }
}

TextMetrics DeviceContext::textMetrics() const {
    FontFace* face = font();
    return face ? face->metrics() : TextMetrics{};
}

int DeviceContext::textWidth(const char* text, int length) const {
    FontFace* face = font();
    return face ? face->measure(text, length) : 0;
}

void DeviceContext::drawTextLine(const std::vector<Rect>& clip, int x, int top, const char* text, int length,
                                 bool ellipsis) {
    FontFace* face = font();
    if (!face || clip.empty()) return;
    int baseline = top + face->metrics().ascent;
    int width = face->measure(text, length);
    if (!state_.transparent) {
        SpanPainter painter(*state_.surface, clip, state_.backgroundColor);
        int fullWidth = width + (ellipsis ? face->measure(kEllipsis, kEllipsisLength) : 0);
        for (int y = top; y < top + face->metrics().height; ++y) painter.span(y, x, x + fullWidth);
    }
    face->draw(*state_.surface, clip, x, baseline, text, length, state_.textColor);
    if (ellipsis) face->draw(*state_.surface, clip, x + width, baseline, kEllipsis, kEllipsisLength, state_.textColor);
}

void DeviceContext::textOut(int x, int y, const char* text, int length) {
    DrawnMark mark{shared_};
    FontFace* face = font();
    if (!face || !text || length <= 0) return;
    int top = y + origin_.y;
    if (state_.align == TextAlign::BaselineLeft) top -= face->metrics().ascent;
    drawTextLine(drawableRects(), x + origin_.x, top, text, length, false);
}

void DeviceContext::drawTextWrapped(const Rect& rect, const char* text, int length) {
    DrawnMark mark{shared_};
    FontFace* face = font();
    if (!face || !text || length <= 0 || !state_.surface) return;
    Rect r = toDevice(rect);
    RectRegion clip = currentClip();
    clip.intersectRect(state_.surface->bounds());
    clip.intersectRect(r);
    std::vector<Rect> rects = clip.rects();
    auto measure = [face](const char* t, int n) { return face->measure(t, n); };
    int ellipsisWidth = face->measure(kEllipsis, kEllipsisLength);
    int lineHeight = face->metrics().height;
    int top = r.top;
    for (const TextLine& line : wrapWords(text, length, r.width(), measure, ellipsisWidth)) {
        if (top >= r.bottom) break;
        drawTextLine(rects, r.left, top, text + line.begin, line.end - line.begin, line.ellipsis);
        top += lineHeight;
    }
}

}  // namespace platform
