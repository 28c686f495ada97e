#include <cstring>

#include "lang/ResourceFile.h"
#include "lang/ResourceItem.h"
#include "lang/String.h"
#include "platform/CodePage.h"

namespace lang {

String String::loadText(const char* itemName) {
    ResourceItem* item = ResourceFile::fetch(String(itemName), true);
    if (!item) return String();
    const auto* bytes = reinterpret_cast<const char*>(item->getData());
    int length = item->getLength();
    bool ascii = true;
    for (int i = 0; i < length && ascii; ++i) ascii = (bytes[i] & 0x80) == 0;
    String text;
    if (ascii) {
        // Items end with one terminating byte.
        if (length > 1) text = String(bytes, 0, length - 1);
    } else {
        const void* zero = std::memchr(bytes, 0, static_cast<size_t>(length));
        size_t used = zero ? static_cast<size_t>(static_cast<const char*>(zero) - bytes) : static_cast<size_t>(length);
        std::string converted = platform::utf8ToCp1252(bytes, used);
        text = String(converted.c_str(), 0, static_cast<int>(converted.size()));
    }
    item->release();
    return text;
}

}  // namespace lang
