#pragma once

#include <cstddef>
#include <vector>

namespace platform {

// An axis-aligned rectangle by its edges: left/top inclusive, right/bottom exclusive.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// A region as a list of disjoint rectangles: what clip regions and the dirty
// region of a frame are made of. A union that would fragment the region past
// kMaxRects rectangles rejoins pieces, or else grows it to its bounding box.
class RectRegion {
public:
    static constexpr std::size_t kMaxRects = 32;

    RectRegion() = default;
    explicit RectRegion(const Rect& r) { addRect(r); }

    void addRect(const Rect& r);  // union
    void addRegion(const RectRegion& other);
    void subtractRect(const Rect& r);
    void intersectRect(const Rect& r);
    void intersectRegion(const RectRegion& other);
    void translate(int dx, int dy);
    void clear() { rects_.clear(); }

    bool isEmpty() const { return rects_.empty(); }
    bool containsPoint(int x, int y) const;
    bool intersectsRect(const Rect& r) const;  // any part of r inside the region
    Rect bounds() const;
    const std::vector<Rect>& rects() const { return rects_; }
    long area() const;

private:
    void coarsen();

    std::vector<Rect> rects_;
};

}  // namespace platform
