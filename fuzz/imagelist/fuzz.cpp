// Feeds arbitrary bytes to the image list reader as a stream and reads every
// entry it hands over: names and bytes must lie in bounds, and the count it
// answers must match the entries seen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "io/ByteArrayInputStream.h"
#include "lang/String.h"
#include "sprite/ImageListReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    auto* list = new io::ByteArrayInputStream(data, static_cast<int>(size));
    int seen = 0;
    unsigned sum = 0;
    int handed = sprite::ImageListReader::read(list, [&](const lang::String& name, const uint8_t* bytes, int length) {
        for (int i = 0; i < name.length(); ++i) sum += static_cast<unsigned>(name.charAt(i));
        for (int i = 0; i < length; ++i) sum += bytes[i];
        ++seen;
    });
    list->release();
    if (handed != seen) std::abort();
    return static_cast<int>(sum & 0);
}
