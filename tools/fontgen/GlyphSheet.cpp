#include "GlyphSheet.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>

#include "platform/CodePage.h"

namespace fontgen {

namespace {

constexpr int kSheetWidth = 512;
constexpr int kPadding = 1;

struct Bitmap {
    int left = 0, top = 0, width = 0, rows = 0;
    std::vector<uint8_t> coverage;
};

// Blends a coverage mask of one colour into the sheet at (x, y) with "over".
void stamp(std::vector<uint32_t>& sheet, int sheetWidth, int x, int y, const Bitmap& b, uint32_t rgb) {
    for (int r = 0; r < b.rows; ++r)
        for (int c = 0; c < b.width; ++c) {
            uint32_t a = b.coverage[r * b.width + c];
            if (a == 0) continue;
            uint32_t& d = sheet[(y + r) * sheetWidth + x + c];
            uint32_t da = d >> 24;
            uint32_t oa = a + da * (255 - a) / 255;
            auto channel = [&](int shift) {
                uint32_t sc = (rgb >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
                return oa == 0 ? 0u : (sc * a + dc * da * (255 - a) / 255) / oa;
            };
            d = (oa << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
        }
}

}  // namespace

std::vector<uint32_t> BitmapFont::metricsPixels() const {
    std::vector<uint32_t> out;
    out.reserve(kGlyphCount * 6);
    for (const GlyphMetrics& g : glyphs)
        for (int v : {g.sheetX, g.sheetY, g.width, g.height, g.xOffset, g.advance})
            out.push_back(static_cast<uint32_t>(v));
    return out;
}

bool render(const Options& options, BitmapFont& out, std::string* error) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        if (error) *error = "cannot start FreeType";
        return false;
    }
    FT_Face face;
    if (FT_New_Face(library, options.fontFile.c_str(), 0, &face) != 0) {
        FT_Done_FreeType(library);
        if (error) *error = "cannot open font " + options.fontFile;
        return false;
    }
    FT_Set_Pixel_Sizes(face, 0, options.pixelSize);
    int shadow = options.hasShadow ? 1 : 0;
    int ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
    int descent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);
    int lineHeight = ascent + descent + shadow;

    Bitmap bitmaps[kGlyphCount];
    int advances[kGlyphCount] = {};
    for (int g = 0; g < kGlyphCount; ++g) {
        unsigned code = platform::cp1252ToUnicode(static_cast<unsigned char>(32 + g));
        if (code == 0) code = '?';
        if (FT_Load_Char(face, code, FT_LOAD_DEFAULT) != 0) continue;
        if (options.embolden > 0 && face->glyph->format == FT_GLYPH_FORMAT_OUTLINE)
            FT_Outline_Embolden(&face->glyph->outline, options.embolden);
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) continue;
        const FT_Bitmap& fb = face->glyph->bitmap;
        Bitmap& b = bitmaps[g];
        b.left = face->glyph->bitmap_left;
        b.top = face->glyph->bitmap_top;
        b.width = static_cast<int>(fb.width);
        b.rows = static_cast<int>(fb.rows);
        b.coverage.resize(static_cast<size_t>(b.width) * b.rows);
        for (int r = 0; r < b.rows; ++r)
            std::copy(fb.buffer + r * fb.pitch, fb.buffer + r * fb.pitch + b.width, b.coverage.begin() + r * b.width);
        advances[g] = static_cast<int>((face->glyph->advance.x + 32) >> 6) + (options.embolden + 32) / 64;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);

    // Lay the cells out in rows of the sheet width.
    int x = 0, y = 0;
    for (int g = 0; g < kGlyphCount; ++g) {
        GlyphMetrics& m = out.glyphs[g];
        const Bitmap& b = bitmaps[g];
        m.width = std::max(1, b.width + shadow);
        m.height = lineHeight;
        m.xOffset = b.width > 0 ? b.left : 0;
        m.advance = advances[g];
        if (x + m.width + kPadding > kSheetWidth) {
            x = 0;
            y += lineHeight + kPadding;
        }
        m.sheetX = x;
        m.sheetY = y;
        x += m.width + kPadding;
    }
    out.sheetWidth = kSheetWidth;
    out.sheetHeight = y + lineHeight;
    out.sheet.assign(static_cast<size_t>(out.sheetWidth) * out.sheetHeight, 0);
    for (int g = 0; g < kGlyphCount; ++g) {
        const GlyphMetrics& m = out.glyphs[g];
        const Bitmap& b = bitmaps[g];
        if (b.width == 0) continue;
        int top = m.sheetY + ascent - b.top;
        if (top < m.sheetY) top = m.sheetY;  // accents that reach above the ascent are cut at the cell
        Bitmap clipped = b;
        int skip = m.sheetY + ascent - b.top < m.sheetY ? m.sheetY - (m.sheetY + ascent - b.top) : 0;
        clipped.rows = std::min(b.rows - skip, m.sheetY + lineHeight - shadow - top);
        if (clipped.rows <= 0) continue;
        clipped.coverage.assign(b.coverage.begin() + skip * b.width,
                                b.coverage.begin() + (skip + clipped.rows) * b.width);
        if (shadow) stamp(out.sheet, out.sheetWidth, m.sheetX + 1, top + 1, clipped, options.shadow);
        stamp(out.sheet, out.sheetWidth, m.sheetX, top, clipped, options.color);
    }
    return true;
}

}  // namespace fontgen
