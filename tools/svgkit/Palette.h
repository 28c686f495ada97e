#pragma once

// The house palette by name, so that recipes say "lagoon" rather than a hex
// value and the whole look can be retuned in one place (content/STYLE.md).

#include <cstdio>
#include <map>

#include <stdexcept>
#include <string>
#include "game/ColourPalette.h"

namespace svgkit {

inline std::string colour(const std::string& nameOrHex) {
    static const std::map<std::string, std::string> palette = {
        {"ink", "#1E2640"},   {"dusk", "#2F3C68"},   {"lagoon", "#3E7CB1"}, {"sky", "#5CB7EA"},   {"mint", "#93D66D"},
        {"iris", "#6A74C9"},  {"coral", "#D7634D"},  {"honey", "#F2C14E"},  {"cream", "#FFF7E6"}, {"paper", "#191900"},
        {"stone", "#9AA0AE"}, {"white", "#FFFFFF"},  {"plum", "#8E5BA8"},   {"teal", "#3FA796"},  {"sand", "#E8D3A9"},
        {"rose", "#E58FA8"},  {"bronze", "#C07A45"}, {"silver", "#C9D1DB"},
    };
    auto it = palette.find(nameOrHex);
    if (it != palette.end()) return it->second;
    // "safe0" .. "safe6": the game's colour-blind set, drawn from its own table.
    if (nameOrHex.size() == 5 && nameOrHex.compare(0, 4, "safe") == 0 && nameOrHex[4] >= '0' &&
        nameOrHex[4] < '0' + ColourPalette::Colours) {
        const ColourPalette::Rgb c = ColourPalette::kSafe[nameOrHex[4] - '0'];
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02X%02X%02X", c.red, c.green, c.blue);
        return hex;
    }
    if (nameOrHex.size() == 7 && nameOrHex[0] == '#') return nameOrHex;
    throw std::runtime_error("unknown colour " + nameOrHex);
}

}  // namespace svgkit
