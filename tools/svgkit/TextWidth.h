#pragma once

// How wide a line of text is drawn in the pictures' font, so that a caption
// that would not fit its picture (a longer translation) is set smaller.

#include <string>

namespace svgkit {

// The advance width in pixels of UTF-8 text in Liberation Sans at size pixels;
// throws when the font cannot be found.
double textWidth(const std::string& utf8, double size, bool bold);

// The size at which the text fits maxWidth: size itself when it already fits,
// else smaller, in steps of a quarter pixel.
double fittedSize(const std::string& utf8, double size, bool bold, double maxWidth);

}  // namespace svgkit
