#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/DrawingTools.h"
#include "platform/RectRegion.h"
#include "platform/Surface.h"

struct FT_FaceRec_;

namespace platform {

// A scalable font at one pixel size, found through fontconfig and drawn with
// FreeType, anti-aliased. Text is Windows-1252; glyphs are cached per byte.
// All FreeType work runs under one process-wide lock, so faces may be used from
// the render and the window threads alike.
class FontFace {
public:
    // The best match for the family name (Windows-1252) with an em height of
    // pixelHeight; null when no font file can be opened.
    static FontFace* open(const char* family, int pixelHeight);
    // The face used while no font is selected; shared, never deleted.
    static FontFace* systemFont();
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const TextMetrics& metrics() const { return metrics_; }
    int pixelHeight() const { return pixelHeight_; }
    int measure(const char* text, int length) const;
    // Blends the text in rgb over the surface, left edge x, baseline y, cut to the
    // clip rectangles (inside the surface).
    void draw(const Surface& surface, const std::vector<Rect>& clip, int x, int baseline, const char* text, int length,
              uint32_t rgb) const;

private:
    struct Glyph;
    FontFace(FT_FaceRec_* face, int pixelHeight);
    const Glyph& glyph(unsigned char c) const;  // lock held

    FT_FaceRec_* face_;
    int pixelHeight_;
    TextMetrics metrics_;
    mutable std::vector<std::unique_ptr<Glyph>> glyphs_;
};

}  // namespace platform
