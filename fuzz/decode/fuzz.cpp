// Feeds arbitrary bytes to Image::decode (GIF, PNG and JPEG by signature),
// in both decoding modes, and reads every pixel that comes out.
#include <climits>
#include <cstddef>
#include <cstdint>

#include "window/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > INT_MAX) return 0;
    for (bool immediately : {false, true}) {
        window::Image::setDecodeImmediately(immediately);
        window::Image::beginSceneLoad();
        auto* image = new window::Image(data, int(size));
        if (uint32_t* pixels = image->pixelsNoLoad()) {
            uint32_t sum = 0;
            size_t count = size_t(image->getWidth()) * size_t(image->getHeight());
            for (size_t i = 0; i < count; i++) sum += pixels[i];
            if (sum == 0x12345678u && !image->hasPixels()) __builtin_trap();
        }
        image->release();
        window::Image::endSceneLoad();
    }
    window::Image::setDecodeImmediately(true);
    return 0;
}
