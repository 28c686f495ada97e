#include "WordTable.h"

#include "TextWidth.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace svgkit {

namespace {

const char* const kWordKinds[] = {"button", "label", "panel", "description"};
const char* const kWordFields[] = {"label", "text", "title", "line1", "line2"};

bool hasLetter(const std::string& s) {
    for (unsigned char c : s)
        if (std::isalpha(c) || c >= 0x80) return true;
    return false;
}

bool isWordKind(const recipe::Statement& st) {
    for (const char* kind : kWordKinds)
        if (!st.words.empty() && st.words[0] == kind) return true;
    return false;
}

std::string withUnderscores(std::string s) {
    for (char& c : s)
        if (c == ' ') c = '_';
    return s;
}

std::string withBlanks(std::string s) {
    for (char& c : s)
        if (c == '_') c = ' ';
    return s;
}

// The number of the attribute name="N" of the tag that starts at tag (or of
// the attribute itself when tag points at it).
double attribute(const std::string& svg, size_t tag, const std::string& name) {
    if (tag == std::string::npos) throw std::runtime_error("no " + name + " in the picture");
    size_t at = svg.compare(tag, name.size() + 2, name + "=\"") == 0 ? tag : svg.find(" " + name + "=\"", tag);
    if (at == std::string::npos || at > svg.find('>', tag)) throw std::runtime_error("no " + name + " in the picture");
    at = svg.find('"', at) + 1;
    return std::strtod(svg.c_str() + at, nullptr);
}

}  // namespace

std::string asSvgText(const std::string& recipeText) {
    std::string out;
    for (char c : recipeText) {
        switch (c) {
        case '_': out += ' '; break;
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

bool carriesWords(const recipe::Statement& st) {
    if (!isWordKind(st)) return false;
    for (const char* field : kWordFields)
        if (hasLetter(st.text(field, ""))) return true;
    return false;
}

WordTable::WordTable(const std::string& path) : path_(path) {
    for (const recipe::Statement& st : recipe::readRecipe(path)) {
        if (st.words.size() != 2 || !st.settings.empty())
            throw std::runtime_error(path + " line " + std::to_string(st.line) + ": expected ENGLISH TRANSLATION");
        words_[st.words[0]] = st.words[1];
    }
}

const std::string& WordTable::translate(const std::string& english) const {
    auto it = words_.find(english);
    if (it == words_.end()) throw std::runtime_error(path_ + " has no translation of \"" + english + "\"");
    return it->second;
}

recipe::Statement WordTable::translated(const recipe::Statement& st) const {
    recipe::Statement out = st;
    if (!isWordKind(st)) return out;
    for (const char* field : kWordFields)
        if (auto it = out.settings.find(field); it != out.settings.end() && hasLetter(it->second))
            it->second = translate(it->second);
    return out;
}

std::string WordTable::translatedSvg(const std::string& svg) const {
    static const std::string kClose = "</text>";
    // A picture fragment (no <svg> of its own) draws in a 100 x 100 box.
    const double width = svg.find("<svg") == std::string::npos ? 100 : attribute(svg, svg.find("<svg"), "width");
    std::string out;
    size_t at = 0;  // copied up to here
    for (size_t close = svg.find(kClose); close != std::string::npos; close = svg.find(kClose, close + kClose.size())) {
        size_t tag = svg.rfind("<text", close);
        size_t open = svg.rfind('>', close);
        if (tag == std::string::npos || tag < at || open < tag)
            throw std::runtime_error("a </text> without its <text>");
        const std::string english = svg.substr(open + 1, close - open - 1);
        if (!hasLetter(english)) continue;  // numbers are no words; copied with the rest
        const std::string words = translate(withUnderscores(english));
        const std::string shown = withBlanks(words);
        // The words, centred on x, keep clear of the picture's edges: a longer
        // translation is set smaller.
        const double size = attribute(svg, svg.rfind("font-size=", open), "font-size");
        const bool bold = svg.rfind("font-weight=\"bold\"", open) != std::string::npos;
        const double x = attribute(svg, tag, "x");
        const double room = 0.8 * 2 * std::min(x, width - x);
        std::string element = svg.substr(tag, open - tag);
        if (const double fitted = fittedSize(shown, size, bold, room); fitted < size) {
            const std::string setting = " font-size=\"" + std::to_string(fitted) + "\"";
            if (size_t own = element.find(" font-size=\""); own != std::string::npos)
                element.replace(own, element.find('"', own + 12) + 1 - own, setting);
            else
                element += setting;
        }
        out.append(svg, at, tag - at);
        out += element + ">" + asSvgText(words) + kClose;
        at = close + kClose.size();
    }
    out.append(svg, at, std::string::npos);
    return out;
}

}  // namespace svgkit
