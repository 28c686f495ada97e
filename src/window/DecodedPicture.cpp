#include "window/DecodedPicture.h"

#include <new>

namespace window {

bool DecodedPicture::sizeAllowed(int64_t width, int64_t height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    return width * height * 4 <= kMaxPixelBytes;
}

uint32_t* DecodedPicture::allocatePixels(int width, int height) {
    if (!sizeAllowed(width, height)) return nullptr;
    return new (std::nothrow) uint32_t[size_t(width) * size_t(height)];
}

void DecodedPicture::freePixels(uint32_t* pixels) {
    delete[] pixels;
}

}  // namespace window
