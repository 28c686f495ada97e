#pragma once

#include <cstdint>

#include "lang/Object.h"

namespace lang {

// A resizable array of bytes; resize keeps the first elements and zero-fills the rest.
class ByteArray : public Object {
public:
    ByteArray() = default;
    explicit ByteArray(int length) { resize(length); }
    ByteArray(const ByteArray&) = delete;
    ByteArray& operator=(const ByteArray&) = delete;
    ~ByteArray() override { delete[] data_; }
    MENTARIUM_CLASS(ByteArray, Object)

    void resize(int n);
    uint8_t* data() { return data_; }
    const uint8_t* data() const { return data_; }
    int length() const { return length_; }
    uint8_t& operator[](int i) { return data_[i]; }
    uint8_t operator[](int i) const { return data_[i]; }

private:
    uint8_t* data_ = nullptr;
    int length_ = 0;
};

}  // namespace lang
