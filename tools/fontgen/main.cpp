// fontgen: renders a TrueType font into the game's bitmap font form, a glyph
// sheet and a metrics picture, for the characters 32 to 255 of Windows-1252.
//
// The metrics picture is 6 pixels wide and 224 rows high; row g describes
// character 32 + g and its pixels, read as signed 32-bit integers, are: sheetX,
// sheetY, cell width, cell height, left bearing (xOffset) and advance.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "GlyphSheet.h"
#include "platform/PngWriter.h"

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: fontgen --font-file FILE --size PIXELS --sheet OUT.png --metrics OUT.png\n"
                 "               [--color RRGGBB] [--shadow RRGGBB] [--embolden PIXELS64]\n"
                 "Renders characters 32-255 (Windows-1252) into a glyph sheet and a metrics picture.\n");
}

bool parseColor(const char* text, uint32_t& out) {
    char* end = nullptr;
    unsigned long v = std::strtoul(text, &end, 16);
    if (end == text || *end != 0 || v > 0xFFFFFF) return false;
    out = static_cast<uint32_t>(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    fontgen::Options options;
    std::string sheetPath, metricsPath;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto need = [&]() {
            if (!value) {
                std::fprintf(stderr, "fontgen: %s needs a value\n", arg.c_str());
                std::exit(2);
            }
            ++i;
            return value;
        };
        if (arg == "--font-file") options.fontFile = need();
        else if (arg == "--size")
            options.pixelSize = std::atoi(need());
        else if (arg == "--sheet")
            sheetPath = need();
        else if (arg == "--metrics")
            metricsPath = need();
        else if (arg == "--embolden")
            options.embolden = std::atoi(need());
        else if (arg == "--color" || arg == "--shadow") {
            uint32_t c;
            if (!parseColor(need(), c)) {
                std::fprintf(stderr, "fontgen: %s wants RRGGBB\n", arg.c_str());
                return 2;
            }
            if (arg == "--color") options.color = c;
            else {
                options.shadow = c;
                options.hasShadow = true;
            }
        } else if (arg == "-h" || arg == "--help") {
            usage();
            return 0;
        } else {
            std::fprintf(stderr, "fontgen: unknown option %s\n", arg.c_str());
            usage();
            return 2;
        }
    }
    if (options.fontFile.empty() || options.pixelSize < 4 || options.pixelSize > 200 || sheetPath.empty() ||
        metricsPath.empty()) {
        usage();
        return 2;
    }
    fontgen::BitmapFont font;
    std::string error;
    if (!fontgen::render(options, font, &error)) {
        std::fprintf(stderr, "fontgen: %s\n", error.c_str());
        return 1;
    }
    if (!platform::writePng(sheetPath, font.sheet.data(), font.sheetWidth, font.sheetHeight, &error) ||
        !platform::writePng(metricsPath, font.metricsPixels().data(), 6, fontgen::kGlyphCount, &error)) {
        std::fprintf(stderr, "fontgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
