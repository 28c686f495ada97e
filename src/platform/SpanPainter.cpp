#include "platform/SpanPainter.h"

#include <algorithm>
#include <cmath>

namespace platform {

void SpanPainter::span(int y, int x0, int x1) const {
    for (const Rect& c : clip_) {
        if (y < c.top || y >= c.bottom) continue;
        int a = std::max(x0, c.left), b = std::min(x1, c.right);
        if (a >= b) continue;
        std::fill(surface_.row(y) + a, surface_.row(y) + b, argb_);
    }
}

namespace {

// First pixel whose centre is at or right of x.
int firstCentreAtOrAfter(double x) { return static_cast<int>(std::ceil(x - 0.5)); }
// One past the last pixel whose centre is at or left of x.
int endCentreAtOrBefore(double x) { return static_cast<int>(std::floor(x - 0.5)) + 1; }

// The centres of row y inside the ellipse (cx, cy, rx, ry): false when none.
bool ellipseRow(double cx, double cy, double rx, double ry, int y, int& x0, int& x1) {
    if (rx <= 0 || ry <= 0) return false;
    double dy = (y + 0.5 - cy) / ry;
    if (dy * dy > 1.0) return false;
    double half = rx * std::sqrt(1.0 - dy * dy);
    x0 = firstCentreAtOrAfter(cx - half);
    x1 = endCentreAtOrBefore(cx + half);
    return x0 < x1;
}

}  // namespace

void fillPolygon(const SpanPainter& painter, const double* xs, const double* ys, int count) {
    if (count < 3) return;
    double minY = ys[0], maxY = ys[0];
    for (int i = 1; i < count; ++i) {
        minY = std::min(minY, ys[i]);
        maxY = std::max(maxY, ys[i]);
    }
    std::vector<double> crossings;
    for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); ++y) {
        double yc = y + 0.5;
        crossings.clear();
        for (int i = 0, j = count - 1; i < count; j = i++) {
            double ya = ys[j], yb = ys[i];
            if ((ya <= yc && yc < yb) || (yb <= yc && yc < ya)) {
                crossings.push_back(xs[j] + (yc - ya) * (xs[i] - xs[j]) / (yb - ya));
            }
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            painter.span(y, firstCentreAtOrAfter(crossings[k]), firstCentreAtOrAfter(crossings[k + 1]));
        }
    }
}

void fillEllipse(const SpanPainter& painter, const Rect& box) {
    double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    double rx = box.width() / 2.0, ry = box.height() / 2.0;
    for (int y = box.top; y < box.bottom; ++y) {
        int x0, x1;
        if (ellipseRow(cx, cy, rx, ry, y, x0, x1)) painter.span(y, x0, x1);
    }
}

void strokeEllipse(const SpanPainter& painter, const Rect& box, int width) {
    double cx = (box.left + box.right) / 2.0, cy = (box.top + box.bottom) / 2.0;
    double rx = box.width() / 2.0, ry = box.height() / 2.0;
    for (int y = box.top; y < box.bottom; ++y) {
        int x0, x1, i0, i1;
        if (!ellipseRow(cx, cy, rx, ry, y, x0, x1)) continue;
        if (!ellipseRow(cx, cy, rx - width, ry - width, y, i0, i1)) {
            painter.span(y, x0, x1);
            continue;
        }
        painter.span(y, x0, i0);
        painter.span(y, i1, x1);
    }
}

void fillDisc(const SpanPainter& painter, double cx, double cy, double radius) {
    int top = static_cast<int>(std::floor(cy - radius)), bottom = static_cast<int>(std::ceil(cy + radius));
    for (int y = top; y <= bottom; ++y) {
        int x0, x1;
        if (ellipseRow(cx, cy, radius, radius, y, x0, x1)) painter.span(y, x0, x1);
    }
}

void strokeWideSegment(const SpanPainter& painter, int x1, int y1, int x2, int y2, int width) {
    double ax = x1 + 0.5, ay = y1 + 0.5, bx = x2 + 0.5, by = y2 + 0.5;
    double half = width / 2.0;
    fillDisc(painter, ax, ay, half);
    fillDisc(painter, bx, by, half);
    double dx = bx - ax, dy = by - ay, len = std::sqrt(dx * dx + dy * dy);
    if (len == 0) return;
    double nx = -dy / len * half, ny = dx / len * half;
    double xs[4] = {ax + nx, bx + nx, bx - nx, ax - nx};
    double ys[4] = {ay + ny, by + ny, by - ny, ay - ny};
    fillPolygon(painter, xs, ys, 4);
}

}  // namespace platform
