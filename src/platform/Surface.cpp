#include "platform/Surface.h"

#include <cstring>

namespace platform {

Surface::Surface(int width, int height)
    : width_(width > 0 ? width : 0), height_(height > 0 ? height : 0), pixels_(nullptr), owned_(true) {
    size_t count = static_cast<size_t>(width_) * height_;
    pixels_ = allocatePixels(count);
    std::memset(pixels_, 0, count * 4);
}

Surface::Surface(int width, int height, uint32_t* pixels, bool adopt)
    : width_(width), height_(height), pixels_(pixels), owned_(adopt) {}

Surface::~Surface() {
    if (owned_) freePixels(pixels_);
}

uint32_t* Surface::allocatePixels(size_t count) { return new uint32_t[count ? count : 1]; }

void Surface::freePixels(uint32_t* pixels) { delete[] pixels; }

}  // namespace platform
