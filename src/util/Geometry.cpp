// Rectangles and polygons: the small value classes.
#include <algorithm>

#include "util/Polygon.h"
#include "util/RectangleNM.h"

namespace util {

int RectangleNM::hashCode() const {
    uint32_t h = static_cast<uint32_t>(x);
    h = h * 256 + static_cast<uint32_t>(y);
    h = h * 256 + static_cast<uint32_t>(width);
    h = h * 256 + static_cast<uint32_t>(height);
    return static_cast<int>(h);
}

bool RectangleNM::sameAs(const lang::Object* other) const {
    if (other == this) return true;
    if (other == nullptr || !other->isInstanceOf("Rectangle")) return false;
    const auto* r = static_cast<const RectangleNM*>(other);
    return r->x == x && r->y == y && r->width == width && r->height == height;
}

void RectangleNM::add(const RectangleNM& other) {
    int left = std::min(x, other.x), top = std::min(y, other.y);
    int right = std::max(x + width, other.x + other.width);
    int bottom = std::max(y + height, other.y + other.height);
    set(left, top, right - left, bottom - top);
}

void RectangleNM::intersect(const RectangleNM& other) {
    int left = std::max(x, other.x), top = std::max(y, other.y);
    int right = std::min(x + width, other.x + other.width);
    int bottom = std::min(y + height, other.y + other.height);
    if (right <= left || bottom <= top) set(0, 0, 0, 0);
    else
        set(left, top, right - left, bottom - top);
}

void Polygon::setPoints(const int* xs, const int* ys, int n) {
    if (n < 0) n = 0;
    xs_.resize(n);
    ys_.resize(n);
    count_ = n;
    int minx = 0x7FFFFFF, miny = 0x7FFFFFF, maxx = -3000000, maxy = -3000000;
    for (int i = 0; i < n; ++i) {
        xs_[i] = xs[i];
        ys_[i] = ys[i];
        minx = std::min(minx, xs[i]);
        miny = std::min(miny, ys[i]);
        maxx = std::max(maxx, xs[i]);
        maxy = std::max(maxy, ys[i]);
    }
    minX = minx;
    minY = miny;
    width = maxx - minx;
    height = maxy - miny;
}

}  // namespace util
