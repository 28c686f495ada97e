#include "lang/ResourceArchiveWriter.h"

#include <climits>
#include <cstdio>

#include "lang/Exception.h"
#include "lang/String.h"
#include "platform/Deflate.h"

namespace lang {

namespace {

void putU32(std::vector<uint8_t>& out, uint64_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

Exception* failure(const char* what, const std::string& subject) {
    String message(what);
    message.append(subject.c_str());
    return new Exception(message);
}

}  // namespace

void ResourceArchiveWriter::add(const std::string& name, std::vector<uint8_t> bytes) {
    if (name.empty() || name.size() > 255) throw failure("Item name must have 1 to 255 bytes: ", name);
    if (!items_.emplace(name, std::move(bytes)).second) throw failure("Duplicate item name ", name);
}

std::vector<uint8_t> ResourceArchiveWriter::image() const {
    uint64_t tableEnd = 12;
    uint64_t total = 0;
    for (const auto& [name, bytes] : items_) {
        tableEnd += 1 + name.size() + 8;
        total += bytes.size();
    }
    if (tableEnd + total > static_cast<uint64_t>(INT_MAX)) throw new Exception("Archive larger than 2 GB");

    std::vector<uint8_t> out;
    out.reserve(static_cast<size_t>(tableEnd + total));
    putU32(out, 0);  // first value
    putU32(out, 0);  // no opaque block
    putU32(out, items_.size());
    uint64_t offset = tableEnd;
    for (const auto& [name, bytes] : items_) {
        out.push_back(static_cast<uint8_t>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        putU32(out, offset);
        putU32(out, bytes.size());
        offset += bytes.size();
    }
    for (const auto& entry : items_) out.insert(out.end(), entry.second.begin(), entry.second.end());
    return out;
}

std::vector<uint8_t> ResourceArchiveWriter::compressedImage() const {
    std::vector<uint8_t> plain = image();
    std::vector<uint8_t> packed;
    if (!platform::Deflate::compress(plain.data(), plain.size(), packed))
        throw new Exception("Archive compression failed");
    std::vector<uint8_t> out;
    out.reserve(12 + packed.size());
    putU32(out, 0);
    putU32(out, plain.size());
    putU32(out, packed.size());
    out.insert(out.end(), packed.begin(), packed.end());
    return out;
}

void ResourceArchiveWriter::write(const std::string& path) const {
    bool packed = path.size() >= 4 && path.compare(path.size() - 4, 4, ".zin") == 0;
    std::vector<uint8_t> bytes = packed ? compressedImage() : image();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw failure("Error Writing ", path);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) throw failure("Error Writing ", path);
}

}  // namespace lang
