#include "window/JpegDecoder.h"

#include <bit>

#include "platform/JpegCodec.h"
#include "window/DecodedPictureTarget.h"

namespace window {

// The codec writes B, G, R, A bytes, which read as 0xAARRGGBB words only here.
static_assert(std::endian::native == std::endian::little);

bool JpegDecoder::decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out) {
    DecodedPictureTarget target(pixelsWanted, out);
    return platform::JpegCodec::decode(data, length, kMaxScans, long(DecodedPicture::kMaxPixelBytes), target) &&
           target.finish();
}

}  // namespace window
