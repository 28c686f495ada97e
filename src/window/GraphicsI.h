#pragma once

#include "platform/RectRegion.h"
#include "util/RectangleNM.h"
#include "window/GraphicsW.h"
#include "window/PixelLoops.h"

namespace window {

// Draws into an image's pixels: blits with alpha, additive light, colour factors
// and shadows, fills and pixels with its own loops. Text, lines and shapes go
// through a context opened on the image when first needed.
class GraphicsI : public GraphicsW {
public:
    // Keeps a reference to both; effects may be null (made neutral on first use).
    GraphicsI(Image* image, FancyHelper* effects);
    ~GraphicsI() override;
    MENTARIUM_CLASS(GraphicsI, GraphicsW)

    bool drawImage(Image* image, int x, int y) override;
    bool drawShadow(Image* image, int x, int y) override;
    void plot(int x, int y) override;
    void setPixel(int x, int y, uint32_t argb) override;
    uint32_t getPixel(int x, int y) override;
    void clipRect(int x, int y, int width, int height) override;
    Graphics* create() override;
    void fillRect(int x, int y, int width, int height) override;
    void fillRectColor(int x, int y, int width, int height, uint32_t argb) override;
    void drawLine(int x1, int y1, int x2, int y2, int width) override;
    FancyHelper* getFancyHelper() override;
    void ensureDC() override;
    virtual Image* getImage();

    // In surface pixels; only ever shrinks.
    const util::RectangleNM& getClipRect() const { return clip_; }

private:
    pixels::PixelTarget pixelTarget();
    platform::Rect clipRectEdges() const;
    // Calls draw(area) for each place blits may draw: the context's clip
    // rectangles once a context is open, else the clip rectangle. No allocation.
    template <class DrawFn>
    void forEachClipArea(DrawFn&& draw);
    uint32_t* pixelAt(int x, int y);  // translated; null outside the image

    Image* image_;
    FancyHelper* effects_;
    util::RectangleNM clip_;
    bool contextOpened_ = false;
};

}  // namespace window
