#include "TextWidth.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <stdexcept>

namespace svgkit {

namespace {

// The face of the regular or bold weight, opened once (the tool is short-lived).
FT_Face face(bool bold) {
    static FT_Library library = nullptr;
    static FT_Face faces[2] = {nullptr, nullptr};
    FT_Face& f = faces[bold ? 1 : 0];
    if (f) return f;
    if (!library && FT_Init_FreeType(&library) != 0) throw std::runtime_error("cannot start FreeType");
    FcInit();
    FcPattern* pattern =
        FcNameParse(reinterpret_cast<const FcChar8*>(bold ? "Liberation Sans:bold" : "Liberation Sans"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* file = nullptr;
    std::string path;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) path = reinterpret_cast<char*>(file);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    if (path.empty() || FT_New_Face(library, path.c_str(), 0, &f) != 0)
        throw std::runtime_error("cannot open the font Liberation Sans");
    return f;
}

// The next code point of UTF-8 text from at (malformed bytes count as themselves).
unsigned nextCodePoint(const std::string& s, size_t& at) {
    unsigned c = static_cast<unsigned char>(s[at++]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra) c &= 0x3F >> extra;
    for (; extra > 0 && at < s.size(); --extra) c = (c << 6) | (static_cast<unsigned char>(s[at++]) & 0x3F);
    return c;
}

}  // namespace

double textWidth(const std::string& utf8, double size, bool bold) {
    FT_Face f = face(bold);
    FT_Set_Char_Size(f, 0, static_cast<FT_F26Dot6>(std::lround(size * 64)), 72, 72);
    double width = 0;
    for (size_t at = 0; at < utf8.size();) {
        FT_UInt glyph = FT_Get_Char_Index(f, nextCodePoint(utf8, at));
        if (FT_Load_Glyph(f, glyph, FT_LOAD_NO_HINTING) == 0) width += f->glyph->linearHoriAdvance / 65536.0;
    }
    return width;
}

double fittedSize(const std::string& utf8, double size, bool bold, double maxWidth) {
    while (size > 6 && textWidth(utf8, size, bold) > maxWidth) size -= 0.25;
    return size;
}

}  // namespace svgkit
