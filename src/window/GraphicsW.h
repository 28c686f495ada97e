#pragma once

#include "window/Color.h"
#include "window/Graphics.h"

namespace platform {
class DeviceContext;
}

namespace window {

// Draws through a device context: the game window, a paint context or a memory
// context. Colours go to the context opaque.
class GraphicsW : public Graphics {
public:
    // Keeps a reference to the target (may be null) and saves its state.
    explicit GraphicsW(CDC* target);
    // On the game window's context.
    GraphicsW();
    GraphicsW(const GraphicsW&) = delete;
    GraphicsW& operator=(const GraphicsW&) = delete;
    ~GraphicsW() override;
    MENTARIUM_CLASS(GraphicsW, Graphics)

    bool drawImage(Image* image, int x, int y) override;
    bool drawShadow(Image* image, int x, int y) override;
    void plot(int x, int y) override;
    void setPixel(int x, int y, uint32_t argb) override;
    uint32_t getPixel(int x, int y) override;
    int setDrawMode(int mode) override;
    void clipRect(int x, int y, int width, int height) override;
    void excludeRect(int x, int y, int width, int height) override;
    void setClip(util::Region* region) override;
    util::Region* getClip() override;
    util::RectangleNM* getClipBounds() override;
    Graphics* create() override;
    void dispose() override;
    void fillOval(int x, int y, int width, int height) override;
    void fillRect(int x, int y, int width, int height) override;
    void fillRectColor(int x, int y, int width, int height, uint32_t argb) override;
    void setColor(const Color* color) override;
    void drawString(const lang::String* text, int x, int baseline) override;
    void drawChars(const char* text, int offset, int length, int x, int baseline) override;
    void drawLine(int x1, int y1, int x2, int y2, int width) override;
    void drawPolyline(const util::Polygon* polygon, int width) override;
    void drawPolygon(const util::Polygon* polygon) override;
    void fillPolygon(const util::Polygon* polygon) override;
    void drawStringInRect(const lang::String* text, const util::RectangleNM* rect) override;
    void setFont(Font* font) override;
    void drawBezier(const int* points, int count, int dx, int dy, double scale) override;
    void fillBezier(const int* points, int count, double scale) override;
    void getTranslation(int* x, int* y) override;
    void translate(int dx, int dy) override;
    CDC* getTempDC(void* window) override;
    CDC* getTempDC() override;
    CDC* getDC() override;
    FancyHelper* getFancyHelper() override;
    void ensureDC() override;

    uint32_t getColorValue() const { return color_.value; }
    int getDrawMode() const { return drawMode_; }

protected:
    // The context to draw on after ensureDC(), or null when there is none.
    platform::DeviceContext* context();
    // Takes a reference to target and saves its state (restored on dispose).
    void attach(CDC* target);
    void detach();  // drawing lock held

    Color color_{0};
    CDC* target_ = nullptr;
    int savedState_ = 0;
    Font* font_ = nullptr;
    CDC* tempDC_ = nullptr;
    int tempSavedState_ = 0;
    int tx_ = 0;
    int ty_ = 0;
    int drawMode_ = DrawNormal;
};

}  // namespace window
