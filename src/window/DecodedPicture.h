#pragma once

#include <cstddef>
#include <cstdint>

namespace window {

// What a decoder hands back: the picture's size and, unless only the size was
// asked for, a heap buffer of width * height 0xAARRGGBB pixels that the image
// adopts. Every pixel buffer an image owns before it becomes a bitmap comes
// from allocatePixels and goes back through freePixels (the surface allocator,
// so that a bitmap can adopt the buffer).
class DecodedPicture {
public:
    // Larger pictures are refused outright: a hostile header must not make us
    // allocate gigabytes or overflow a size computation.
    static constexpr int kMaxSide = 16384;
    static constexpr int64_t kMaxPixelBytes = int64_t(256) << 20;

    DecodedPicture() = default;
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;
    ~DecodedPicture() { freePixels(pixels); }

    // Both sides at least 1, at most kMaxSide, and at most kMaxPixelBytes of pixels.
    static bool sizeAllowed(int64_t width, int64_t height);
    // A buffer of width * height pixels, or null when the size is not allowed
    // or memory is short. The contents are undefined.
    static uint32_t* allocatePixels(int width, int height);
    static void freePixels(uint32_t* pixels);

    // Gives the buffer to the caller, who frees it with freePixels.
    uint32_t* takePixels() {
        uint32_t* p = pixels;
        pixels = nullptr;
        return p;
    }

    int width = 0;
    int height = 0;
    uint32_t* pixels = nullptr;
    bool hasAlpha = false;
};

}  // namespace window
