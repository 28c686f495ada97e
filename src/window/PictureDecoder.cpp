#include "window/PictureDecoder.h"

#include <cstring>
#include <memory>

#include "window/GifDecoder.h"
#include "window/JpegDecoder.h"
#include "window/PngDecoder.h"

namespace window {

PictureDecoder::Format PictureDecoder::formatOf(const uint8_t* data, size_t length) {
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (data == nullptr || length < 7) return Format::None;
    if (std::memcmp(data, "GIF89a", 6) == 0 || std::memcmp(data, "GIF87a", 6) == 0) return Format::Gif;
    if (length >= 8 && std::memcmp(data, kPngSignature, 8) == 0) return Format::Png;
    return Format::Jpeg;
}

bool PictureDecoder::decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out) {
    switch (formatOf(data, length)) {
    case Format::Gif: {
        // The LZW tables are too big for a comfortable stack frame.
        auto gif = std::make_unique<GifDecoder>();
        return gif->decode(data, length, pixelsWanted, out);
    }
    case Format::Png: return PngDecoder::decode(data, length, pixelsWanted, out);
    case Format::Jpeg: return JpegDecoder::decode(data, length, pixelsWanted, out);
    case Format::None: break;
    }
    return false;
}

}  // namespace window
