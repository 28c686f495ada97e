#pragma once

#include <cstdint>

namespace platform {

// Where a picture codec puts what it decodes. The caller decides which sizes it
// takes and provides the pixel buffer, so the codec knows nothing of images.
class PictureTarget {
public:
    virtual ~PictureTarget() = default;

    // The size read from the header; false refuses the picture and fails the decode.
    virtual bool accept(int width, int height) = 0;
    // False when the size was all the caller asked for: the codec stops after the header.
    virtual bool wantsPixels() const = 0;
    // A buffer of width * height words for the accepted size, which the target
    // keeps; null (memory short) fails the decode. The codec writes each pixel
    // as B, G, R, A bytes, that is a 0xAARRGGBB word on this machine.
    virtual uint32_t* allocate(bool hasAlpha) = 0;
};

}  // namespace platform
