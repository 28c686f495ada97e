// svgkit: writes the game's regular pictures (buttons, icon buttons, panels,
// text labels, digit strips, tile faces) as SVG from a short recipe, so that
// every button shares one shape and the palette lives in one place.
// Usage: svgkit RECIPE OUTDIR [--words TABLE]
//          writes OUTDIR/NAME.svg per statement; with a language's word table,
//          only the pictures that carry words, in that language
//        svgkit --translate SVG OUT --words TABLE
//          writes a hand-drawn SVG with the words of its <text> elements translated
//
// In texts an underscore stands for a blank.

#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "../common/Recipe.h"
#include "Palette.h"
#include "Shapes.h"
#include "TextWidth.h"
#include "WordTable.h"

namespace {

using recipe::Statement;

constexpr const char* kFont = "Liberation Sans";

std::string text(const Statement& st, const std::string& key) { return svgkit::asSvgText(st.text(key, "")); }

int whole(const Statement& st, const std::string& key, int fallback) {
    return static_cast<int>(st.number(key, fallback));
}

std::string num(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

std::string open(int w, int h) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + num(w) + "\" height=\"" + num(h) +
           "\" viewBox=\"0 0 " + num(w) + " " + num(h) + "\">\n";
}

// A line of text; with maxWidth, set smaller when it would be wider, its
// middle kept at the same height.
std::string label(double x, double y, double size, const std::string& fill, const std::string& body,
                  const std::string& weight = "bold", const std::string& anchor = "middle", double maxWidth = 0) {
    if (maxWidth > 0) {
        const double fitted = svgkit::fittedSize(body, size, weight == "bold", maxWidth);
        y -= (size - fitted) * 0.36;
        size = fitted;
    }
    return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\" font-family=\"" + kFont + "\" font-size=\"" + num(size) +
           "\" font-weight=\"" + weight + "\" text-anchor=\"" + anchor + "\" fill=\"" + fill + "\">" + body +
           "</text>\n";
}

// The colours of one button look: sheen, face, border, text.
struct Look {
    std::string top, bottom, border, ink;
    double opacity = 1;
};

Look lookFor(const std::string& style, const std::string& state) {
    // Named styles, or any palette colour as the face.
    std::string base = style == "primary"  ? "lagoon"
                       : style == "accent" ? "sky"
                       : style == "warm"   ? "coral"
                       : style == "quiet"  ? "dusk"
                                           : style;
    // A white sheen lies over the top half; hover strengthens it and rings the face in honey.
    Look l{"#FFFFFF", svgkit::colour(base), "#14203A", svgkit::colour("white")};
    if (state == "hover") {
        l.border = svgkit::colour("honey");
    } else if (state == "inactive") {
        l.bottom = svgkit::colour("stone");
        l.ink = svgkit::colour("cream");
        l.opacity = 0.75;
    }
    return l;
}

// One rounded button face at (x, 0) of w x h, with its shadow.
std::string buttonFace(int x, int w, int h, int radius, const Look& l, double topMix) {
    std::ostringstream s;
    s << "<g transform=\"translate(" << x << ",0)\" opacity=\"" << l.opacity << "\">\n";
    s << "<rect x=\"2\" y=\"4\" width=\"" << w - 4 << "\" height=\"" << h - 6 << "\" rx=\"" << radius
      << "\" fill=\"#000000\" opacity=\"0.3\"/>\n";
    s << "<rect x=\"2\" y=\"1\" width=\"" << w - 4 << "\" height=\"" << h - 6 << "\" rx=\"" << radius << "\" fill=\""
      << l.bottom << "\" stroke=\"" << l.border << "\" stroke-width=\"2\"/>\n";
    s << "<rect x=\"5\" y=\"3\" width=\"" << w - 10 << "\" height=\"" << (h - 6) / 2 - 2 << "\" rx=\"" << radius - 3
      << "\" fill=\"" << l.top << "\" opacity=\"" << topMix << "\"/>\n";
    s << "</g>\n";
    return s.str();
}

std::string button(const Statement& st) {
    const int w = whole(st, "width", 200), h = whole(st, "height", 42), size = whole(st, "size", 16);
    const std::string style = st.text("style", "primary");
    const std::string body = text(st, "label");
    const std::vector<std::string> states = {"normal", "hover", "inactive"};
    std::string svg = open(w * 3, h);
    for (size_t f = 0; f < states.size(); ++f) {
        Look l = lookFor(style, states[f]);
        const double mix = states[f] == "hover" ? 0.38 : 0.22;
        svg += buttonFace(static_cast<int>(f) * w, w, h, h / 3, l, mix);
        svg += "<g opacity=\"" + num(l.opacity) + "\">" +
               label(f * w + w / 2.0, (h - 6) / 2.0 + 1 + size * 0.36, size, l.ink, body, "bold", "middle", w - 14) +
               "</g>\n";
    }
    return svg + "</svg>\n";
}

std::string iconButton(const Statement& st) {
    const int size = whole(st, "size", 36);
    std::vector<std::string> icons;
    std::stringstream list(st.text("icons", ""));
    for (std::string icon; std::getline(list, icon, ',');) icons.push_back(icon);
    std::vector<std::string> looks;
    std::stringstream lookList(st.text("looks", "normal"));
    for (std::string look; std::getline(lookList, look, ',');) looks.push_back(look);
    if (icons.empty()) throw std::runtime_error("line " + std::to_string(st.line) + ": iconbutton without icons");
    const std::string style = st.text("style", "quiet");
    std::string svg = open(size * static_cast<int>(icons.size() * looks.size()), size);
    int frame = 0;
    for (const std::string& icon : icons)
        for (const std::string& look : looks) {
            Look l = lookFor(style, look);
            svg += buttonFace(frame * size, size, size, size / 3, l, look == "hover" ? 0.38 : 0.22);
            const double scale = (size - 16) / 100.0;
            svg += "<g opacity=\"" + num(l.opacity) + "\" transform=\"translate(" + num(frame * size + 8) +
                   ",5) scale(" + num(scale) + ")\">" + svgkit::symbol(icon, l.ink, l.ink) + "</g>\n";
            ++frame;
        }
    return svg + "</svg>\n";
}

std::string panel(const Statement& st) {
    const int w = whole(st, "width", 300), h = whole(st, "height", 200), band = whole(st, "band", 40);
    const std::string fill = svgkit::colour(st.text("fill", "cream"));
    const std::string bandColour = svgkit::colour(st.text("bandcolour", "lagoon"));
    std::string svg = open(w, h);
    svg += "<defs><clipPath id=\"c\"><rect x=\"3\" y=\"2\" width=\"" + num(w - 6) + "\" height=\"" + num(h - 8) +
           "\" rx=\"14\"/></clipPath></defs>\n";
    svg += "<rect x=\"3\" y=\"6\" width=\"" + num(w - 6) + "\" height=\"" + num(h - 8) +
           "\" rx=\"14\" fill=\"#000000\" opacity=\"0.35\"/>\n";
    svg += "<rect x=\"3\" y=\"2\" width=\"" + num(w - 6) + "\" height=\"" + num(h - 8) + "\" rx=\"14\" fill=\"" + fill +
           "\"/>\n";
    if (band > 0) {
        svg += "<rect x=\"0\" y=\"0\" width=\"" + num(w) + "\" height=\"" + num(band) + "\" fill=\"" + bandColour +
               "\" clip-path=\"url(#c)\"/>\n";
        svg += label(w / 2.0, band / 2.0 + 8, whole(st, "size", 20), svgkit::colour("cream"), text(st, "title"), "bold",
                     "middle", w - 24);
    }
    svg += "<rect x=\"3\" y=\"2\" width=\"" + num(w - 6) + "\" height=\"" + num(h - 8) +
           "\" rx=\"14\" fill=\"none\" stroke=\"#14203A\" stroke-width=\"3\"/>\n";
    return svg + "</svg>\n";
}

std::string textLabel(const Statement& st) {
    const int w = whole(st, "width", 200), h = whole(st, "height", 30), size = whole(st, "size", 18);
    const std::string fill = svgkit::colour(st.text("colour", "cream"));
    std::string svg = open(w, h);
    if (st.has("outline"))
        svg += "<g stroke=\"" + svgkit::colour(st.text("outline", "ink")) +
               "\" stroke-width=\"4\" stroke-linejoin=\"round\">" +
               label(w / 2.0, h / 2.0 + size * 0.36, size, fill, text(st, "text"), st.text("weight", "bold"), "middle",
                     w - 6) +
               "</g>\n";
    svg +=
        label(w / 2.0, h / 2.0 + size * 0.36, size, fill, text(st, "text"), st.text("weight", "bold"), "middle", w - 6);
    return svg + "</svg>\n";
}

// A strip of 15 equal cells: time separator, minus, plus, comma, full stop, 0-9.
std::string digits(const Statement& st) {
    const int cell = whole(st, "cell", 14), h = whole(st, "height", 22), size = whole(st, "size", 20);
    const std::string fill = svgkit::colour(st.text("colour", "cream"));
    const std::string outline = svgkit::colour(st.text("outline", "ink"));
    const char* cells[15] = {":", "-", "+", ",", ".", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    std::string svg = open(cell * 15, h);
    for (int i = 0; i < 15; ++i) {
        const double x = i * cell + cell / 2.0, y = h / 2.0 + size * 0.36;
        svg += "<g stroke=\"" + outline + "\" stroke-width=\"3\" stroke-linejoin=\"round\">" +
               label(x, y, size, fill, cells[i]) + "</g>\n";
        svg += label(x, y, size, fill, cells[i]);
    }
    return svg + "</svg>\n";
}

// One tile face: a motif on a rounded card, or the motif alone (card=none),
// whose outline then is the picture's own.
std::string tile(const Statement& st) {
    const int size = whole(st, "size", 56);
    const std::string fill = svgkit::colour(st.text("colour", "coral"));
    const std::string cardName = st.text("card", "cream");
    std::string svg = open(size, size);
    if (cardName != "none")
        svg += "<rect x=\"1\" y=\"1\" width=\"" + num(size - 2) + "\" height=\"" + num(size - 2) + "\" rx=\"" +
               num(size / 6.0) + "\" fill=\"" + svgkit::colour(cardName) +
               "\" stroke=\"#14203A\" stroke-width=\"2\"/>\n";
    if (st.has("text")) {
        const int ts = whole(st, "textsize", size * 6 / 10);
        svg += label(size / 2.0, size / 2.0 + ts * 0.36, ts, fill, text(st, "text"));
    } else {
        const double scale = (size - 14) / 100.0;
        svg += "<g transform=\"translate(7,7) scale(" + num(scale) + ")\">" +
               svgkit::symbol(st.text("motif", "circle"), fill, "#14203A") + "</g>\n";
    }
    return svg + "</svg>\n";
}

// A choice button of the sequence game: a coloured rounded square with a
// sheen and a cream motif, so that the buttons differ by shape as well.
std::string choice(const Statement& st) {
    std::string svg = open(88, 88);
    svg += "<rect x=\"8\" y=\"8\" width=\"72\" height=\"72\" rx=\"18\" fill=\"" +
           svgkit::colour(st.text("colour", "coral")) + "\" stroke=\"#14203A\" stroke-width=\"3\"/>\n";
    svg += "<rect x=\"13\" y=\"11\" width=\"62\" height=\"28\" rx=\"13\" fill=\"#FFFFFF\" opacity=\"0.25\"/>\n";
    svg += "<g transform=\"translate(24,24) scale(0.4)\">" +
           svgkit::symbol(st.text("motif", "circle"), svgkit::colour("cream"), "#14203A") + "</g>\n";
    return svg + "</svg>\n";
}

// The drawing of a picture fragment (SVG elements in a 100 x 100 box), read
// from a file beside the recipe.
std::string fragment(const std::string& recipeDir, const std::string& name) {
    std::ifstream in(recipeDir + "/" + name);
    if (!in) throw std::runtime_error("cannot read " + recipeDir + "/" + name);
    std::ostringstream body;
    body << in.rdbuf();
    return body.str();
}

// A game's description card: cream, with the game's picture (art=, a fragment
// file) or else its motif in a coloured frame at the left, and the title and
// two lines of text at the right.
std::string description(const Statement& st, const std::string& recipeDir, const svgkit::WordTable* words) {
    const int w = whole(st, "width", 350), h = whole(st, "height", 100);
    const std::string accent = svgkit::colour(st.text("colour", "lagoon"));
    std::string svg = open(w, h);
    svg += "<rect x=\"2\" y=\"2\" width=\"" + num(w - 4) + "\" height=\"" + num(h - 4) +
           "\" rx=\"12\" fill=\"#FFF7E6\" stroke=\"#14203A\" stroke-width=\"2.5\"/>\n";
    svg += "<rect x=\"10\" y=\"" + num(h / 2.0 - 40) + "\" width=\"80\" height=\"80\" rx=\"14\" fill=\"" + accent +
           "\" stroke=\"#14203A\" stroke-width=\"2.5\"/>\n";
    if (st.has("art"))
        svg += "<g transform=\"translate(14," + num(h / 2.0 - 36) + ") scale(0.72)\">\n" +
               (words ? words->translatedSvg(fragment(recipeDir, st.text("art", "")))
                      : fragment(recipeDir, st.text("art", ""))) +
               "</g>\n";
    else
        svg += "<g transform=\"translate(26," + num(h / 2.0 - 24) + ") scale(0.48)\">" +
               svgkit::symbol(st.text("motif", "circle"), "#FFF7E6", "#14203A") + "</g>\n";
    svg += label(100, 32, 18, svgkit::colour("paper"), text(st, "title"), "bold", "start", w - 110);
    svg += label(100, 56, 13, svgkit::colour("dusk"), text(st, "line1"), "normal", "start", w - 110);
    svg += label(100, 74, 13, svgkit::colour("dusk"), text(st, "line2"), "normal", "start", w - 110);
    return svg + "</svg>\n";
}

// A rank medal: a disc on a ribbon, all of one outline so that one mask fits
// every rank, with the rank's colour and number.
std::string medal(const Statement& st) {
    const std::string fill = svgkit::colour(st.text("colour", "honey"));
    std::string svg = open(64, 80);
    svg += "<path d=\"M18 2 H30 L38 30 H26 Z M46 2 H34 L26 30 H38 Z\" fill=\"" +
           svgkit::colour(st.text("ribbon", "coral")) +
           "\" stroke=\"#14203A\" stroke-width=\"2\" stroke-linejoin=\"round\"/>\n";
    svg += "<circle cx=\"32\" cy=\"50\" r=\"27\" fill=\"" + fill + "\" stroke=\"#14203A\" stroke-width=\"3\"/>\n";
    svg +=
        "<circle cx=\"32\" cy=\"50\" r=\"20\" fill=\"none\" stroke=\"#FFFFFF\" stroke-width=\"2\" opacity=\"0.5\"/>\n";
    svg += label(32, 58, 22, svgkit::colour("ink"), text(st, "text"));
    return svg + "</svg>\n";
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string draw(const Statement& st, const std::string& recipeDir, const svgkit::WordTable* words) {
    const std::string& kind = st.words[0];
    if (kind == "button") return button(st);
    if (kind == "iconbutton") return iconButton(st);
    if (kind == "panel") return panel(st);
    if (kind == "label") return textLabel(st);
    if (kind == "digits") return digits(st);
    if (kind == "tile") return tile(st);
    if (kind == "choice") return choice(st);
    if (kind == "description") return description(st, recipeDir, words);
    if (kind == "medal") return medal(st);
    throw std::runtime_error("line " + std::to_string(st.line) + ": unknown kind " + kind);
}

void drawRecipe(const std::string& recipePath, const std::string& outDir, const svgkit::WordTable* words) {
    const size_t slash = recipePath.find_last_of('/');
    const std::string recipeDir = slash == std::string::npos ? "." : recipePath.substr(0, slash);
    for (const Statement& st : recipe::readRecipe(recipePath)) {
        if (st.words.size() != 2)
            throw std::runtime_error("line " + std::to_string(st.line) + ": expected KIND NAME settings...");
        if (words && !svgkit::carriesWords(st)) continue;
        writeFile(outDir + "/" + st.words[1] + ".svg", draw(words ? words->translated(st) : st, recipeDir, words));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool translate = args.size() == 5 && args[0] == "--translate" && args[3] == "--words";
    const bool recipeWithWords = args.size() == 4 && args[2] == "--words";
    if (args.size() != 2 && !translate && !recipeWithWords) {
        std::cerr << "usage: svgkit RECIPE OUTDIR [--words TABLE]\n"
                     "       svgkit --translate SVG OUT --words TABLE\n";
        return 2;
    }
    try {
        if (translate) {
            svgkit::WordTable words(args[4]);
            writeFile(args[2], words.translatedSvg(readFile(args[1])));
        } else if (recipeWithWords) {
            svgkit::WordTable words(args[3]);
            drawRecipe(args[0], args[1], &words);
        } else {
            drawRecipe(args[0], args[1], nullptr);
        }
    } catch (const std::exception& ex) {
        std::cerr << "svgkit: " << ex.what() << '\n';
        return 1;
    }
    return 0;
}
