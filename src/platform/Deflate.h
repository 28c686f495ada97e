#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// zlib streams, both ways, for the resource archives.
class Deflate {
public:
    // Inflates a stream that should give exactly size bytes into a buffer from
    // std::malloc, which the caller frees with std::free. The buffer grows with
    // the output, so a lying size never allocates more than the stream really
    // holds. Null, with fault naming what is wrong, when the stream is corrupt,
    // cut short, or gives more or fewer bytes than size.
    static uint8_t* inflate(const uint8_t* packed, size_t packedSize, size_t size, const char*& fault);

    // Compresses plain at the best compression zlib has; false when zlib fails.
    static bool compress(const uint8_t* plain, size_t size, std::vector<uint8_t>& packed);
};

}  // namespace platform
