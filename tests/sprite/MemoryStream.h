#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "io/InputStream.h"

namespace sprite_test {

// Bytes held by the test, read through the input stream interface.
class MemoryStream : public io::InputStream {
public:
    explicit MemoryStream(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
    explicit MemoryStream(const std::string& text) : bytes_(text.begin(), text.end()) {}
    MENTARIUM_CLASS(MemoryStream, io::InputStream)

    int read(void* buffer, int offset, int length) override {
        int n = std::max(0, std::min(length, static_cast<int>(bytes_.size()) - position_));
        if (n > 0) std::memcpy(static_cast<uint8_t*>(buffer) + offset, bytes_.data() + position_, n);
        position_ += n;
        return n;
    }
    int read() override { return position_ < static_cast<int>(bytes_.size()) ? bytes_[position_++] : -1; }
    void close() override { closed = true; }
    void reset() override { position_ = 0; }
    int skip(int n) override {
        int old = position_;
        position_ = std::min(static_cast<int>(bytes_.size()), position_ + n);
        return position_ - old;
    }
    int seek(int position) override {
        int old = position_;
        position_ = std::clamp(position, 0, static_cast<int>(bytes_.size()));
        return position_ - old;
    }

    bool closed = false;

private:
    std::vector<uint8_t> bytes_;
    int position_ = 0;
};

}  // namespace sprite_test
