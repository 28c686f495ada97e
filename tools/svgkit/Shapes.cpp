#include "Shapes.h"

#include <map>
#include <stdexcept>
#include <vector>

namespace svgkit {

namespace {

// Path data in a 100 x 100 box. Icons first, then the tile motifs.
const std::vector<std::pair<std::string, std::string>>& paths() {
    static const std::vector<std::pair<std::string, std::string>> table = {
        {"circle", "M50 12 A38 38 0 1 1 49.9 12 Z"},
        {"square", "M18 18 H82 V82 H18 Z"},
        {"triangle", "M50 12 L88 84 H12 Z"},
        {"diamond", "M50 8 L88 50 L50 92 L12 50 Z"},
        {"star", "M50 8 L61 38 L93 38 L67 57 L77 89 L50 70 L23 89 L33 57 L7 38 L39 38 Z"},
        {"heart", "M50 86 C20 64 8 48 14 30 C20 14 42 12 50 30 C58 12 80 14 86 30 C92 48 80 64 50 86 Z"},
        {"hexagon", "M28 12 H72 L94 50 L72 88 H28 L6 50 Z"},
        {"cross", "M38 10 H62 V38 H90 V62 H62 V90 H38 V62 H10 V38 H38 Z"},
        {"moon", "M62 10 A40 40 0 1 0 90 66 A32 32 0 1 1 62 10 Z"},
        {"drop", "M50 8 C64 32 80 48 80 64 A30 30 0 0 1 20 64 C20 48 36 32 50 8 Z"},
        {"leaf", "M14 86 C14 40 40 14 88 12 C86 60 60 86 14 86 Z M14 86 L60 40"},
        {"flower",
         "M50 36 A14 14 0 1 1 64 50 A14 14 0 1 1 50 64 A14 14 0 1 1 36 50 A14 14 0 1 1 50 36 Z "
         "M50 22 A14 14 0 1 1 49.9 22 Z"},
        {"sun",
         "M50 28 A22 22 0 1 1 49.9 28 Z M47 4 H53 V20 H47 Z M47 80 H53 V96 H47 Z M4 47 H20 V53 H4 Z "
         "M80 47 H96 V53 H80 Z M16 20 L20 16 L32 28 L28 32 Z M68 72 L72 68 L84 80 L80 84 Z "
         "M80 16 L84 20 L72 32 L68 28 Z M20 84 L16 80 L28 68 L32 72 Z"},
        {"cloud", "M24 76 A18 18 0 0 1 24 40 A24 24 0 0 1 68 32 A20 20 0 0 1 78 76 Z"},
        {"note", "M40 18 L84 8 V66 A12 10 0 1 1 74 56 V28 L48 34 V74 A12 10 0 1 1 38 64 Z"},
        {"bolt", "M58 6 L20 56 H46 L38 94 L80 40 H54 Z"},
        {"key", "M30 20 A20 20 0 1 1 29.9 20 Z M44 52 L88 52 V62 H80 V72 H70 V62 H44 Z"},
        {"fish", "M10 50 C30 22 62 22 78 50 C62 78 30 78 10 50 Z M78 50 L94 32 V68 Z"},
        {"arrow", "M10 40 H56 V20 L92 50 L56 80 V60 H10 Z"},
        {"ring", "M50 10 A40 40 0 1 1 49.9 10 Z M50 30 A20 20 0 1 0 50.1 30 Z"},
        // Icons for buttons.
        {"speaker", "M12 36 H30 L56 14 V86 L30 64 H12 Z M66 30 C78 40 78 60 66 70 M76 20 C94 36 94 64 76 80"},
        {"speakerOff", "M12 36 H30 L56 14 V86 L30 64 H12 Z M66 36 L90 64 M90 36 L66 64"},
        // The palette switch: an eye, and once the colour-blind palette is on,
        // an eye with its pupil lit and rays above it.
        {"eye", "M4 50 C24 16 76 16 96 50 C76 84 24 84 4 50 Z M50 32 A18 18 0 1 0 50.1 32 Z"},
        {"eyeSafe",
         "M4 58 C24 26 76 26 96 58 C76 90 24 90 4 58 Z M50 40 A18 18 0 1 0 50.1 40 Z "
         "M50 48 A10 10 0 1 0 50.1 48 Z M46 2 H54 V18 H46 Z M16 10 L23 6 L32 20 L25 24 Z "
         "M84 10 L77 6 L68 20 L75 24 Z"},
        {"pause", "M24 16 H42 V84 H24 Z M58 16 H76 V84 H58 Z"},
        {"question", "M30 34 C30 12 70 10 70 32 C70 48 52 48 52 64 M52 78 V88"},
        {"close", "M20 20 L80 80 M80 20 L20 80"},
        {"check", "M14 52 L40 78 L88 22"},
    };
    return table;
}

// Names whose strokes carry the drawing (no fill).
bool strokeOnly(const std::string& name) { return name == "question" || name == "close" || name == "check"; }

constexpr int kTileMotifs = 20;  // the first entries of the table

}  // namespace

std::string symbol(const std::string& name, const std::string& fill, const std::string& line) {
    for (const auto& [n, d] : paths()) {
        if (n != name) continue;
        if (strokeOnly(name))
            return "<path d=\"" + d + "\" fill=\"none\" stroke=\"" + fill +
                   "\" stroke-width=\"12\" stroke-linecap=\"round\" stroke-linejoin=\"round\"/>";
        return "<path d=\"" + d + "\" fill=\"" + fill + "\" fill-rule=\"evenodd\" stroke=\"" + line +
               "\" stroke-width=\"5\" stroke-linejoin=\"round\" stroke-linecap=\"round\"/>";
    }
    throw std::runtime_error("unknown symbol " + name);
}

int symbolCount() { return kTileMotifs; }

std::string symbolName(int i) { return paths().at(static_cast<size_t>(i)).first; }

}  // namespace svgkit
