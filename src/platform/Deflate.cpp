#include "platform/Deflate.h"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>

namespace platform {

uint8_t* Deflate::inflate(const uint8_t* packed, size_t packedSize, size_t size, const char*& fault) {
    fault = nullptr;
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        fault = "cannot start decompression";
        return nullptr;
    }
    z.next_in = const_cast<Bytef*>(packed);
    z.avail_in = static_cast<uInt>(packedSize);
    size_t capacity = std::min<size_t>(size, std::max<size_t>(64 * 1024, packedSize * 4));
    uint8_t* out = static_cast<uint8_t*>(std::malloc(capacity > 0 ? capacity : 1));
    size_t produced = 0;
    if (!out) fault = "out of memory";
    while (!fault) {
        z.next_out = out + produced;
        z.avail_out = static_cast<uInt>(capacity - produced);
        int result = ::inflate(&z, Z_NO_FLUSH);
        produced = capacity - z.avail_out;
        if (result == Z_STREAM_END) break;
        if (result != Z_OK && result != Z_BUF_ERROR) {
            fault = "compressed data corrupt";
            break;
        }
        if (z.avail_out == 0) {
            if (capacity == size) {
                fault = "inflates to more than its declared size";
                break;
            }
            capacity = std::min<size_t>(size, capacity * 2);
            auto* grown = static_cast<uint8_t*>(std::realloc(out, capacity));
            if (!grown) {
                fault = "out of memory";
                break;
            }
            out = grown;
        } else if (z.avail_in == 0) {
            fault = "compressed data cut short";
            break;
        }
    }
    inflateEnd(&z);
    if (!fault && produced != size) fault = "inflates to fewer bytes than its declared size";
    if (fault) {
        std::free(out);
        return nullptr;
    }
    return out;
}

bool Deflate::compress(const uint8_t* plain, size_t size, std::vector<uint8_t>& packed) {
    uLongf packedSize = compressBound(static_cast<uLong>(size));
    packed.resize(packedSize);
    if (compress2(packed.data(), &packedSize, plain, static_cast<uLong>(size), Z_BEST_COMPRESSION) != Z_OK) {
        packed.clear();
        return false;
    }
    packed.resize(packedSize);
    return true;
}

}  // namespace platform
