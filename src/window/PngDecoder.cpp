#include "window/PngDecoder.h"

#include <bit>

#include "platform/PngCodec.h"
#include "window/DecodedPictureTarget.h"

namespace window {

// The codec writes B, G, R, A bytes, which read as 0xAARRGGBB words only here.
static_assert(std::endian::native == std::endian::little);

bool PngDecoder::decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out) {
    DecodedPictureTarget target(pixelsWanted, out);
    return platform::PngCodec::decode(data, length, DecodedPicture::kMaxSide, target) && target.finish();
}

}  // namespace window
