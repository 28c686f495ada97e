#pragma once

#include <cstddef>
#include <cstdint>

#include "window/DecodedPicture.h"

namespace window {

// JPEG through the platform's codec: colour and grey pictures become opaque
// 0xFFRRGGBB words. A decoding error leaves out without pixels; a picture that
// merely ends early keeps what was made of it. Never reports transparency.
class JpegDecoder {
public:
    // Progressive pictures with more scans than this are refused: each scan
    // re-walks the whole picture, so a small hostile file could keep us busy.
    static constexpr int kMaxScans = 500;

    static bool decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out);
};

}  // namespace window
