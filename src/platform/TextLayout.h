#pragma once

#include <functional>
#include <vector>

namespace platform {

// One line of wrapped text: bytes [begin, end) of the text, followed by an
// ellipsis when a word had to be cut short.
struct TextLine {
    int begin = 0;
    int end = 0;
    bool ellipsis = false;
    bool operator==(const TextLine&) const = default;
};

// Breaks text into lines no wider than maxWidth: at line feeds, and between words
// (runs of non-spaces). A word wider than a whole line is cut to the longest start
// that fits with the ellipsis after it; the rest of that word is dropped.
std::vector<TextLine> wrapWords(const char* text, int length, int maxWidth,
                                const std::function<int(const char*, int)>& measure, int ellipsisWidth);

}  // namespace platform
