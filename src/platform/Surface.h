#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/RectRegion.h"

namespace platform {

// A 32-bit top-down bitmap (0xAARRGGBB, stride width * 4) that a device context
// can select. It owns its pixel buffer, or borrows one it was given.
class Surface {
public:
    // A zeroed buffer of width * height pixels.
    Surface(int width, int height);
    // Takes over (adopt) or borrows a buffer of width * height pixels. An adopted
    // buffer must come from allocatePixels.
    Surface(int width, int height, uint32_t* pixels, bool adopt);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    uint32_t* pixels() const { return pixels_; }
    Rect bounds() const { return Rect{0, 0, width_, height_}; }
    uint32_t* row(int y) const { return pixels_ + static_cast<size_t>(y) * width_; }

    // The one allocator of pixel buffers that images and surfaces pass between them.
    static uint32_t* allocatePixels(size_t count);
    static void freePixels(uint32_t* pixels);

private:
    int width_;
    int height_;
    uint32_t* pixels_;
    bool owned_;
};

}  // namespace platform
