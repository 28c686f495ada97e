#pragma once

#include "lang/Object.h"

namespace lang {

// A resizable array of signed 32-bit values.
class IntArray : public Object {
public:
    IntArray() = default;
    explicit IntArray(int length) { resize(length); }
    IntArray(const IntArray&) = delete;
    IntArray& operator=(const IntArray&) = delete;
    ~IntArray() override { delete[] data_; }
    MENTARIUM_CLASS(IntArray, Object)

    void resize(int n);                    // no lock
    void copyFrom(const IntArray& other);  // under this array's monitor
    int* data() { return data_; }
    const int* data() const { return data_; }
    int length() const { return length_; }
    int& operator[](int i) { return data_[i]; }
    int operator[](int i) const { return data_[i]; }

private:
    int* data_ = nullptr;
    int length_ = 0;
};

}  // namespace lang
