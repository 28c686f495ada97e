#include "game/minigames/FigureCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "window/Image.h"

namespace {

constexpr double kShadowX = 2, kShadowY = 3, kShadowAlpha = 0.3;
constexpr double kOutline = 2;  // pixels, centred on the edge

double channel(uint32_t rgb, int shift) { return ((rgb >> shift) & 0xFF) / 255.0; }
double coverage(double d) { return std::clamp(0.5 - d, 0.0, 1.0); }
uint32_t darker(uint32_t rgb, double f) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) out |= static_cast<uint32_t>(channel(rgb, shift) * f * 255) << shift;
    return out;
}

// Distance from (x, y) to the segment (x1, y1)-(x2, y2).
double toSegment(double x, double y, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1, length = dx * dx + dy * dy;
    const double t = length > 0 ? std::clamp(((x - x1) * dx + (y - y1) * dy) / length, 0.0, 1.0) : 0.0;
    return std::hypot(x - x1 - t * dx, y - y1 - t * dy);
}

// Takes points of the picture back onto the cells of a placed figure.
class Unplace {
public:
    Unplace(const Polyomino& f, const FigureCanvas::Placement& at)
        : at_(at),
          cos_(std::cos(at.degrees * std::numbers::pi / 180)),
          sin_(std::sin(at.degrees * std::numbers::pi / 180)),
          scale_(std::max(at.scale, 1.0)),
          midX_(f.width() / 2.0),
          midY_(f.height() / 2.0) {}
    double scale() const { return scale_; }
    void operator()(double px, double py, double& u, double& v) const {
        const double dx = px - at_.x, dy = py - at_.y;
        u = (dx * cos_ + dy * sin_) / scale_ + midX_;
        v = (-dx * sin_ + dy * cos_) / scale_ + midY_;
    }

private:
    FigureCanvas::Placement at_;
    double cos_, sin_, scale_, midX_, midY_;
};

}  // namespace

FigureCanvas::FigureCanvas(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_)) {}

void FigureCanvas::over(int i, uint32_t rgb, double alpha) {
    if (alpha <= 0) return;
    Colour& p = pixels_[static_cast<size_t>(i)];
    const double a = alpha + p.a * (1 - alpha);
    auto mix = [&](double& c, double s) { c = (s * alpha + c * p.a * (1 - alpha)) / a; };
    mix(p.r, channel(rgb, 16));
    mix(p.g, channel(rgb, 8));
    mix(p.b, channel(rgb, 0));
    p.a = a;
}

void FigureCanvas::layer(const Distance& distance, uint32_t colour, bool shadow, const Distance& inner,
                         uint32_t innerColour) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            const int i = y * width_ + x;
            if (shadow) over(i, 0, kShadowAlpha * coverage(distance(cx - kShadowX, cy - kShadowY)));
            const double d = distance(cx, cy);
            over(i, colour, coverage(d));
            if (inner && d < 0) over(i, innerColour, coverage(inner(cx, cy)));
            over(i, Ink, coverage(std::abs(d) - kOutline / 2));
        }
}

void FigureCanvas::card(int x, int y, int width, int height, int radius, uint32_t colour) {
    const double hw = width / 2.0, hh = height / 2.0, mx = x + hw, my = y + hh, r = radius;
    auto box = [=](double px, double py) {
        const double qx = std::abs(px - mx) - hw + r, qy = std::abs(py - my) - hh + r;
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - r;
    };
    layer(box, colour, true, nullptr, 0);
}

FigureCanvas::Distance FigureCanvas::figureDistance(const Polyomino& f, const Placement& at) {
    const Unplace unplace(f, at);
    std::vector<Polyomino::Edge> edges = f.outline();
    return [=](double px, double py) {
        double u = 0, v = 0;
        unplace(px, py, u, v);
        double nearest = 1e9;
        for (const Polyomino::Edge& e : edges) nearest = std::min(nearest, toSegment(u, v, e.x1, e.y1, e.x2, e.y2));
        const bool inside = f.has(static_cast<int>(std::floor(u)), static_cast<int>(std::floor(v)));
        return (inside ? -nearest : nearest) * unplace.scale();
    };
}

void FigureCanvas::figure(const Polyomino& f, const Placement& at, uint32_t colour, bool seams) {
    Distance inner;
    if (seams) {
        // Distance to the nearest line of the cells' grid, drawn 1 pixel wide.
        inner = [unplace = Unplace(f, at)](double px, double py) {
            double u = 0, v = 0;
            unplace(px, py, u, v);
            return std::min(std::abs(u - std::round(u)), std::abs(v - std::round(v))) * unplace.scale() - 0.5;
        };
    }
    layer(figureDistance(f, at), colour, true, inner, darker(colour, 0.72));
}

void FigureCanvas::hole(const Polyomino& f, const Placement& at, uint32_t colour) {
    Distance d = figureDistance(f, at);
    // The hole's far wall: a darker band along its top and left edges reads as depth.
    Distance wall = [d](double px, double py) { return -d(px - kShadowX, py - kShadowY) - 0.5; };
    layer(d, colour, false, wall, darker(colour, 0.55));
}

uint32_t FigureCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const Colour& p = pixels_[static_cast<size_t>(y * width_ + x)];
    auto byte = [](double v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return byte(p.a) << 24 | byte(p.r) << 16 | byte(p.g) << 8 | byte(p.b);
}

window::Image* FigureCanvas::figureCard(int size, const Polyomino& f, double scale, double degrees, uint32_t colour,
                                        bool seams) {
    FigureCanvas canvas(size + static_cast<int>(kShadowX) + 1, size + static_cast<int>(kShadowY));
    canvas.card(0, 0, size, size, size / 5, Cream);
    canvas.figure(f, {size / 2.0, size / 2.0, scale, degrees}, colour, seams);
    return canvas.picture();
}

window::Image* FigureCanvas::picture() const {
    auto* image = new window::Image(width_, height_, 1, false);
    image->setHasAlpha(true);
    if (uint32_t* out = image->getPixels())
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) out[y * width_ + x] = pixel(x, y);
    return image;
}
