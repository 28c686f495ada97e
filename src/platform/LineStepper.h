#pragma once

#include <cstdlib>

namespace platform {

// The line stepper of 1-pixel lines: calls point(x, y) for every pixel of the line
// from (x1, y1) towards (x2, y2), the end point excluded, so that joined segments
// touch without drawing their shared point twice.
template <class PointFn>
void stepLine(int x1, int y1, int x2, int y2, PointFn&& point) {
    int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    bool steep = dy > dx;
    int x = x1, y = y1;
    // One step along the major axis per pixel; the minor axis follows when the
    // true line passes the midpoint (error in units of 1 / (2 * major)).
    int& along = steep ? y : x;
    int& across = steep ? x : y;
    int alongStep = (steep ? y2 > y1 : x2 > x1) ? 1 : -1;
    int acrossStep = (steep ? x2 > x1 : y2 > y1) ? 1 : -1;
    int major = steep ? dy : dx, minor = steep ? dx : dy;
    int err = 2 * minor - major;
    for (int i = 0; i < major; ++i) {
        point(x, y);
        if (err > 0 || (err == 0 && acrossStep > 0)) {
            across += acrossStep;
            err -= 2 * major;
        }
        err += 2 * minor;
        along += alongStep;
    }
}

}  // namespace platform
