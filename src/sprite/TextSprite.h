#pragma once

#include <cstdint>

#include "lang/String.h"
#include "sprite/Sprite.h"

namespace window {
class Font;
}

namespace sprite {

// A line of text in a platform font, optionally outlined or on a filled
// background, with a blinking caret for input. x is the left edge, the
// centre or the right edge by the alignment.
class TextSprite : public Sprite {
    MENTARIUM_METACLASS(TextSprite)

public:
    TextSprite();
    ~TextSprite() override;
    MENTARIUM_CLASS(TextSprite, Sprite)

    // Numbers: x, y, alignment.
    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    util::RectangleNM* getBounds() override;
    Sprite* clone() override;

    void setText(const lang::String& t);
    const lang::String& getText() const { return text; }
    // Shares the font (a reference is kept).
    void setFont(window::Font* f);
    void setColors(uint32_t textRgb, uint32_t secondRgb);
    void setOutline(bool flag);
    void setFillBackground(bool flag);
    void setAlignment(int a);
    void setCaret(bool on);
    int getAscent() const { return ascent; }

    static constexpr int DefaultSize = 12;

private:
    // Re-reads the font metrics and the text's size.
    void measure();
    int leftEdge() const { return alignment == 1 ? x - width / 2 : alignment == 2 ? x - width : x; }

    lang::String text;
    window::Font* font = nullptr;
    int ascent = 0;
    uint32_t textColor = 0xFF000000u;
    uint32_t secondColor = 0xFFFFFFFFu;
    bool outline = false;
    bool fillBackground = false;
    int alignment = 0;
    bool caretOn = false;
    bool caretBlink = true;
    int caretOffset = 0;
};

}  // namespace sprite
