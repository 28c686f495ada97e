#include "window/DecodedPicture.h"

#include <new>

#include "platform/Surface.h"

namespace window {

bool DecodedPicture::sizeAllowed(int64_t width, int64_t height) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return false;
    return width * height * 4 <= kMaxPixelBytes;
}

uint32_t* DecodedPicture::allocatePixels(int width, int height) {
    if (!sizeAllowed(width, height)) return nullptr;
    // Images hand these buffers to their bitmap, so they come from its allocator.
    try {
        return platform::Surface::allocatePixels(size_t(width) * size_t(height));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void DecodedPicture::freePixels(uint32_t* pixels) { platform::Surface::freePixels(pixels); }

}  // namespace window
