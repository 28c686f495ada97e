#include "sound/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace sound {

ByteSource* ByteSource::fromMemory(const void* data, size_t length) {
    auto* source = new ByteSource();
    source->data_ = static_cast<const unsigned char*>(data);
    source->size_ = data ? static_cast<long long>(length) : 0;
    return source;
}

ByteSource* ByteSource::fromFile(const char* path) {
    std::FILE* f = path ? std::fopen(path, "rb") : nullptr;
    if (!f) return nullptr;
    if (std::fseek(f, 0, SEEK_END) != 0) {
        std::fclose(f);
        return nullptr;
    }
    long length = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    if (length < 0) {
        std::fclose(f);
        return nullptr;
    }
    auto* source = new ByteSource();
    source->file_ = f;
    source->size_ = length;
    return source;
}

ByteSource::~ByteSource() {
    if (file_) std::fclose(file_);
}

size_t ByteSource::read(void* out, size_t bytes) {
    if (position_ >= size_) return 0;
    size_t n = static_cast<size_t>(std::min<long long>(static_cast<long long>(bytes), size_ - position_));
    if (file_) {
        if (std::fseek(file_, static_cast<long>(position_), SEEK_SET) != 0) return 0;
        n = std::fread(out, 1, n, file_);
    } else {
        std::memcpy(out, data_ + position_, n);
    }
    position_ += static_cast<long long>(n);
    return n;
}

bool ByteSource::seek(long long offset, int whence) {
    long long base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? position_ : size_;
    long long target = base + offset;
    if (target < 0 || target > size_) return false;
    position_ = target;
    return true;
}

long long ByteSource::tell() const { return position_; }

bool ByteSource::readFile(const char* path, std::vector<unsigned char>& out) {
    ByteSource* source = fromFile(path);
    if (!source) return false;
    out.resize(static_cast<size_t>(source->size()));
    bool ok = source->read(out.data(), out.size()) == out.size();
    delete source;
    return ok;
}

}  // namespace sound
