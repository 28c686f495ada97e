#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/PictureTarget.h"

namespace platform {

// JPEG through libjpeg: colour and grey pictures become opaque B, G, R, A
// bytes, allocated without alpha. A libjpeg error, a refused size or a missing
// buffer returns false; a picture that merely ends early keeps what libjpeg
// made of it. Nothing is printed.
class JpegCodec {
public:
    // Progressive pictures with more than maxScans scans are refused, since
    // each scan re-walks the whole picture; libjpeg's own working memory is
    // held to maxMemory bytes.
    static bool decode(const uint8_t* data, size_t length, int maxScans, long maxMemory, PictureTarget& target);
};

}  // namespace platform
