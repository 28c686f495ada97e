#pragma once

#include <string>

namespace svgkit {

// SVG markup of a named symbol drawn in a 100 x 100 box, filled with `fill`
// and outlined with `line`. Used for icons on buttons and for tile faces.
// Throws for an unknown name.
std::string symbol(const std::string& name, const std::string& fill, const std::string& line);

// How many symbols the tile faces can draw from, and the i-th name.
int symbolCount();
std::string symbolName(int i);

}  // namespace svgkit
