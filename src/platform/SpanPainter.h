#pragma once

#include <cstdint>
#include <vector>

#include "platform/RectRegion.h"
#include "platform/Surface.h"

namespace platform {

// Writes opaque horizontal spans of one colour into a surface, cut to a list of
// clip rectangles that already lie inside the surface. Every shape a device
// context draws is reduced to these spans.
class SpanPainter {
public:
    SpanPainter(const Surface& surface, const std::vector<Rect>& clip, uint32_t rgb)
        : surface_(surface), clip_(clip), argb_(rgb | 0xFF000000u) {}

    // Pixels x0 <= x < x1 of row y.
    void span(int y, int x0, int x1) const;
    void pixel(int x, int y) const { span(y, x, x + 1); }

private:
    const Surface& surface_;
    const std::vector<Rect>& clip_;
    uint32_t argb_;
};

// Shapes on pixel centres: a pixel is drawn when its centre (x + 0.5, y + 0.5) lies inside.
// Polygons use the even-odd rule.
void fillPolygon(const SpanPainter& painter, const double* xs, const double* ys, int count);
// The ellipse inscribed in [left, right) x [top, bottom).
void fillEllipse(const SpanPainter& painter, const Rect& box);
// Its outline, width pixels thick, inside the box.
void strokeEllipse(const SpanPainter& painter, const Rect& box, int width);
void fillDisc(const SpanPainter& painter, double cx, double cy, double radius);
// A pen of width >= 2 along a segment between pixel points, with round ends.
void strokeWideSegment(const SpanPainter& painter, int x1, int y1, int x2, int y2, int width);

}  // namespace platform
