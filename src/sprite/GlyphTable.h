#pragma once

#include <cstdint>

namespace window {
class Image;
}

namespace sprite {

// One glyph of a bitmap font: its cell in the glyph sheet, the left bearing and
// the pen advance.
struct GlyphMetrics {
    int sheetX = 0, sheetY = 0, width = 0, height = 0, xOffset = 0, advance = 0;
    // How far the cell reaches past the advance (0 when it does not).
    int overhang() const { return advance < xOffset + width ? width - advance + xOffset : 0; }
};

// Reads a bitmap font's metrics picture: six signed 32-bit values per glyph,
// record g for character 32 + g.
class GlyphTable {
public:
    // Decodes the picture's pixels when needed; a missing picture gives an empty table.
    explicit GlyphTable(window::Image* metrics);

    bool loaded() const { return records_ > 0; }
    bool has(int g) const { return g >= 0 && g < records_; }
    // The record of glyph g, or all zeros when the table does not hold it.
    GlyphMetrics at(int g) const;
    // The record index of a character: (c - 32) modulo 256.
    static int indexOf(char c) { return (static_cast<unsigned char>(c) + 256 - 32) & 0xFF; }
    int lineHeight() const { return at(0).height; }

private:
    const int32_t* data_ = nullptr;
    int stride_ = 0;  // in values
    int records_ = 0;
};

}  // namespace sprite
