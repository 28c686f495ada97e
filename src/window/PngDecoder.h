#pragma once

#include <cstddef>
#include <cstdint>

#include "window/DecodedPicture.h"

namespace window {

// PNG through the platform's codec. Every form ends as 0xAARRGGBB words: 16-bit
// samples are stripped, palette and grey are expanded, grey becomes RGB, and
// a transparency chunk becomes alpha. Only pictures that end with an alpha
// channel report transparency. Any decoding error leaves out without pixels.
class PngDecoder {
public:
    static bool decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out);
};

}  // namespace window
