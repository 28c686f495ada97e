#include "sprite/ImageListReader.h"

#include <vector>

#include "io/InputStream.h"
#include "lang/Exception.h"

namespace sprite {

namespace {

// Reads exactly n bytes; false when the input ends first.
bool readFully(io::InputStream* input, uint8_t* buffer, int n) {
    int done = 0;
    while (done < n) {
        int got = input->read(buffer, done, n - done);
        if (got <= 0) return false;
        done += got;
    }
    return true;
}

bool readInt(io::InputStream* input, int& value) {
    uint8_t b[4];
    if (!readFully(input, b, 4)) return false;
    value = static_cast<int>(static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 |
                             static_cast<uint32_t>(b[2]) << 8 | b[3]);
    return true;
}

}  // namespace

int ImageListReader::read(io::InputStream* input,
                          const std::function<void(const lang::String&, const uint8_t*, int)>& found) {
    int handed = 0;
    try {
        int count = 0, total = 0;
        if (!readInt(input, count) || !readInt(input, total)) return 0;
        if (count < 1 || total > MAX_TOTAL_SIZE || total < 4 * static_cast<long long>(count)) return 0;
        long long consumed = 8;
        std::vector<uint8_t> bytes;
        for (int i = 0; i < count; ++i) {
            int length = 0;
            uint8_t nameLength = 0;
            if (!readInt(input, length) || !readFully(input, &nameLength, 1)) break;
            uint8_t nameField[256];
            if (!readFully(input, nameField, nameLength)) break;
            consumed += 5 + nameLength;
            // The declared total bounds every entry, so a lying length cannot make us allocate more.
            if (length < 0 || length > total - consumed) break;
            if (length == 0) continue;
            bytes.resize(static_cast<size_t>(length));
            if (!readFully(input, bytes.data(), length)) break;
            consumed += length;
            for (uint8_t& b : bytes) b ^= SCRAMBLE;
            // The last byte of the name field is its terminator.
            lang::String name(reinterpret_cast<const char*>(nameField), 0, nameLength > 0 ? nameLength - 1 : 0);
            found(name, bytes.data(), length);
            ++handed;
        }
    } catch (lang::Exception* e) {
        e->release();  // a read fault ends the list quietly
    }
    return handed;
}

}  // namespace sprite
