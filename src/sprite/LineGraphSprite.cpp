#include "sprite/LineGraphSprite.h"

#include <algorithm>

#include "lang/IntArray.h"
#include "lang/Ref.h"
#include "sprite/DialogSprite.h"
#include "sprite/NewFontSprite.h"
#include "util/Polygon.h"
#include "window/Color.h"
#include "window/Font.h"
#include "window/FontMetrics.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(LineGraphSprite)

namespace {

// The smallest power of ten p with v / p below limit.
int leadingPower(int v, int limit) {
    int p = 1;
    while (v / p >= limit && p <= 100000000) p *= 10;
    return p;
}

int intPower10(int digits) {
    int s = 1;
    for (int i = 0; i < digits && s <= 100000000; ++i) s *= 10;
    return s;
}

constexpr int LabelFontSize = 9;

}  // namespace

LineGraphSprite::LineGraphSprite() = default;

LineGraphSprite::LineGraphSprite(int w, int h) { setSize(w, h); }

LineGraphSprite::~LineGraphSprite() {
    if (xCaption) xCaption->release();
    if (yCaption) yCaption->release();
    if (labelSprite) labelSprite->release();
    if (font) font->release();
}

void LineGraphSprite::roundValueRange(int& lo, int& hi, int digits) {
    int s = intPower10(std::max(1, digits));
    if (lo < s) {
        lo = 0;
    } else {
        int p = leadingPower(lo, s);
        lo = lo / p * p;
    }
    if (hi < s) {
        hi = s;
    } else {
        int p = leadingPower(hi, s);
        hi = ((hi - 1) / p + 1) * p;
    }
    if (lo == hi) {
        int p = leadingPower(hi, s);
        lo = std::max(0, (lo / p - 1) * p);
        hi = (hi / p + 1) * p;
    }
}

int LineGraphSprite::divide(int& lo, int& hi, int n, int m) {
    int span = hi - lo;
    if (span == 0) return 1;
    n = std::max(1, n);
    while (n > 1 && span / n < m) --n;
    int r = span % n;
    if (r != 0) {
        lo += r / 2;
        hi = span / n * n + lo;
    }
    return n;
}

int LineGraphSprite::roundStep(int& lo, int& hi, int n) {
    n = std::max(1, n);
    if (hi <= lo) hi = lo + 1;
    static constexpr int kMantissas[] = {10, 20, 25, 50};
    for (long long power = 1; power <= 100000000; power *= 10)
        for (int m : kMantissas) {
            // 2.5 steps only where they stay whole numbers.
            if (m == 25 && power < 10) continue;
            const long long step = m * power / 10;
            const long long a = lo >= 0 ? lo / step * step : -((-lo + step - 1) / step) * step;
            const long long b = hi >= 0 ? (hi + step - 1) / step * step : -(-hi / step) * step;
            if ((b - a) / step <= n) {
                lo = static_cast<int>(a);
                hi = static_cast<int>(b);
                return static_cast<int>(step);
            }
        }
    return std::max(1, hi - lo);
}

bool LineGraphSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    Sprite::init(pictures, numbers);
    bool named = image != nullptr && image->getName() != nullptr && !image->getName()->isEmpty();
    if (!named && numbers && numbers->length() >= 4) setSize((*numbers)[2], (*numbers)[3]);
    return true;
}

bool LineGraphSprite::ownsPicture() const {
    return image != nullptr && (image->getName() == nullptr || image->getName()->isEmpty());
}

void LineGraphSprite::markDirty() {
    graphDirty = true;
    repaint();
}

template <typename T>
void LineGraphSprite::setField(T& field, T value) {
    if (field == value) return;
    field = value;
    markDirty();
}

void LineGraphSprite::setImage(window::Image* picture) {
    if (picture) graphDirty = true;
    Sprite::setImage(picture);
}

void LineGraphSprite::setSize(int w, int h) {
    if (w == width && h == height) return;
    if (w < 1 || h < 1) {
        Sprite::setImage(nullptr);
        Sprite::setSize(w, h);
        return;
    }
    lang::Ref<window::Image> picture(new window::Image(w, h, 0, false));
    setImage(picture.get());
}

void LineGraphSprite::unloadImage() {
    // A picture of the graph's own making could not be loaded again.
    if (image == nullptr || ownsPicture()) return;
    graphDirty = true;
    Sprite::unloadImage();
}

void LineGraphSprite::loadImage() {
    if (image == nullptr || ownsPicture()) return;
    graphDirty = true;
    Sprite::loadImage();
}

void LineGraphSprite::clearPoints() {
    if (points.empty()) return;
    points.clear();
    markDirty();
}

void LineGraphSprite::addPoint(int value) {
    points.push_back(value);
    markDirty();
}

void LineGraphSprite::getNewestPoint(int& px, int& py) {
    if (graphDirty) render();
    px = newestX;
    py = newestY;
}

void LineGraphSprite::setGraphBackground(uint32_t argb) { setField(background, argb); }
void LineGraphSprite::setFillColor(uint32_t argb) { setField(fillColor, argb); }
void LineGraphSprite::setFrameColor(uint32_t rgb) { setField(frameColor, rgb | 0xFF000000u); }
void LineGraphSprite::setFrameWidth(int w) { setField(frameWidth, w); }
void LineGraphSprite::setValueDigits(int digits) { setField(valueDigits, std::max(1, digits)); }
void LineGraphSprite::setGridColor(uint32_t rgb) { setField(gridColor, rgb | 0xFF000000u); }
void LineGraphSprite::setLabelColor(uint32_t rgb) { setField(labelColor, rgb | 0xFF000000u); }
void LineGraphSprite::setMostXDivisions(int n) { setField(mostXDivisions, n); }
void LineGraphSprite::setMostYDivisions(int n) { setField(mostYDivisions, n); }
void LineGraphSprite::setXTickLength(int n) { setField(xTickLength, n); }
void LineGraphSprite::setYTickLength(int n) { setField(yTickLength, n); }
void LineGraphSprite::setInset(int n) { setField(inset, n); }
void LineGraphSprite::setHeadroom(int percent) { setField(headroom, percent); }
void LineGraphSprite::setLineWidth(int w) { setField(lineWidth, w); }

void LineGraphSprite::setRoundSteps(bool on) { setField(roundSteps, on); }
void LineGraphSprite::setPointMarks(int radius, uint32_t fill, uint32_t outline) {
    setField(pointMark, Mark{std::max(0, radius), fill | 0xFF000000u, outline | 0xFF000000u});
}
void LineGraphSprite::setBestMark(int radius, uint32_t fill, uint32_t outline) {
    setField(bestMark, Mark{std::max(0, radius), fill | 0xFF000000u, outline | 0xFF000000u});
}

void LineGraphSprite::getBestPoint(int& px, int& py) {
    if (graphDirty) render();
    px = bestX;
    py = bestY;
}

void LineGraphSprite::drawMark(window::Graphics* g, const Mark& mark, int px, int py) {
    if (mark.radius <= 0) return;
    window::Color outline(mark.outline), fill(mark.fill);
    g->setColor(&outline);
    g->fillOval(px - mark.radius - 1, py - mark.radius - 1, 2 * mark.radius + 3, 2 * mark.radius + 3);
    g->setColor(&fill);
    g->fillOval(px - mark.radius, py - mark.radius, 2 * mark.radius + 1, 2 * mark.radius + 1);
}

void LineGraphSprite::setLineColors(uint32_t outer, uint32_t middle, uint32_t inner) {
    outer |= 0xFF000000u;
    middle |= 0xFF000000u;
    inner |= 0xFF000000u;
    if (outer == outerColor && middle == middleColor && inner == innerColor) return;
    outerColor = outer;
    middleColor = middle;
    innerColor = inner;
    markDirty();
}

void LineGraphSprite::setLabelSprite(NewFontSprite* sprite) {
    if (sprite == labelSprite) return;
    if (sprite) sprite->addRef();
    if (labelSprite) labelSprite->release();
    labelSprite = sprite;
    markDirty();
}

void LineGraphSprite::adoptCaption(Sprite*& slot, int& offsetSlot, DialogSprite* container,
                                   const lang::String& captionName, int offset) {
    Sprite* found = container ? container->findChild(captionName) : nullptr;
    if (found) found->addRef();
    if (slot) slot->release();
    slot = found;
    offsetSlot = offset;
    if (found) placeCaptions();
}

void LineGraphSprite::setXCaption(DialogSprite* container, const lang::String& captionName, int offset) {
    adoptCaption(xCaption, xCaptionOffset, container, captionName, offset);
}

void LineGraphSprite::setYCaption(DialogSprite* container, const lang::String& captionName, int offset) {
    adoptCaption(yCaption, yCaptionOffset, container, captionName, offset);
}

void LineGraphSprite::placeCaptions() {
    if (xCaption) xCaption->setLocation(xCaption->getX(), y + height + xCaptionOffset);
    if (yCaption) yCaption->setLocation(x + yCaptionOffset - yCaption->getWidth(), yCaption->getY());
}

void LineGraphSprite::setVisible(bool value) {
    if (xCaption) xCaption->setVisible(value);
    if (yCaption) yCaption->setVisible(value);
    if (value) placeCaptions();
    Sprite::setVisible(value);
}

Sprite* LineGraphSprite::clone() {
    auto* copy = new LineGraphSprite();
    copy->x = x;
    copy->y = y;
    copy->visible = visible;
    copy->shown = shown;
    copy->points = points;
    copy->background = background;
    copy->fillColor = fillColor;
    copy->frameColor = frameColor;
    copy->frameWidth = frameWidth;
    copy->valueDigits = valueDigits;
    copy->gridColor = gridColor;
    copy->gridWidth = gridWidth;
    copy->edgeMargin = edgeMargin;
    copy->smallestXStep = smallestXStep;
    copy->smallestYStep = smallestYStep;
    copy->mostXDivisions = mostXDivisions;
    copy->mostYDivisions = mostYDivisions;
    copy->xTickLength = xTickLength;
    copy->yTickLength = yTickLength;
    copy->xLabelsOutside = xLabelsOutside;
    copy->yLabelsOutside = yLabelsOutside;
    copy->labelColor = labelColor;
    copy->labelGap = labelGap;
    copy->inset = inset;
    copy->headroom = headroom;
    copy->outerColor = outerColor;
    copy->middleColor = middleColor;
    copy->innerColor = innerColor;
    copy->lineWidth = lineWidth;
    copy->roundSteps = roundSteps;
    copy->pointMark = pointMark;
    copy->bestMark = bestMark;
    if (labelSprite) {
        auto* label = static_cast<NewFontSprite*>(labelSprite->clone());
        copy->setLabelSprite(label);
        label->release();
    }
    if (font) {
        font->addRef();
        copy->font = font;
    }
    if (ownsPicture()) {
        copy->setSize(width, height);
    } else if (image) {
        copy->Sprite::setImage(image);
    }
    copy->graphDirty = true;
    return copy;
}

void LineGraphSprite::paint(window::Graphics* g) {
    if (image == nullptr || !shown) return;
    if (graphDirty) render();
    Sprite::paint(g);
}

window::Font* LineGraphSprite::labelFont() {
    if (font == nullptr) font = new window::Font("Arial", LabelFontSize);
    return font;
}

int LineGraphSprite::labelHeight() {
    if (labelSprite) {
        labelSprite->setText("0");
        return labelSprite->getHeight();
    }
    lang::Ref<window::FontMetrics> m(labelFont()->getFontMetrics());
    return m ? m->getHeight() : LabelFontSize;
}

int LineGraphSprite::labelWidth(int value) {
    lang::String text(value);
    if (labelSprite) {
        labelSprite->setText(text);
        return labelSprite->getWidth();
    }
    lang::Ref<window::FontMetrics> m(labelFont()->getFontMetrics());
    return m ? m->stringWidth(text) : 0;
}

void LineGraphSprite::drawLabel(window::Graphics* g, int value, int lx, int baseline, int align) {
    lang::String text(value);
    if (labelSprite) {
        labelSprite->setAlignment(align);
        labelSprite->setText(text);
        labelSprite->setLocation(lx, baseline - labelSprite->getHeight());
        labelSprite->setVisible(true);
        labelSprite->collectDirty(0, nullptr, nullptr);  // shows it to the painter
        labelSprite->paint(g);
        return;
    }
    int w = labelWidth(value);
    int left = align == 1 ? lx - w / 2 : align == 2 ? lx - w : lx;
    window::Color colour(labelColor);
    g->setFont(labelFont());
    g->setColor(&colour);
    g->drawString(&text, left, baseline);
}

void LineGraphSprite::render() {
    graphDirty = false;
    if (image == nullptr) return;
    int W = image->getWidth(), H = image->getHeight();
    bool own = ownsPicture();
    if (own) {
        uint32_t* pixels = image->getPixels();
        if (pixels == nullptr) return;
        std::fill(pixels, pixels + static_cast<size_t>(W) * H, background);
        image->setHasAlpha((background >> 24) != 0xFF);
    }
    lang::Ref<window::Graphics> held(image->getGraphics());
    window::Graphics* g = held.get();
    if (g == nullptr) return;

    // Value axis.
    int lo = 0, hi = 0;
    if (!points.empty()) {
        lo = *std::min_element(points.begin(), points.end());
        hi = *std::max_element(points.begin(), points.end());
    }
    // Margins and plot area (the left margin waits for the widest value label).
    int h = labelHeight();
    int top = std::max(edgeMargin, h - h / 2);
    int right = edgeMargin;
    int bottom = xLabelsOutside ? 2 * labelGap + h : std::max(edgeMargin, h / 2);
    int T = top, R = W - right - 1, B = H - bottom - 1;
    int valueStep = 0;
    if (roundSteps) {
        // One value alone is shown against zero; zero alone, or nothing, on 0 .. 100.
        if (hi == lo) {
            if (lo > 0) lo = 0;
            else
                hi = lo + 100;
        }
        int b0 = inset > 0 ? std::min((B - T) / 2, inset) : 0;
        int roomy = std::max(1, (B - T - 2 * b0) / (h + 2));  // divisions that fit their labels
        valueStep = roundStep(lo, hi, std::min(std::max(1, mostYDivisions), roomy));
    } else {
        roundValueRange(lo, hi, valueDigits);
    }
    int left = yLabelsOutside ? std::max(labelWidth(lo), labelWidth(hi)) + 2 * labelGap : edgeMargin;
    int L = left;

    if (fillColor != 0) g->fillRectColor(L, T, R - L + 1, B - T + 1, fillColor);
    window::Color frame(frameColor);
    g->setColor(&frame);
    g->drawLine(L, T, L, B + 1, frameWidth);
    g->drawLine(L, B, R + 1, B, frameWidth);
    g->drawLine(R, T, R, B + 1, frameWidth);
    g->drawLine(L, T, R + 1, T, frameWidth);

    int a = inset > 0 ? std::min((R - L) / 2, inset) : 0;
    int b = inset > 0 ? std::min((B - T) / 2, inset) : 0;
    int x0 = L + a, x1 = R - a, y0 = T + b, y1 = B - b;

    int n = std::max(1, pointCount());
    int q = std::min(50, std::max(headroom, 100 / n));
    int xEnd = (x1 - x0) * (100 - q) / 100 + x0;

    int nx = pointCount() < 2 ? 1 : divide(x0, xEnd, std::min(mostXDivisions, pointCount() - 1), smallestXStep);
    int ny = roundSteps          ? divide(y0, y1, (hi - lo) / valueStep, 1)
             : points.empty()    ? 1
             : pointCount() == 1 ? 2
                                 : divide(y0, y1, mostYDivisions, smallestYStep);
    int xStep = (xEnd - x0) / nx, yStep = (y1 - y0) / ny;

    // Ticks: rising from the bottom edge and reaching in from the left edge.
    window::Color grid(gridColor);
    g->setColor(&grid);
    auto tickLength = [](int length, int full, int i) {
        if (length < 0) return full;
        return i % 2 == 1 ? length / 2 : length;
    };
    for (int i = 1; i < nx; ++i) {
        int tx = x0 + i * xStep;
        int len = tickLength(xTickLength, B - T + 1, i);
        g->drawLine(tx, B - len + 1, tx, B + 1, gridWidth);
    }
    for (int i = 1; i < ny; ++i) {
        int ty = y0 + i * yStep;
        int len = tickLength(yTickLength, R - L + 1, i);
        g->drawLine(L, ty, L + len, ty, gridWidth);
    }

    // Points and the line through them.
    newestX = newestY = 0;
    auto yOf = [&](int v) {
        if (hi == lo) return y0;
        return static_cast<int>(y1 + static_cast<long long>(v - lo) * (y0 - y1) / (hi - lo));
    };
    bestX = bestY = 0;
    if (pointCount() == 1) {
        newestX = bestX = xEnd;
        newestY = bestY = yOf(points[0]);
        drawMark(g, pointMark, newestX, newestY);
        drawMark(g, bestMark, bestX, bestY);
    } else if (pointCount() > 1) {
        int count = pointCount();
        std::vector<int> xs(count), ys(count);
        for (int i = 0; i < count; ++i) {
            xs[i] = x0 + static_cast<int>(static_cast<long long>(i) * (xEnd - x0) / (count - 1));
            ys[i] = yOf(points[i]);
        }
        lang::Ref<util::Polygon> line(new util::Polygon());
        line->setPoints(xs.data(), ys.data(), count);
        if (outerColor == middleColor && middleColor == innerColor) {
            window::Color c(middleColor);
            g->setColor(&c);
            g->drawPolyline(line.get(), lineWidth);
        } else {
            const uint32_t colours[3] = {outerColor, middleColor, innerColor};
            const int widths[3] = {5, 3, 1};
            for (int s = 0; s < 3; ++s) {
                window::Color c(colours[s]);
                g->setColor(&c);
                g->drawPolyline(line.get(), widths[s]);
            }
        }
        // Dots only where they stay apart; the best point is marked in any case.
        if (pointMark.radius > 0 && (xs[1] - xs[0]) > 2 * pointMark.radius + 2)
            for (int i = 0; i < count; ++i) drawMark(g, pointMark, xs[i], ys[i]);
        int best = 0;
        for (int i = 1; i < count; ++i)
            if (points[i] >= points[best]) best = i;
        bestX = xs[best];
        bestY = ys[best];
        drawMark(g, bestMark, bestX, bestY);
        newestX = xs[count - 1];
        newestY = ys[count - 1];
    }

    // Every pixel drawn on a transparent background becomes opaque.
    auto alphaPass = [&]() {
        if (!own || (background >> 24) == 0xFF) return;
        uint32_t* pixels = image->getPixels();
        for (size_t i = 0, total = static_cast<size_t>(W) * H; i < total; ++i)
            if (pixels[i] != background) pixels[i] |= 0xFF000000u;
    };
    if (labelSprite) alphaPass();

    // Labels: the first and last point numbers below, the values on the left.
    int baselineX = xLabelsOutside ? B + labelGap + h + 1 : B - labelGap;
    if (pointCount() > 1) drawLabel(g, 1, std::max(0, x0 - labelWidth(1) / 2 + 1), baselineX, 0);
    drawLabel(g, pointCount(), std::min(W, xEnd + labelWidth(pointCount()) / 2), baselineX, 2);
    int yLabelX = yLabelsOutside ? L - labelGap : L + labelGap + 1;
    int yAlign = yLabelsOutside ? 2 : 0;
    int k = roundSteps ? 1 : yStep > 0 ? (h - 1) / yStep + 1 : ny + 1;
    for (int j = 0; j <= ny; j += k) {
        int value = roundSteps ? lo + j * valueStep : lo + static_cast<int>(static_cast<long long>(j) * (hi - lo) / ny);
        drawLabel(g, value, yLabelX, y1 + h / 2 + 1 - j * yStep, yAlign);
    }
    if (!labelSprite) alphaPass();
    g->dispose();

    layout.minValue = lo;
    layout.maxValue = hi;
    layout.left = L;
    layout.top = T;
    layout.right = R;
    layout.bottom = B;
    layout.x0 = x0;
    layout.x1 = x1;
    layout.y0 = y0;
    layout.y1 = y1;
    layout.xEnd = xEnd;
    layout.nx = nx;
    layout.ny = ny;
}

}  // namespace sprite
