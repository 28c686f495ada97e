#pragma once

#include <cstdint>

#include "lang/Object.h"
#include "lang/String.h"

namespace util {
class Polygon;
class RectangleNM;
class Region;
}  // namespace util

namespace window {

class CDC;
class Color;
class FancyHelper;
class Font;
class Image;

// The one drawing contract every sprite paints through: on a device context
// (GraphicsW) or into an image's pixels with effects (GraphicsI). Coordinates
// get the translation added unless an operation says otherwise.
class Graphics : public lang::Object {
public:
    MENTARIUM_CLASS(Graphics, lang::Object)

    // Draw modes: how drawn pixels combine with what is there.
    static constexpr int DrawNormal = 0;
    static constexpr int DrawAdditive = 1;  // each channel is added, saturating

    virtual bool drawImage(Image* image, int x, int y) = 0;
    virtual bool drawShadow(Image* image, int x, int y) = 0;
    virtual void plot(int x, int y) = 0;
    virtual void setPixel(int x, int y, uint32_t argb) = 0;
    virtual uint32_t getPixel(int x, int y) = 0;
    virtual int setDrawMode(int mode) = 0;  // 19: the previous mode
    virtual void clipRect(int x, int y, int width, int height) = 0;
    virtual void excludeRect(int x, int y, int width, int height) = 0;
    virtual void setClip(util::Region* region) = 0;
    virtual util::Region* getClip() = 0;             // 23: new
    virtual util::RectangleNM* getClipBounds() = 0;  // 24: new
    virtual Graphics* create() = 0;                  // 25: new
    virtual void dispose() = 0;
    virtual void fillOval(int x, int y, int width, int height) = 0;  // 27: not translated
    virtual void fillRect(int x, int y, int width, int height) = 0;
    virtual void fillRectColor(int x, int y, int width, int height, uint32_t argb) = 0;
    virtual void setColor(const Color* color) = 0;
    virtual void drawString(const lang::String* text, int x, int baseline) = 0;
    virtual void drawChars(const char* text, int offset, int length, int x, int baseline) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2, int width) = 0;
    virtual void drawPolyline(const util::Polygon* polygon, int width) = 0;
    virtual void drawPolygon(const util::Polygon* polygon) = 0;
    virtual void fillPolygon(const util::Polygon* polygon) = 0;
    // Not translated.
    virtual void drawStringInRect(const lang::String* text, const util::RectangleNM* rect) = 0;
    virtual void setFont(Font* font) = 0;
    // points: count (x, y) pairs.
    virtual void drawBezier(const int* points, int count, int dx, int dy, double scale) = 0;
    virtual void fillBezier(const int* points, int count, double scale) = 0;
    virtual void getTranslation(int* x, int* y) = 0;
    virtual void translate(int dx, int dy) = 0;
    virtual CDC* getTempDC(void* window) = 0;  // 43: new
    virtual CDC* getTempDC() = 0;              // 44: cached
    virtual CDC* getDC() = 0;
    virtual FancyHelper* getFancyHelper() = 0;
    virtual void ensureDC() = 0;
};

}  // namespace window
