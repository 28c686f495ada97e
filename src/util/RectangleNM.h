#pragma once

#include "lang/Object.h"

namespace util {

// An integer rectangle (x, y, width, height). Answers to the class name "Rectangle".
// equals stays identity; sameAs compares values.
class RectangleNM : public lang::Object {
public:
    RectangleNM() = default;
    RectangleNM(int x, int y, int width, int height) : x(x), y(y), width(width), height(height) {}
    RectangleNM(const RectangleNM& o) : lang::Object(), x(o.x), y(o.y), width(o.width), height(o.height) {}
    RectangleNM& operator=(const RectangleNM& o) {
        x = o.x;
        y = o.y;
        width = o.width;
        height = o.height;
        return *this;
    }
    MENTARIUM_CLASS_NAMED("Rectangle", lang::Object)

    int hashCode() const override;
    virtual bool sameAs(const lang::Object* other) const;

    bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
    void add(const RectangleNM& other);        // smallest rectangle holding both
    void intersect(const RectangleNM& other);  // the overlap, or all zeros
    void set(int nx, int ny, int nw, int nh) {
        x = nx;
        y = ny;
        width = nw;
        height = nh;
    }

    int x = 0, y = 0, width = 0, height = 0;
};

}  // namespace util
