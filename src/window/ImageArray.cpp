#include "window/ImageArray.h"

#include "lang/ObjectLock.h"

namespace window {

ImageArray::~ImageArray() { setLength(0); }

Image* ImageArray::get(int i) const {
    if (i < 0 || i >= length()) return nullptr;
    return static_cast<Image*>((*this)[i]);
}

void ImageArray::set(int i, Image* image) {
    ObjectLock hold(this, true);
    if (i < 0 || i >= length()) return;
    if (image) image->addRef();
    if (Image* old = get(i)) old->release();
    (*this)[i] = image;
}

void ImageArray::append(Image* image) {
    ObjectLock hold(this, true);
    int n = length();
    resize(n + 1);
    set(n, image);
}

void ImageArray::setLength(int n) {
    ObjectLock hold(this, true);
    if (n < 0) n = 0;
    for (int i = n; i < length(); i++) set(i, nullptr);
    resize(n);
}

}  // namespace window
