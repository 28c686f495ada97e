#pragma once

#include <cstdint>

#include "lang/Object.h"

namespace window {

// The effect settings of image blits on an image surface: colour and alpha
// factors in 1/128 units (128 leaves a channel unchanged), and a drop shadow.
class FancyHelper : public lang::Object {
public:
    FancyHelper() = default;
    MENTARIUM_CLASS(FancyHelper, lang::Object)

    // True when any of the four differed. Every call also raises the
    // process-wide mark that effect settings have changed.
    virtual bool setFactors(int alpha, int red, int green, int blue);
    // The four factors, the shadow flag and its offset.
    virtual void copyFrom(const FancyHelper* other);
    virtual void reset();
    // The opaque colour (r, g, b) with the colour factors applied, each channel at most 255.
    virtual uint32_t tint(int r, int g, int b) const;

    bool colorFactorsOn() const { return red != 128 || green != 128 || blue != 128; }
    void setShadow(int dx, int dy, bool on) {
        shadowDx = dx;
        shadowDy = dy;
        shadowOn = on;
    }

    // Reads and clears the mark that effect settings have changed.
    static bool takeEffectsChangedMark();

    int depth = 32;
    int red = 128;
    int green = 128;
    int blue = 128;
    int alpha = 128;
    bool shadowOn = false;
    int shadowDx = 0;
    int shadowDy = 0;
    // The picture of the blit under way.
    const uint32_t* sourcePixels = nullptr;
    int sourceWidth = 0;
    int sourceHeight = 0;
    int sourceStride = 0;  // in pixels
};

}  // namespace window
