#include "io/ByteArrayInputStream.h"

#include <cstring>

#include "io/NamedItems.h"
#include "lang/ResourceItem.h"

namespace io {

ByteArrayInputStream::ByteArrayInputStream(const lang::String& name) {
    lang::String bare = name.startsWith("+") ? name.substring(1) : name;
    item_ = NamedItems::find(bare, true);
    if (item_) {
        data_ = item_->getData();
        length_ = data_ ? item_->getLength() : 0;
    }
}

ByteArrayInputStream::ByteArrayInputStream(const uint8_t* data, int length)
    : data_(data), length_(data && length > 0 ? length : 0) {}

ByteArrayInputStream::~ByteArrayInputStream() {
    if (item_) item_->release();
}

int ByteArrayInputStream::read(void* buffer, int offset, int length) {
    int n = length_ - position_;
    if (length < n) n = length;
    if (n <= 0) return 0;
    std::memcpy(static_cast<uint8_t*>(buffer) + offset, data_ + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
}

int ByteArrayInputStream::read() {
    if (position_ >= length_) return -1;
    return data_[position_++];
}

int ByteArrayInputStream::skip(int n) {
    int64_t target = static_cast<int64_t>(position_) + n;
    return seek(target > length_ ? length_ : (target < 0 ? 0 : static_cast<int>(target)));
}

int ByteArrayInputStream::seek(int position) {
    int before = position_;
    // Never outside the bytes, so read() needs no lower bound check.
    position_ = position > length_ ? length_ : (position < 0 ? 0 : position);
    return position_ - before;
}

}  // namespace io
