#pragma once

#include <cstdlib>

namespace platform {

// The line stepper of 1-pixel lines: calls point(x, y) for every pixel of the line
// from (x1, y1) towards (x2, y2), the end point excluded, so that joined segments
// touch without drawing their shared point twice.
template <class PointFn>
void stepLine(int x1, int y1, int x2, int y2, PointFn&& point) {
    int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    int x = x1, y = y1;
    if (dx >= dy) {
        // Error in units of 1/(2 dx): step y when the true line passes the midpoint.
        int err = 2 * dy - dx;
        for (int i = 0; i < dx; ++i) {
            point(x, y);
            if (err > 0 || (err == 0 && sy > 0)) {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < dy; ++i) {
            point(x, y);
            if (err > 0 || (err == 0 && sx > 0)) {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
}

}  // namespace platform
