#pragma once

#include <cstdint>

#include "platform/PictureTarget.h"
#include "window/DecodedPicture.h"

namespace window {

// Lets a platform codec decode into a DecodedPicture: sizes are held to what
// DecodedPicture allows, and the pixels come from its allocator. The picture
// receives the size and pixels only through finish, after a decode succeeded;
// a buffer left unfinished goes back when the target does.
class DecodedPictureTarget : public platform::PictureTarget {
public:
    DecodedPictureTarget(bool pixelsWanted, DecodedPicture& out) : pixelsWanted_(pixelsWanted), out_(out) {}
    DecodedPictureTarget(const DecodedPictureTarget&) = delete;
    DecodedPictureTarget& operator=(const DecodedPictureTarget&) = delete;
    ~DecodedPictureTarget() override { DecodedPicture::freePixels(pixels_); }

    bool accept(int width, int height) override;
    bool wantsPixels() const override { return pixelsWanted_; }
    uint32_t* allocate(bool hasAlpha) override;

    // Hands the size, pixels and transparency to the picture; returns true.
    bool finish();

private:
    bool pixelsWanted_;
    DecodedPicture& out_;
    int width_ = 0;
    int height_ = 0;
    uint32_t* pixels_ = nullptr;
    bool hasAlpha_ = false;
};

}  // namespace window
