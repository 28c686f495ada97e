#pragma once

#include <cstdint>

#include "lang/Object.h"
#include "lang/String.h"

namespace io {
class InputStream;
}
namespace util {
class Hashtable;
}

namespace lang {

class ResourceItem;

// A parsed archive: the item table, read at once, over a stream from which item
// bytes are loaded on first use. A ".zin" archive is inflated into memory whole.
// Damaged archives never cause reads outside the image: a header that cannot be
// read throws a lang::Exception naming the archive and the fault; an entry that
// is cut short or points past the image is left out, and the others stay usable.
class ResourceFileHeader : public Object {
public:
    explicit ResourceFileHeader(const String& path);
    // Parses an archive image held in memory (copied); compressed as in ".zin".
    ResourceFileHeader(const uint8_t* bytes, int length, bool compressed);
    ResourceFileHeader(const ResourceFileHeader&) = delete;
    ResourceFileHeader& operator=(const ResourceFileHeader&) = delete;
    ~ResourceFileHeader() override;
    MENTARIUM_CLASS(ResourceFileHeader, Object)

    // The item of exactly that name with one reference for the caller, or null.
    // With cache the table's item keeps the bytes for later look-ups; without,
    // a new item with its own copy is returned.
    ResourceItem* getItem(const String& name, bool cache);

    // Name (String) -> FileItem; borrowed.
    const util::Hashtable* getItemTable() const { return items_; }
    uint32_t getFirstValue() const { return firstValue_; }
    const uint8_t* getOpaqueBlock() const { return opaque_; }
    int getOpaqueSize() const { return opaqueSize_; }
    int64_t getImageSize() const { return imageSize_; }
    // The archive's path, or "in memory".
    const String& getPath() const { return path_; }
    // What was wrong with the item table ("" when nothing).
    const String& getDamage() const { return damage_; }

private:
    void inflate(const String& where, const uint8_t* packed, int64_t packedSize, uint32_t unpackedSize);
    void parse(const String& where);
    void releaseAll();
    bool load(class FileItem* item);

    uint8_t* image_ = nullptr;  // the inflated or copied image; null when read from a file
    io::InputStream* stream_ = nullptr;
    uint8_t* opaque_ = nullptr;
    int opaqueSize_ = 0;
    util::Hashtable* items_ = nullptr;
    int64_t imageSize_ = 0;
    uint32_t firstValue_ = 0;
    String damage_;
    String path_;
};

}  // namespace lang
