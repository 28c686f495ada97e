// Resizing of the runtime's array classes: a new zero-filled buffer receives the
// first min(old, new) elements.
#include <algorithm>

#include "lang/ByteArray.h"
#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "lang/ObjectLock.h"

namespace lang {

namespace {

template <typename T>
void resizeBuffer(T*& data, int& length, int n) {
    if (n < 0) n = 0;
    T* fresh = n > 0 ? new T[n]() : nullptr;
    if (data != nullptr) std::copy(data, data + std::min(length, n), fresh);
    delete[] data;
    data = fresh;
    length = n;
}

}  // namespace

void ByteArray::resize(int n) { resizeBuffer(data_, length_, n); }

void IntArray::resize(int n) { resizeBuffer(data_, length_, n); }

void IntArray::copyFrom(const IntArray& other) {
    ObjectLock hold(this, true);
    resize(other.length_);
    if (length_ > 0) std::copy(other.data_, other.data_ + length_, data_);
}

void ObjectArray::resize(int n) {
    ObjectLock hold(this, true);
    if (n == length_) return;
    resizeBuffer(data_, length_, n);
}

void ObjectArray::copyFrom(const ObjectArray& other) {
    ObjectLock hold(this, true);
    resize(other.length_);
    if (length_ > 0) std::copy(other.data_, other.data_ + length_, data_);
}

}  // namespace lang
