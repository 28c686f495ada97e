#pragma once

#include <cstdint>
#include <vector>

#include "sprite/Sprite.h"

namespace window {
class Color;
class Font;
}  // namespace window

namespace sprite {

class DialogSprite;
class NewFontSprite;

// A series of whole numbers drawn as a line graph into a picture of its own:
// a framed plot area, tick marks, value labels on the left, the first and last
// point numbers below, and a three-stroke line through the points. The picture
// is rendered again lazily after any change.
class LineGraphSprite : public Sprite {
    MENTARIUM_METACLASS(LineGraphSprite)

public:
    LineGraphSprite();
    LineGraphSprite(int w, int h);
    ~LineGraphSprite() override;
    MENTARIUM_CLASS(LineGraphSprite, Sprite)

    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    void setVisible(bool value) override;
    Sprite* clone() override;
    void setImage(window::Image* picture) override;
    void setSize(int w, int h) override;
    void unloadImage() override;
    void loadImage() override;

    void clearPoints();
    void addPoint(int value);
    int pointCount() const { return static_cast<int>(points.size()); }
    // The newest point's position in the picture, (0, 0) without points.
    void getNewestPoint(int& px, int& py);
    void setXCaption(DialogSprite* container, const lang::String& captionName, int offset);
    void setYCaption(DialogSprite* container, const lang::String& captionName, int offset);
    void setGraphBackground(uint32_t argb);
    void setFillColor(uint32_t argb);
    void setFrameColor(uint32_t rgb);
    void setFrameWidth(int w);
    void setValueDigits(int digits);
    void setGridColor(uint32_t rgb);
    void setLabelColor(uint32_t rgb);
    void setMostXDivisions(int n);
    void setMostYDivisions(int n);
    void setXTickLength(int n);
    void setYTickLength(int n);
    void setInset(int n);
    void setHeadroom(int percent);
    void setLineWidth(int w);
    void setLineColors(uint32_t outer, uint32_t middle, uint32_t inner);
    // Labels drawn through this text sprite instead of the label font (a reference is kept).
    void setLabelSprite(NewFontSprite* sprite);
    // The value axis in round steps (1, 2, 2.5 or 5 times a power of ten), each
    // division labelled and tall enough for its label, at most the most y divisions.
    void setRoundSteps(bool on);
    // A dot of this radius on every point (when the points lie far enough apart),
    // and a larger one on the best (highest, newest among equals); radius 0: none.
    void setPointMarks(int radius, uint32_t fill, uint32_t outline);
    void setBestMark(int radius, uint32_t fill, uint32_t outline);

    // The smallest round step with at most n divisions over lo .. hi; lo and hi
    // become multiples of it (hi above lo). Answers the step.
    static int roundStep(int& lo, int& hi, int n);
    bool isGraphDirty() const { return graphDirty; }

    // The value axis after rounding to the leading digits; lo and hi are changed in place.
    static void roundValueRange(int& lo, int& hi, int valueDigits);
    // Divides (lo, hi) into at most n steps of at least m pixels, centring the
    // whole steps in the span; lo and hi are changed in place.
    static int divide(int& lo, int& hi, int n, int m);

    // The last rendering's axis and divisions, for inspection.
    struct Layout {
        int minValue = 0, maxValue = 0;
        int left = 0, top = 0, right = 0, bottom = 0;
        int x0 = 0, x1 = 0, y0 = 0, y1 = 0, xEnd = 0;
        int nx = 1, ny = 1;
    };
    const Layout& lastLayout() const { return layout; }
    // The last rendering's best point in the picture (0, 0 without points).
    void getBestPoint(int& px, int& py);

private:
    void markDirty();
    template <typename T>
    void setField(T& field, T value);
    bool ownsPicture() const;
    void render();
    void placeCaptions();
    // The container's child of that name becomes the caption in slot (none when absent).
    void adoptCaption(Sprite*& slot, int& offsetSlot, DialogSprite* container, const lang::String& captionName,
                      int offset);
    void drawLabel(window::Graphics* g, int value, int lx, int baseline, int align);
    int labelWidth(int value);
    int labelHeight();
    window::Font* labelFont();

    std::vector<int> points;
    uint32_t background = 0xFFFFFFFFu;
    uint32_t fillColor = 0;
    uint32_t frameColor = 0xFF000000u;
    int frameWidth = 1;
    int valueDigits = 1;
    Sprite* xCaption = nullptr;
    int xCaptionOffset = 0;
    Sprite* yCaption = nullptr;
    int yCaptionOffset = 0;
    uint32_t gridColor = 0xFF000000u;
    int gridWidth = 1;
    int edgeMargin = 0;
    int smallestXStep = 2, smallestYStep = 2;
    int mostXDivisions = 2, mostYDivisions = 2;
    int xTickLength = -1, yTickLength = -1;
    NewFontSprite* labelSprite = nullptr;
    bool xLabelsOutside = true, yLabelsOutside = true;
    window::Font* font = nullptr;  // made on first use
    uint32_t labelColor = 0xFF000000u;
    int labelGap = 3;
    int inset = 0;
    int headroom = 0;
    uint32_t outerColor = 0xFF000000u, middleColor = 0xFF000000u, innerColor = 0xFF000000u;
    int lineWidth = 2;
    bool roundSteps = false;
    struct Mark {
        int radius = 0;
        uint32_t fill = 0, outline = 0;
        bool operator==(const Mark&) const = default;
    };
    Mark pointMark, bestMark;
    void drawMark(window::Graphics* g, const Mark& mark, int px, int py);
    int newestX = 0, newestY = 0;
    int bestX = 0, bestY = 0;
    bool graphDirty = false;
    Layout layout;
};

}  // namespace sprite
