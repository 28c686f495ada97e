#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/PictureTarget.h"

namespace platform {

// PNG through libpng. Every form ends as 8-bit B, G, R, A bytes: 16-bit samples
// are stripped, palette and grey are expanded, grey becomes RGB, and a
// transparency chunk becomes alpha. Only pictures that end with an alpha
// channel are allocated with alpha. Any libpng error, a refused size or a
// missing buffer returns false; nothing is printed.
class PngCodec {
public:
    // Sides above maxSide are refused while libpng reads the header.
    static bool decode(const uint8_t* data, size_t length, int maxSide, PictureTarget& target);
};

}  // namespace platform
