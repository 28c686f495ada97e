#pragma once

#include "lang/ObjectArray.h"
#include "window/Image.h"

namespace window {

// An array of images that, unlike its base, holds a reference to each image it
// stores and gives them back when an image is replaced, dropped or the array dies.
class ImageArray : public lang::ObjectArray {
public:
    ImageArray() = default;
    explicit ImageArray(int length) : lang::ObjectArray(length) {}
    ~ImageArray() override;
    MENTARIUM_CLASS(ImageArray, lang::ObjectArray)

    Image* get(int i) const;        // borrowed; null out of range
    void set(int i, Image* image);  // takes a reference; ignored out of range
    void append(Image* image);      // grows by one
    void setLength(int n);          // releases the images it drops
};

}  // namespace window
