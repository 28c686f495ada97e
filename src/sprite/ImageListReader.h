#pragma once

#include <cstdint>
#include <functional>

#include "lang/String.h"

namespace io {
class InputStream;
}

namespace sprite {

// Reads an image list file: a big-endian header (entry count, total size) and
// entries of data length, name field and picture bytes stored XOR 0xA6. A header
// that fails its checks yields nothing; a lying or truncated entry ends the list.
class ImageListReader {
public:
    static constexpr int MAX_TOTAL_SIZE = 10000000;
    static constexpr uint8_t SCRAMBLE = 0xA6;

    // Calls found for every complete entry with its name and unscrambled bytes
    // (valid during the call). Answers the number of entries handed over.
    static int read(io::InputStream* input,
                    const std::function<void(const lang::String& name, const uint8_t* data, int length)>& found);
};

}  // namespace sprite
