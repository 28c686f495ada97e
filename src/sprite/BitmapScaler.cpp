#include "sprite/BitmapScaler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "lang/Ref.h"
#include "window/Image.h"

namespace sprite {

namespace {

constexpr int64_t One = 1 << 16;

// A new picture of w x h for a result, or null when its pixels cannot be had.
lang::Ref<window::Image> blankPicture(int w, int h) {
    lang::Ref<window::Image> picture(new window::Image(w, h, 1, false));
    if (picture->getPixels() == nullptr) picture.reset();
    return picture;
}

// One target column's (or row's) share of source columns: first index and
// the 16.16 weight of each covered source pixel.
struct Footprint {
    int first = 0;
    std::vector<int64_t> weights;
};

std::vector<Footprint> footprints(int sourceStart, int sourceLength, int targetLength) {
    std::vector<Footprint> result(targetLength);
    int64_t step = (static_cast<int64_t>(sourceLength) << 16) / targetLength;
    for (int i = 0; i < targetLength; ++i) {
        int64_t from = i * step, to = (i == targetLength - 1) ? static_cast<int64_t>(sourceLength) << 16 : from + step;
        Footprint& f = result[i];
        f.first = static_cast<int>(from >> 16);
        int lastPixel = static_cast<int>(std::min<int64_t>((to - 1) >> 16, sourceLength - 1));
        for (int p = f.first; p <= lastPixel; ++p) {
            int64_t lo = std::max<int64_t>(from, static_cast<int64_t>(p) << 16);
            int64_t hi = std::min<int64_t>(to, static_cast<int64_t>(p + 1) << 16);
            f.weights.push_back(std::max<int64_t>(1, hi - lo));
        }
        f.first += sourceStart;
    }
    return result;
}

uint32_t blend4(const uint32_t* p, const int64_t* w) {
    int64_t total = w[0] + w[1] + w[2] + w[3];
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int64_t sum = 0;
        for (int k = 0; k < 4; ++k) sum += static_cast<int64_t>((p[k] >> shift) & 0xFF) * w[k];
        out |= static_cast<uint32_t>((sum + total / 2) / total) << shift;
    }
    return out;
}

}  // namespace

BitmapScaler::BitmapScaler(window::Image* picture) : source(picture) {
    if (source == nullptr) return;
    source->addRef();
    pixels = source->getPixels();
    stride = source->getBytesPerRow() / 4;
    sourceWidth = source->getWidth();
    sourceHeight = source->getHeight();
    setSourceRect(0, 0, sourceWidth, sourceHeight);
}

BitmapScaler::~BitmapScaler() {
    if (last) last->release();
    if (source) source->release();
}

void BitmapScaler::setSourceRect(int x, int y, int w, int h) {
    // Only the part inside the picture can be read.
    sx = std::max(0, std::min(x, sourceWidth));
    sy = std::max(0, std::min(y, sourceHeight));
    sw = std::max(0, std::min(w, sourceWidth - sx));
    sh = std::max(0, std::min(h, sourceHeight - sy));
}

window::Image* BitmapScaler::keep(window::Image* result) {
    result->setHasAlpha(true);
    result->addRef();
    if (last) last->release();
    last = result;
    return result;
}

window::Image* BitmapScaler::scale(int w, int h, int quality) {
    if (pixels == nullptr || w < 1 || h < 1 || sw < 1 || sh < 1) return nullptr;
    lang::Ref<window::Image> result = blankPicture(w, h);
    if (!result) return nullptr;
    uint32_t* out = result->getPixels();
    if (quality == 0) {
        int64_t stepX = (static_cast<int64_t>(sw) << 16) / w, stepY = (static_cast<int64_t>(sh) << 16) / h;
        for (int j = 0; j < h; ++j) {
            int row = sy + static_cast<int>((j * stepY) >> 16);
            for (int i = 0; i < w; ++i) out[j * w + i] = at(sx + static_cast<int>((i * stepX) >> 16), row);
        }
        return keep(result.detach());
    }
    std::vector<Footprint> columns = footprints(sx, sw, w), rows = footprints(sy, sh, h);
    for (int j = 0; j < h; ++j) {
        const Footprint& fy = rows[j];
        for (int i = 0; i < w; ++i) {
            const Footprint& fx = columns[i];
            int64_t sums[4] = {0, 0, 0, 0};
            int64_t total = 0;
            for (size_t b = 0; b < fy.weights.size(); ++b)
                for (size_t a = 0; a < fx.weights.size(); ++a) {
                    // Weights scaled down to keep the products well inside 64 bits.
                    int64_t weight = (fy.weights[b] >> 4) * (fx.weights[a] >> 4);
                    uint32_t p = at(fx.first + static_cast<int>(a), fy.first + static_cast<int>(b));
                    for (int c = 0; c < 4; ++c) sums[c] += static_cast<int64_t>((p >> (8 * c)) & 0xFF) * weight;
                    total += weight;
                }
            uint32_t value = 0;
            for (int c = 0; c < 4; ++c)
                value |= static_cast<uint32_t>(total > 0 ? (sums[c] + total / 2) / total : 0) << (8 * c);
            out[j * w + i] = value;
        }
    }
    return keep(result.detach());
}

window::Image* BitmapScaler::quarterTurn(int quarters) {
    bool swap = quarters % 2 == 1;
    int w = swap ? sh : sw, h = swap ? sw : sh;
    lang::Ref<window::Image> result = blankPicture(w, h);
    if (!result) return nullptr;
    uint32_t* out = result->getPixels();
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            // The source pixel that lands on (i, j) after turning clockwise.
            int u, v;
            if (quarters == 1) {
                u = j;
                v = sh - 1 - i;
            } else if (quarters == 2) {
                u = sw - 1 - i;
                v = sh - 1 - j;
            } else {
                u = sw - 1 - j;
                v = i;
            }
            out[j * w + i] = at(sx + u, sy + v);
        }
    return keep(result.detach());
}

window::Image* BitmapScaler::rotate(double angle, double zoom, int quality) {
    if (pixels == nullptr || sw < 1 || sh < 1 || zoom <= 0) return nullptr;
    double quarters = angle / (M_PI / 2);
    double whole = std::round(quarters);
    if (zoom == 1.0 && std::fabs(quarters - whole) < 1e-9) {
        int q = ((static_cast<int>(whole) % 4) + 4) % 4;
        if (q == 0) return scale(sw, sh, 0);
        return quarterTurn(q);
    }
    // Rotation and zoom in 16.16, and its inverse for reading the source.
    int64_t cosZ = std::llround(std::cos(angle) * zoom * One), sinZ = std::llround(std::sin(angle) * zoom * One);
    int64_t cosI = std::llround(std::cos(angle) / zoom * One), sinI = std::llround(std::sin(angle) / zoom * One);
    int64_t halfW = static_cast<int64_t>(sw) << 15, halfH = static_cast<int64_t>(sh) << 15;
    int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
    for (int corner = 0; corner < 4; ++corner) {
        int64_t cx = corner & 1 ? halfW : -halfW, cy = corner & 2 ? halfH : -halfH;
        int64_t tx = (cx * cosZ - cy * sinZ) >> 16, ty = (cx * sinZ + cy * cosZ) >> 16;
        minX = std::min(minX, tx);
        maxX = std::max(maxX, tx);
        minY = std::min(minY, ty);
        maxY = std::max(maxY, ty);
    }
    int w = static_cast<int>((maxX - minX) >> 16) + 1, h = static_cast<int>((maxY - minY) >> 16) + 1;
    lang::Ref<window::Image> result = blankPicture(w, h);
    if (!result) return nullptr;
    uint32_t* out = result->getPixels();
    int64_t centreX = static_cast<int64_t>(w) << 15, centreY = static_cast<int64_t>(h) << 15;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            // Pixel centres relative to the target's centre, mapped back into the source.
            int64_t dx = (static_cast<int64_t>(i) << 16) + (One >> 1) - centreX;
            int64_t dy = (static_cast<int64_t>(j) << 16) + (One >> 1) - centreY;
            int64_t u = ((dx * cosI + dy * sinI) >> 16) + halfW - (One >> 1);
            int64_t v = ((-dx * sinI + dy * cosI) >> 16) + halfH - (One >> 1);
            uint32_t value = 0;
            if (quality == 0) {
                int64_t px = (u + (One >> 1)) >> 16, py = (v + (One >> 1)) >> 16;
                if (px >= 0 && py >= 0 && px < sw && py < sh)
                    value = at(sx + static_cast<int>(px), sy + static_cast<int>(py));
            } else {
                int64_t px = u >> 16, py = v >> 16;
                int64_t fx = u & (One - 1), fy = v & (One - 1);
                uint32_t near[4];
                int64_t weights[4] = {(One - fx) * (One - fy) >> 16, fx * (One - fy) >> 16, (One - fx) * fy >> 16,
                                      fx * fy >> 16};
                bool any = false;
                for (int k = 0; k < 4; ++k) {
                    int64_t qx = px + (k & 1), qy = py + (k >> 1);
                    bool inside = qx >= 0 && qy >= 0 && qx < sw && qy < sh;
                    near[k] = inside ? at(sx + static_cast<int>(qx), sy + static_cast<int>(qy)) : 0;
                    any = any || inside;
                }
                if (any && weights[0] + weights[1] + weights[2] + weights[3] > 0) value = blend4(near, weights);
            }
            out[j * w + i] = value;
        }
    return keep(result.detach());
}

}  // namespace sprite
