#include "lang/ResourceFileHeader.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "io/ByteArrayInputStream.h"
#include "io/FileInputStream.h"
#include "lang/Exception.h"
#include "lang/FileItem.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "platform/Deflate.h"
#include "util/Hashtable.h"

namespace lang {

namespace {

constexpr int kHeaderBytes = 8;         // first value, N
constexpr int kPackedHeaderBytes = 12;  // first value, U, C

uint32_t littleEndian(const uint8_t* b) {
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

bool readU32(io::InputStream* in, uint32_t& value) {
    uint8_t bytes[4];
    if (in->read(bytes, 0, 4) != 4) return false;
    value = littleEndian(bytes);
    return true;
}

Exception* damaged(const String& where, const char* fault) {
    String message("Damaged archive ");
    message.append(where);
    message.append(": ");
    message.append(fault);
    return new Exception(message);
}

bool endsWithZin(const String& path) { return path.endsWith(".zin"); }

}  // namespace

ResourceFileHeader::ResourceFileHeader(const String& path) : items_(new util::Hashtable()), path_(path) {
    try {
        if (endsWithZin(path)) {
            io::FileInputStream file(path);
            int64_t fileSize = file.size();
            uint32_t first = 0, unpacked = 0, packed = 0;
            if (!readU32(&file, first) || !readU32(&file, unpacked) || !readU32(&file, packed))
                throw damaged(path, "compressed header cut short");
            if (packed > fileSize - kPackedHeaderBytes)
                throw damaged(path, "compressed size runs past the end of the file");
            std::vector<uint8_t> bytes(packed);
            if (packed > 0 && file.read(bytes.data(), 0, static_cast<int>(packed)) != static_cast<int>(packed))
                throw damaged(path, "compressed data cut short");
            inflate(path, bytes.data(), packed, unpacked);
        } else {
            auto* file = new io::FileInputStream(path);
            stream_ = file;
            imageSize_ = file->size();
        }
        parse(path);
    } catch (...) {
        releaseAll();
        throw;
    }
}

ResourceFileHeader::ResourceFileHeader(const uint8_t* bytes, int length, bool compressed)
    : items_(new util::Hashtable()), path_("in memory") {
    const String& where = path_;
    if (length < 0 || (length > 0 && !bytes)) length = 0;
    try {
        if (compressed) {
            if (length < kPackedHeaderBytes) throw damaged(where, "compressed header cut short");
            uint32_t packed = littleEndian(bytes + 8);
            if (packed > static_cast<uint32_t>(length - kPackedHeaderBytes))
                throw damaged(where, "compressed size runs past the end of the file");
            inflate(where, bytes + kPackedHeaderBytes, packed, littleEndian(bytes + 4));
        } else {
            image_ = static_cast<uint8_t*>(std::malloc(length > 0 ? length : 1));
            if (length > 0) std::memcpy(image_, bytes, static_cast<size_t>(length));
            stream_ = new io::ByteArrayInputStream(image_, length);
            imageSize_ = length;
        }
        parse(where);
    } catch (...) {
        releaseAll();
        throw;
    }
}

ResourceFileHeader::~ResourceFileHeader() { releaseAll(); }

void ResourceFileHeader::releaseAll() {
    if (stream_) stream_->release();  // closes the file
    stream_ = nullptr;
    std::free(image_);
    image_ = nullptr;
    delete[] opaque_;
    opaque_ = nullptr;
    if (items_) items_->release();  // releases every cached item
    items_ = nullptr;
}

void ResourceFileHeader::inflate(const String& where, const uint8_t* packed, int64_t packedSize, uint32_t unpacked) {
    if (unpacked > static_cast<uint32_t>(INT_MAX)) throw damaged(where, "declared size too large");
    const char* fault = nullptr;
    uint8_t* out = platform::Deflate::inflate(packed, static_cast<size_t>(packedSize), unpacked, fault);
    if (!out) throw damaged(where, fault);
    image_ = out;
    imageSize_ = static_cast<int64_t>(unpacked);
    stream_ = new io::ByteArrayInputStream(image_, static_cast<int>(unpacked));
}

void ResourceFileHeader::parse(const String& where) {
    if (imageSize_ > INT_MAX) throw damaged(where, "archive larger than 2 GB");
    uint32_t opaqueSize = 0;
    if (!readU32(stream_, firstValue_) || !readU32(stream_, opaqueSize)) throw damaged(where, "header cut short");
    if (opaqueSize > imageSize_ - kHeaderBytes) throw damaged(where, "opaque block runs past the end");
    opaque_ = new uint8_t[opaqueSize > 0 ? opaqueSize : 1];
    opaqueSize_ = static_cast<int>(opaqueSize);
    uint32_t count = 0;
    if (stream_->read(opaque_, 0, opaqueSize_) != opaqueSize_ || !readU32(stream_, count))
        throw damaged(where, "item count missing");

    // Every entry takes at least 9 bytes, so a lying count ends at the image's end.
    int skipped = 0;
    for (uint32_t i = 0; i < count; ++i) {
        char name[256];
        uint32_t offset = 0, length = 0;
        int nameLength = stream_->read();
        if (nameLength < 0 || stream_->read(name, 0, nameLength) != nameLength || !readU32(stream_, offset) ||
            !readU32(stream_, length)) {
            damage_ = String("item table cut short after ");
            damage_.append(static_cast<int>(i)).append(" of ").append(std::to_string(count).c_str()).append(" entries");
            break;
        }
        if (static_cast<int64_t>(offset) + length > imageSize_) {
            ++skipped;
            continue;
        }
        Ref<FileItem> item(new FileItem(offset, static_cast<int>(length)));
        items_->put(String(name, 0, nameLength), item.get());
    }
    if (skipped > 0) {
        if (!damage_.isEmpty()) damage_.append("; ");
        damage_.append(skipped).append(skipped == 1 ? " item lies" : " items lie").append(" past the end");
    }
}

bool ResourceFileHeader::load(FileItem* item) {
    stream_->reset();
    if (item->offset_ > 0 && stream_->seek(static_cast<int>(item->offset_)) != static_cast<int>(item->offset_))
        return false;
    auto* data = new uint8_t[item->length_ > 0 ? item->length_ : 1];
    // The file may have shrunk since it was opened: a short read leaves the item absent.
    if (stream_->read(data, 0, item->length_) != item->length_) {
        delete[] data;
        return false;
    }
    item->data_ = data;
    return true;
}

ResourceItem* ResourceFileHeader::getItem(const String& name, bool cache) {
    ObjectLock hold(this);
    auto* entry = static_cast<FileItem*>(items_->get(&name));
    if (!entry) return nullptr;
    if (entry->isLoaded()) {
        entry->addRef();
        return entry;
    }
    // Cached, the table's item keeps the bytes; otherwise a copy of the entry does.
    Ref<FileItem> target =
        cache ? Ref<FileItem>::share(entry) : Ref<FileItem>(new FileItem(entry->offset_, entry->length_));
    return load(target.get()) ? target.detach() : nullptr;
}

}  // namespace lang
