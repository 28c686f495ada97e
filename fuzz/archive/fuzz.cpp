// Archive header parsing from memory: the first byte picks plain or compressed,
// the rest is the image. Every item that parses must be readable in bounds.
#include <cstddef>
#include <cstdint>

#include "lang/Exception.h"
#include "lang/ResourceFileHeader.h"
#include "lang/ResourceItem.h"
#include "lang/String.h"
#include "util/Hashtable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 || size > (1u << 20)) return 0;
    bool compressed = data[0] & 1;
    lang::ResourceFileHeader* header = nullptr;
    try {
        header = new lang::ResourceFileHeader(data + 1, static_cast<int>(size - 1), compressed);
    } catch (lang::Exception* e) {
        e->release();
        return 0;
    }
    util::Hashtable::HTEnum* names = header->getItemTable()->keys();
    unsigned sum = 0;
    while (names->hasMoreElements()) {
        auto* name = static_cast<lang::String*>(names->nextElement());
        for (bool cache : {false, true}) {
            if (lang::ResourceItem* item = header->getItem(*name, cache)) {
                for (int i = 0; i < item->getLength(); ++i) sum += item->getData()[i];
                item->release();
            }
        }
    }
    names->release();
    header->release();
    return static_cast<int>(sum & 0);
}
