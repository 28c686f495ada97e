#pragma once

#include <cstdint>

#include "lang/Object.h"
#include "lang/String.h"

namespace platform {
class Surface;
}

namespace window {

class CDC;
class GraphicsI;

// The game's raster: 32-bit 0xAARRGGBB pixels, top-down, stride width * 4.
// Made from encoded bytes (GIF, PNG, JPEG), from a name loaded on demand ("+item"
// from the archive, or a file; "a|b" takes b as a black-and-white alpha mask),
// or empty at a size. While a scene loads in the background only sizes are read;
// pixels are decoded on first use.
class Image : public lang::Object {
public:
    Image();
    Image(const uint8_t* data, int length);
    explicit Image(const lang::String& name);
    Image(int width, int height, int fill, bool bitmapNow);
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    ~Image() override;
    MENTARIUM_CLASS(Image, lang::Object)

    virtual GraphicsI* getGraphics();    // 14: new GraphicsI with no FancyHelper
    virtual int getBytesPerRow() const;  // 15: width * 4
    virtual uint32_t* getPixels();       // 16: ensureLoaded() first when none; may be null
    virtual lang::String* getName();
    virtual Image* copy();

    void decode(const uint8_t* data, int length);
    void ensureLoaded();
    void load(const lang::String& name);
    void applyMask(Image* mask);
    void unload();
    void setHasAlpha(bool value);
    bool hasPixels() const { return pixels_ != nullptr; }
    bool loadAndHasPixels();
    bool hasAlpha() const { return hasAlpha_; }
    bool loadFailed() const { return loadFailed_; }
    void makeBitmap();
    bool hasBitmap() const { return bitmap_ != nullptr; }
    CDC* getDC();

    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    // The pixels as they are now, without loading.
    uint32_t* pixelsNoLoad() const { return pixels_; }

    // Process-wide decoding mode: with the flag clear and a scene load in
    // progress, decoders read only sizes.
    static bool canDecodeNow();
    static bool decodeImmediately();
    static void setDecodeImmediately(bool value);
    static void beginSceneLoad();
    static void endSceneLoad();

private:
    platform::Surface* bitmap_ = nullptr;  // owns the pixels once made
    CDC* context_ = nullptr;
    uint32_t* pixels_ = nullptr;  // heap buffers from platform::Surface::allocatePixels
    int height_ = 0;
    int width_ = 0;
    bool hasAlpha_ = false;
    bool loadFailed_ = false;
    lang::String name_;
};

}  // namespace window
