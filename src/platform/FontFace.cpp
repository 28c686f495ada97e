#include "platform/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <string>

#include "platform/CodePage.h"

namespace platform {

struct FontFace::Glyph {
    int left = 0, top = 0, width = 0, rows = 0, advance = 0;
    std::vector<uint8_t> coverage;  // rows * width
};

namespace {

std::mutex& fontMutex() {
    static std::mutex m;
    return m;
}

FT_Library library() {  // lock held
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) return static_cast<FT_Library>(nullptr);
        return l;
    }();
    return lib;
}

struct FontFile {
    std::string path;
    int index = 0;
};

// fontconfig's answer for a family, remembered: "Arial" gives its metric twin.
FontFile findFontFile(const std::string& familyUtf8) {  // lock held
    static std::map<std::string, FontFile> cache;
    auto it = cache.find(familyUtf8);
    if (it != cache.end()) return it->second;
    FontFile found;
    static bool ready = FcInit() != 0;
    if (ready) {
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyUtf8.c_str()));
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        if (match) {
            FcChar8* file = nullptr;
            int index = 0;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
                found.path = reinterpret_cast<char*>(file);
            if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) found.index = index;
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    cache[familyUtf8] = found;
    return found;
}

int scaled(long units, int pixelHeight, int unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(units) * pixelHeight / unitsPerEm));
}

}  // namespace

FontFace* FontFace::open(const char* family, int pixelHeight) {
    if (pixelHeight < 1) pixelHeight = 1;
    std::string utf8 = cp1252ToUtf8(family ? family : "", std::char_traits<char>::length(family ? family : ""));
    if (utf8.empty()) utf8 = "sans-serif";
    std::lock_guard<std::mutex> hold(fontMutex());
    FT_Library lib = library();
    if (!lib) return nullptr;
    FontFile file = findFontFile(utf8);
    if (file.path.empty()) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(lib, file.path.c_str(), file.index, &face) != 0) return nullptr;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    return new FontFace(face, pixelHeight);
}

FontFace* FontFace::systemFont() {
    static FontFace* shared = open("sans-serif", 16);
    return shared;
}

FontFace::FontFace(FT_FaceRec_* face, int pixelHeight) : face_(face), pixelHeight_(pixelHeight), glyphs_(256) {
    int upem = face->units_per_EM ? face->units_per_EM : 2048;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    long ascender = face->ascender, descender = -face->descender;
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    metrics_.ascent = scaled(ascender, pixelHeight, upem);
    metrics_.descent = scaled(descender, pixelHeight, upem);
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.internalLeading = std::max(0, metrics_.height - pixelHeight);
    long lineGap = face->height - (face->ascender - face->descender);
    metrics_.externalLeading = std::max(0, scaled(lineGap, pixelHeight, upem));
    metrics_.maxCharWidth = scaled(face->max_advance_width, pixelHeight, upem);
    if (os2 && os2->xAvgCharWidth > 0) {
        metrics_.aveCharWidth = scaled(os2->xAvgCharWidth, pixelHeight, upem);
        metrics_.weight = os2->usWeightClass;
    } else {
        metrics_.aveCharWidth = std::max(1, pixelHeight / 2);
    }
}

FontFace::~FontFace() {
    std::lock_guard<std::mutex> hold(fontMutex());
    FT_Done_Face(face_);
}

const FontFace::Glyph& FontFace::glyph(unsigned char c) const {
    std::unique_ptr<Glyph>& slot = glyphs_[c];
    if (slot) return *slot;
    slot = std::make_unique<Glyph>();
    FT_UInt index = FT_Get_Char_Index(face_, cp1252ToUnicode(c));
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_RENDER) != 0) return *slot;
    FT_GlyphSlot g = face_->glyph;
    slot->advance = static_cast<int>((g->advance.x + 32) >> 6);
    const FT_Bitmap& bm = g->bitmap;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || bm.buffer == nullptr) return *slot;
    slot->left = g->bitmap_left;
    slot->top = g->bitmap_top;
    slot->width = static_cast<int>(bm.width);
    slot->rows = static_cast<int>(bm.rows);
    slot->coverage.resize(static_cast<size_t>(slot->width) * slot->rows);
    int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
    for (int y = 0; y < slot->rows; ++y) {
        const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        for (int x = 0; x < slot->width; ++x)
            slot->coverage[y * slot->width + x] = static_cast<uint8_t>(src[x] * 255 / levels);
    }
    return *slot;
}

int FontFace::measure(const char* text, int length) const {
    std::lock_guard<std::mutex> hold(fontMutex());
    int width = 0;
    for (int i = 0; i < length; ++i) width += glyph(static_cast<unsigned char>(text[i])).advance;
    return width;
}

namespace {

// Text coverage composited over a pixel: what is under it shows through by its own alpha.
uint32_t blendCoverage(uint32_t dst, uint32_t rgb, unsigned cov) {
    unsigned da = dst >> 24;
    unsigned under = da * (255 - cov);  // weight of the old colour, scaled by 255
    unsigned total = cov * 255 + under;
    if (total == 0) return dst;
    uint32_t out = ((total + 127) / 255) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        unsigned c = (rgb >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        out |= ((c * cov * 255 + d * under + total / 2) / total) << shift;
    }
    return out;
}

}  // namespace

void FontFace::draw(const Surface& surface, const std::vector<Rect>& clip, int x, int baseline, const char* text,
                    int length, uint32_t rgb) const {
    std::lock_guard<std::mutex> hold(fontMutex());
    int pen = x;
    for (int i = 0; i < length; ++i) {
        const Glyph& g = glyph(static_cast<unsigned char>(text[i]));
        Rect box{pen + g.left, baseline - g.top, pen + g.left + g.width, baseline - g.top + g.rows};
        for (const Rect& c : clip) {
            int x0 = std::max(box.left, c.left), x1 = std::min(box.right, c.right);
            int y0 = std::max(box.top, c.top), y1 = std::min(box.bottom, c.bottom);
            for (int y = y0; y < y1; ++y) {
                uint32_t* row = surface.row(y);
                const uint8_t* cov = g.coverage.data() + (y - box.top) * g.width - box.left;
                for (int px = x0; px < x1; ++px) {
                    if (cov[px]) row[px] = blendCoverage(row[px], rgb, cov[px]);
                }
            }
        }
        pen += g.advance;
    }
}

}  // namespace platform
