#pragma once

#include <cstddef>
#include <cstdint>

#include "window/DecodedPicture.h"

namespace window {

// Our own GIF reader (87a and 89a). Only the first frame is decoded; it is
// placed on the logical screen, whose other pixels take colour index 0.
// Hostile input is contained: frames are clipped to the screen, LZW output
// stops at the frame's size, and a code chain that would overrun the output
// stack, or a table past 4096 entries, ends decoding with what was decoded.
// Each decoder keeps its own state, so decodes on different threads are safe.
class GifDecoder {
public:
    static constexpr int kTableSize = 4096;

    GifDecoder();

    // With pixelsWanted false only the logical screen size is read. Returns
    // false (and leaves out without pixels) for a bad header, a missing colour
    // table, a picture without any frame, or a refused size.
    bool decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out);

    // From the graphic control block before the first frame, in 1/100 s.
    int frameDelay() const { return delay_; }
    // Whether a NETSCAPE2.0 looping block was seen.
    bool looping() const { return looping_; }
    int transparentIndex() const { return transparent_; }
    bool interlaced() const { return interlaced_; }

private:
    class Reader;

    bool readColourTable(Reader& in, int packed, uint32_t* table);
    bool readFrame(Reader& in, uint8_t* canvas);
    void readExtension(Reader& in);
    // LZW-decodes at most limit indices into out; returns how many were produced.
    size_t decodeLzw(Reader& in, uint8_t* out, size_t limit);
    void placeRows(const uint8_t* frame, int left, int top, int frameWidth, int frameHeight, uint8_t* canvas) const;
    void convert(const uint8_t* canvas, uint32_t* pixels) const;

    int width_ = 0;
    int height_ = 0;
    int background_ = 0;
    int transparent_ = -1;
    int delay_ = 1;
    bool looping_ = false;
    bool interlaced_ = false;
    bool hasGlobalTable_ = false;
    uint32_t globalTable_[256];
    uint32_t frameTable_[256];  // 0xFFRRGGBB per entry

    int prefix_[kTableSize];
    uint8_t suffix_[kTableSize];
    uint8_t stack_[kTableSize];
};

}  // namespace window
