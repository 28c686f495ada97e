#include "platform/RectRegion.h"

#include <algorithm>

namespace platform {

namespace {

Rect overlap(const Rect& a, const Rect& b) {
    return Rect{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// Appends the parts of r outside cut (up to four bands) to out.
void pushDifference(const Rect& r, const Rect& cut, std::vector<Rect>& out) {
    Rect o = overlap(r, cut);
    if (o.empty()) {
        out.push_back(r);
        return;
    }
    if (r.top < o.top) out.push_back({r.left, r.top, r.right, o.top});
    if (o.bottom < r.bottom) out.push_back({r.left, o.bottom, r.right, r.bottom});
    if (r.left < o.left) out.push_back({r.left, o.top, o.left, o.bottom});
    if (o.right < r.right) out.push_back({o.right, o.top, r.right, o.bottom});
}

bool contains(const Rect& outer, const Rect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

Rect boundingBox(const Rect& a, const Rect& b) {
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

// Two rectangles that together are exactly one: same span, edges touching.
bool joinable(const Rect& a, const Rect& b) {
    bool sameColumns = a.left == b.left && a.right == b.right && (a.bottom == b.top || b.bottom == a.top);
    bool sameRows = a.top == b.top && a.bottom == b.bottom && (a.right == b.left || b.right == a.left);
    return sameColumns || sameRows;
}

}  // namespace

void RectRegion::addRect(const Rect& r) {
    if (r.empty()) return;
    for (const Rect& have : rects_)
        if (contains(have, r)) return;
    // What r covers whole goes; the rest stays and r is cut around it, so the
    // rectangles stay disjoint.
    std::erase_if(rects_, [&](const Rect& have) { return contains(r, have); });
    // Scratch lists kept between calls: the render pass adds many rectangles a frame.
    thread_local std::vector<Rect> pieces, next;
    pieces.assign(1, r);
    for (const Rect& have : rects_) {
        if (overlap(have, r).empty()) continue;
        next.clear();
        for (const Rect& p : pieces) pushDifference(p, have, next);
        pieces.swap(next);
        if (pieces.empty()) return;
    }
    rects_.insert(rects_.end(), pieces.begin(), pieces.end());
    if (rects_.size() > kMaxRects) coarsen();
}

// Rejoins pieces that form one rectangle; when that is not enough, the region
// becomes its bounding box. Repainting a little more is cheaper than a region
// whose every addition and every drawing walks hundreds of slivers.
void RectRegion::coarsen() {
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t i = 0; i < rects_.size() && !joined; ++i)
            for (size_t j = i + 1; j < rects_.size(); ++j)
                if (joinable(rects_[i], rects_[j])) {
                    rects_[i] = boundingBox(rects_[i], rects_[j]);
                    rects_.erase(rects_.begin() + static_cast<std::ptrdiff_t>(j));
                    joined = true;
                    break;
                }
    }
    if (rects_.size() > kMaxRects / 2) rects_.assign(1, bounds());
}

void RectRegion::addRegion(const RectRegion& other) {
    for (const Rect& r : other.rects_) addRect(r);
}

void RectRegion::subtractRect(const Rect& r) {
    if (r.empty()) return;
    std::vector<Rect> next;
    for (const Rect& have : rects_) pushDifference(have, r, next);
    rects_.swap(next);
}

void RectRegion::intersectRect(const Rect& r) {
    std::vector<Rect> next;
    for (const Rect& have : rects_) {
        Rect o = overlap(have, r);
        if (!o.empty()) next.push_back(o);
    }
    rects_.swap(next);
}

void RectRegion::intersectRegion(const RectRegion& other) {
    std::vector<Rect> next;
    for (const Rect& a : rects_)
        for (const Rect& b : other.rects_) {
            Rect o = overlap(a, b);
            if (!o.empty()) next.push_back(o);
        }
    rects_.swap(next);
}

void RectRegion::translate(int dx, int dy) {
    for (Rect& r : rects_) {
        r.left += dx;
        r.right += dx;
        r.top += dy;
        r.bottom += dy;
    }
}

bool RectRegion::containsPoint(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(),
                       [&](const Rect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

bool RectRegion::intersectsRect(const Rect& r) const {
    if (r.empty()) return false;
    return std::any_of(rects_.begin(), rects_.end(), [&](const Rect& have) { return !overlap(have, r).empty(); });
}

Rect RectRegion::bounds() const {
    if (rects_.empty()) return Rect{};
    Rect b = rects_.front();
    for (const Rect& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

long RectRegion::area() const {
    long sum = 0;
    for (const Rect& r : rects_) sum += static_cast<long>(r.width()) * r.height();
    return sum;
}

}  // namespace platform
