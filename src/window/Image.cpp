// Temporary: replaced by the images implementation (decoders, loading by name,
// masks, lazy decoding). Until then an image is only what its size constructor
// makes, so that surfaces and graphics can be built and tested on it.
#include "window/Image.h"

#include <cstring>

#include "platform/Surface.h"
#include "window/CDC.h"

namespace window {

Image::Image() = default;

Image::Image(int width, int height, int fill, bool bitmapNow) {
    if (width <= 0 || height <= 0) return;
    width_ = width;
    height_ = height;
    pixels_ = platform::Surface::allocatePixels(static_cast<size_t>(width) * height);
    if (fill == 1) std::memset(pixels_, 0, static_cast<size_t>(width) * height * 4);
    if (bitmapNow) makeBitmap();
}

Image::~Image() { unload(); }

int Image::getBytesPerRow() const { return width_ * 4; }

uint32_t* Image::getPixels() { return pixels_; }

lang::String* Image::getName() { return &name_; }

Image* Image::copy() {
    auto* result = new Image(width_, height_, 0, false);
    if (pixels_) {
        std::memcpy(result->pixels_, pixels_, static_cast<size_t>(width_) * height_ * 4);
    } else {
        result->unload();
    }
    if (bitmap_) result->makeBitmap();
    result->hasAlpha_ = hasAlpha_ && result->pixels_;
    result->name_ = name_;
    return result;
}

void Image::ensureLoaded() {}

bool Image::loadAndHasPixels() { return pixels_ != nullptr; }

void Image::setHasAlpha(bool value) {
    if (pixels_) hasAlpha_ = value;
}

void Image::unload() {
    hasAlpha_ = false;
    if (context_) {
        context_->release();
        context_ = nullptr;
    }
    if (bitmap_) {
        delete bitmap_;
        bitmap_ = nullptr;
    } else {
        platform::Surface::freePixels(pixels_);
    }
    pixels_ = nullptr;
}

}  // namespace window
