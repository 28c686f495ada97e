#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fontgen {

constexpr int kGlyphCount = 224;  // characters 32..255

struct Options {
    std::string fontFile;
    int pixelSize = 16;
    uint32_t color = 0xFFFFFF;
    bool hasShadow = false;
    uint32_t shadow = 0x000000;  // drawn one pixel right and down, under the glyph
    int embolden = 0;            // outline emboldening in 1/64 pixel
};

struct GlyphMetrics {
    int sheetX = 0, sheetY = 0, width = 0, height = 0, xOffset = 0, advance = 0;
};

struct BitmapFont {
    int sheetWidth = 0, sheetHeight = 0;
    std::vector<uint32_t> sheet;  // 0xAARRGGBB
    GlyphMetrics glyphs[kGlyphCount];
    // The metrics as the game reads them: six signed integers per glyph.
    std::vector<uint32_t> metricsPixels() const;
};

// Renders the characters 32..255 of Windows-1252; false with a message on failure.
bool render(const Options& options, BitmapFont& out, std::string* error);

}  // namespace fontgen
