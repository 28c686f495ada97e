#pragma once

#include <cstddef>
#include <cstdint>

#include "window/DecodedPicture.h"

namespace window {

// Picks the decoder by signature: "GIF87a"/"GIF89a" to our GIF reader, the
// PNG signature to libpng, anything else to libjpeg. Fewer than 7 bytes are
// no picture at all.
class PictureDecoder {
public:
    enum class Format { None, Gif, Png, Jpeg };

    static Format formatOf(const uint8_t* data, size_t length);
    // With pixelsWanted false only the size is read.
    static bool decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out);
};

}  // namespace window
