#pragma once

#include "lang/Object.h"
#include "lang/String.h"
#include "platform/DrawingTools.h"

namespace window {

class Font;

// The text metrics of a font, read once through a screen context.
class FontMetrics : public lang::Object {
public:
    explicit FontMetrics(Font* font);
    MENTARIUM_CLASS(FontMetrics, lang::Object)

    int getHeight() const { return metrics_.height; }
    int getAscent() const { return metrics_.ascent; }
    int getDescent() const { return metrics_.descent; }
    int getAverageCharWidth() const { return metrics_.aveCharWidth; }
    const platform::TextMetrics& getTextMetrics() const { return metrics_; }
    // The advance width of a text in pixels (0 once the font is gone).
    int stringWidth(const lang::String& text) const;
    int charsWidth(const char* text, int length) const;

private:
    friend class Font;
    Font* font_;  // back reference, cleared when the font goes
    platform::TextMetrics metrics_;
};

}  // namespace window
