#include "window/Image.h"

#include <atomic>
#include <cstring>

#include "platform/Surface.h"
#include "window/CDC.h"
#include "window/DecodedPicture.h"
#include "window/PictureDecoder.h"

namespace window {

namespace {

std::atomic<bool> decodeImmediatelyFlag{true};
std::atomic<int> sceneLoads{0};

}  // namespace

bool Image::canDecodeNow() { return decodeImmediatelyFlag.load() || sceneLoads.load() == 0; }

bool Image::decodeImmediately() { return decodeImmediatelyFlag.load(); }
void Image::setDecodeImmediately(bool value) { decodeImmediatelyFlag.store(value); }
void Image::beginSceneLoad() { sceneLoads.fetch_add(1); }

void Image::endSceneLoad() {
    // Unbalanced calls must not leave the count below zero, or lazy mode would stick.
    int count = sceneLoads.load();
    while (count > 0 && !sceneLoads.compare_exchange_weak(count, count - 1)) {}
}

Image::Image() = default;

Image::Image(const uint8_t* data, int length) { decode(data, length); }

Image::Image(int width, int height, int fill, bool bitmapNow) {
    pixels_ = DecodedPicture::allocatePixels(width, height);
    if (!pixels_) return;
    width_ = width;
    height_ = height;
    if (fill == 1) std::memset(pixels_, 0, size_t(width) * size_t(height) * 4);
    if (bitmapNow) makeBitmap();
}

Image::~Image() { unload(); }

int Image::getBytesPerRow() const { return width_ * 4; }

uint32_t* Image::getPixels() {
    if (!pixels_) ensureLoaded();
    return pixels_;
}

lang::String* Image::getName() { return &name_; }

Image* Image::copy() {
    uint32_t* source = getPixels();
    Image* result;
    if (source) {
        result = new Image(width_, height_, 0, bitmap_ != nullptr);
        if (uint32_t* target = result->getPixels()) {
            std::memcpy(target, source, size_t(height_) * size_t(getBytesPerRow()));
            result->hasAlpha_ = hasAlpha_;
        }
    } else {
        // Unloaded, but the same size: it can load itself by name later.
        result = new Image();
        result->width_ = width_;
        result->height_ = height_;
    }
    result->name_ = name_;
    return result;
}

void Image::decode(const uint8_t* data, int length) {
    unload();
    width_ = 0;
    height_ = 0;
    loadFailed_ = false;
    if (data == nullptr || length < 7) return;
    bool pixelsWanted = canDecodeNow();
    DecodedPicture picture;
    if (PictureDecoder::decode(data, size_t(length), pixelsWanted, picture)) {
        width_ = picture.width;
        height_ = picture.height;
        pixels_ = picture.takePixels();
        if (pixels_) hasAlpha_ = picture.hasAlpha;
    }
    // In size-only mode a missing result may still decode later.
    if (!pixels_ && pixelsWanted) loadFailed_ = true;
}

void Image::unload() {
    hasAlpha_ = false;
    if (context_) {
        context_->release();
        context_ = nullptr;
    }
    if (bitmap_) {
        delete bitmap_;  // its pixels go with it
        bitmap_ = nullptr;
    } else {
        DecodedPicture::freePixels(pixels_);
    }
    pixels_ = nullptr;
}

void Image::setHasAlpha(bool value) {
    if (pixels_) hasAlpha_ = value;
}

bool Image::loadAndHasPixels() {
    ensureLoaded();
    return pixels_ != nullptr;
}

}  // namespace window
