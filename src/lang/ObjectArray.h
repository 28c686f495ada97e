#pragma once

#include "lang/Object.h"

namespace lang {

// A resizable array of plain object pointers: storing takes no reference and the
// array releases nothing.
class ObjectArray : public Object {
public:
    ObjectArray() = default;
    explicit ObjectArray(int length) { resize(length); }
    ObjectArray(const ObjectArray&) = delete;
    ObjectArray& operator=(const ObjectArray&) = delete;
    ~ObjectArray() override { delete[] data_; }
    MENTARIUM_CLASS(ObjectArray, Object)

    void resize(int n);                       // under the monitor
    void copyFrom(const ObjectArray& other);  // under the monitor
    Object** data() { return data_; }
    int length() const { return length_; }
    Object*& operator[](int i) { return data_[i]; }
    Object* operator[](int i) const { return data_[i]; }

private:
    Object** data_ = nullptr;
    int length_ = 0;
};

}  // namespace lang
