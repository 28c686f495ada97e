#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "lang/Object.h"

namespace lang {

// Builds archive images that ResourceFileHeader reads. Output depends only on
// the items: names sorted bytewise, the first value and opaque block fixed
// (0 and empty), item bytes laid out in name order right after the table.
class ResourceArchiveWriter : public Object {
public:
    MENTARIUM_CLASS(ResourceArchiveWriter, Object)

    // Adds an item; throws a lang::Exception for an empty or over-long
    // (above 255 bytes) name, or a name already added.
    void add(const std::string& name, std::vector<uint8_t> bytes);
    int size() const { return static_cast<int>(items_.size()); }

    std::vector<uint8_t> image() const;
    // The ".zin" form: first value, inflated size, deflated size, zlib stream.
    std::vector<uint8_t> compressedImage() const;
    // Writes the image to path, compressed when the path ends in ".zin".
    void write(const std::string& path) const;

private:
    std::map<std::string, std::vector<uint8_t>> items_;
};

}  // namespace lang
