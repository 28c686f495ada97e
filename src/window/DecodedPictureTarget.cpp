#include "window/DecodedPictureTarget.h"

namespace window {

bool DecodedPictureTarget::accept(int width, int height) {
    if (!DecodedPicture::sizeAllowed(width, height)) return false;
    width_ = width;
    height_ = height;
    return true;
}

uint32_t* DecodedPictureTarget::allocate(bool hasAlpha) {
    DecodedPicture::freePixels(pixels_);
    pixels_ = DecodedPicture::allocatePixels(width_, height_);
    hasAlpha_ = hasAlpha;
    return pixels_;
}

bool DecodedPictureTarget::finish() {
    out_.width = width_;
    out_.height = height_;
    if (pixels_) {
        DecodedPicture::freePixels(out_.pixels);
        out_.pixels = pixels_;
        out_.hasAlpha = hasAlpha_;
        pixels_ = nullptr;
    }
    return true;
}

}  // namespace window
