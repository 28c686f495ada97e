#pragma once

#include <cstdint>
#include <vector>

#include "lang/String.h"
#include "sprite/AnimateSprite.h"
#include "sprite/GlyphTable.h"

namespace window {
class Event;
}

namespace sprite {

// Text in a bitmap font made of a glyph sheet and a metrics picture: measured,
// aligned, wrapped and truncated; it can reveal itself letter by letter and
// serve as a one-line input field with a caret. x is the left edge, the
// centre or the right edge by the alignment.
class NewFontSprite : public AnimateSprite {
    MENTARIUM_METACLASS(NewFontSprite)

public:
    enum Align { Left = 0, Centre = 1, Right = 2 };
    enum Style { FaceMask = 3, Underline = 4, StrikeThrough = 8 };
    static constexpr char Ellipsis = static_cast<char>(0x85);

    NewFontSprite() = default;
    ~NewFontSprite() override;
    MENTARIUM_CLASS(NewFontSprite, AnimateSprite)

    // Pictures: glyph sheet, metrics. Numbers: x, y, alignment, packed colour
    // factors, line spacing, wrap width, tracking.
    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    util::RectangleNM* getBounds() override;
    Sprite* clone() override;
    void setColorFactors(int alpha, int red, int green, int blue) override;
    void loadImage() override;
    void unloadImage() override;

    virtual void keyTyped(window::Event* event, int maxLength, bool filter);
    virtual void truncateToWidth(int max);
    virtual void wrapToWidth(int max);

    void setFont(window::Image* sheet, window::Image* metricsPicture);
    // Faces 1 to 3, chosen per character through the style table.
    void setFace(int face, window::Image* sheet, window::Image* metricsPicture);
    void setText(const lang::String& t);
    const lang::String& getText() const { return text; }
    void revealText(const lang::String& t, int speed);
    void setRevealPaused(bool flag);
    bool isRevealing() const { return revealTicks >= 0; }
    int getRevealCount() const { return revealCount; }
    // The text of a resource archive item; a missing item gives an empty text.
    void setTextFromItem(const lang::String& itemName);
    void setLineSpacing(int spacing);
    void setTracking(int value);
    void setAlignment(int a);
    int getAlignment() const { return alignment; }
    void setWrapWidth(int w) { wrapWidth = w; }
    void setAlignLines(bool flag);
    void setCaret(bool on, bool atEnd);
    void setCaretColor(uint32_t argb) { caretColor = argb; }
    int getCursor() const { return cursor; }
    void setCursor(int c);
    // One packed factor word (alpha, red, green, blue bytes) and one style per
    // character; empty vectors drop the tables.
    void setCharacterColors(const std::vector<int32_t>& colors);
    void setCharacterStyles(const std::vector<int32_t>& styles);
    // Shows this picture in place of the text; null returns to the text.
    void setFixedPicture(window::Image* picture);
    int getOverhang() const { return overhang; }
    // Scrolls the text as one line through a window of the wrap width:
    // pixelsPerStep (negative scrolls right) every framesPerStep frames.
    // Without looping the ticker ends, and notifies, when the text has passed.
    void startTicker(int framesPerStep, int pixelsPerStep, bool looping);
    void stopTicker();
    bool isTickerRunning() const;
    int getTickerFirst() const { return tickerFirst; }
    int getTickerOffset() const { return tickerOffset; }
    int getTickerLoops() const { return tickerLoops; }
    // Width of one line of text as measuring counts it.
    int measureLine(const lang::String& line) const;

protected:
    void measure();
    // Changes a field the size depends on, repainting the old and new area.
    void setMeasured(int& field, int value);
    // The width of the line that starts at index start (up to its line feed).
    int lineWidthFrom(int start) const;
    // The pen x where the line starting at index start begins.
    int lineStart(int left, int start) const;
    int faceOf(int i) const;
    GlyphTable tableOf(int face) const;
    window::Image* sheetOf(int face) const;
    // The factors of character i as packed alpha/red/green/blue bytes.
    int32_t factorsOf(int i) const;
    void drawGlyph(window::Graphics* g, int face, const GlyphMetrics& m, int penX, int penY, int i);
    // The pen advance of character i on a ticker line (a line feed counts as a space).
    int tickerAdvance(int i) const;
    void stepTicker();
    void paintTicker(window::Graphics* g, int left);

    lang::String text;
    int alignment = Left;
    window::Image* metrics = nullptr;
    int caretMargin = 0;
    int overhang = 0;
    int tracking = 0;
    int lineSpacing = 0;
    int wrapWidth = 0;
    uint32_t caretColor = 0xFF000000u;
    bool textSet = false;
    bool caretOn = false;
    bool caretAtEnd = false;
    bool caretBlink = true;
    int cursor = 0;
    int caretWidth = 1;
    bool alignLines = true;
    int revealCount = -1, revealTicks = -1, revealSpeed = 0;
    bool revealPaused = false;
    int tickerCounter = 0, tickerFrames = 0, tickerPixels = 0;
    bool tickerLoop = false;
    int tickerLoops = 0, tickerFirst = 0, tickerOffset = 0;
    window::Image* altSheets[3] = {nullptr, nullptr, nullptr};
    window::Image* altMetrics[3] = {nullptr, nullptr, nullptr};
    std::vector<int32_t> charColors;
    std::vector<int32_t> charStyles;
    int32_t colorFactors = static_cast<int32_t>(0x80808080u);
    window::Image* fixedPicture = nullptr;
};

}  // namespace sprite
