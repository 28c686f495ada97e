#include "window/GifDecoder.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>

namespace window {

// Bounded reading from the encoded bytes: past the end, read() gives -1 and
// readAll() reports a short read.
class GifDecoder::Reader {
public:
    Reader(const uint8_t* data, size_t length) : data_(data), length_(length) {}

    int read() { return pos_ < length_ ? data_[pos_++] : -1; }

    // Copies up to n bytes; answers how many were there.
    size_t readUpTo(uint8_t* out, size_t n) {
        size_t got = std::min(n, length_ - pos_);
        std::memcpy(out, data_ + pos_, got);
        pos_ += got;
        return got;
    }

    bool readAll(uint8_t* out, size_t n) { return readUpTo(out, n) == n; }

private:
    const uint8_t* data_;
    size_t length_;
    size_t pos_ = 0;
};

namespace {

int le16(const uint8_t* b) { return b[0] | b[1] << 8; }

}  // namespace

GifDecoder::GifDecoder() {
    std::fill(std::begin(globalTable_), std::end(globalTable_), 0xFF000000u);
    std::fill(std::begin(frameTable_), std::end(frameTable_), 0xFF000000u);
    std::memset(prefix_, 0, sizeof prefix_);
    std::memset(suffix_, 0, sizeof suffix_);
}

bool GifDecoder::decode(const uint8_t* data, size_t length, bool pixelsWanted, DecodedPicture& out) {
    Reader in(data, length);
    uint8_t header[6];
    if (!in.readAll(header, 6)) return false;
    if (std::memcmp(header, "GIF87a", 6) != 0 && std::memcmp(header, "GIF89a", 6) != 0) return false;

    uint8_t screen[7];
    if (!in.readAll(screen, 7)) return false;
    width_ = le16(screen);
    height_ = le16(screen + 2);
    int packed = screen[4];
    background_ = screen[5];
    hasGlobalTable_ = (packed & 0x80) != 0;
    if (hasGlobalTable_ && !readColourTable(in, packed, globalTable_)) return false;
    if (!DecodedPicture::sizeAllowed(width_, height_)) return false;

    out.width = width_;
    out.height = height_;
    if (!pixelsWanted) return true;

    std::unique_ptr<uint8_t[]> canvas(new (std::nothrow) uint8_t[size_t(width_) * height_]);
    if (!canvas) return false;
    std::memset(canvas.get(), 0, size_t(width_) * height_);
    if (!readFrame(in, canvas.get())) return false;

    uint32_t* pixels = DecodedPicture::allocatePixels(width_, height_);
    if (!pixels) return false;
    convert(canvas.get(), pixels);
    out.pixels = pixels;
    out.hasAlpha = transparent_ != -1;
    return true;
}

bool GifDecoder::readColourTable(Reader& in, int packed, uint32_t* table) {
    int entries = 1 << ((packed & 7) + 1);
    uint8_t rgb[3 * 256];
    if (!in.readAll(rgb, size_t(3) * entries)) return false;
    // Indices past the table's end show opaque black.
    std::fill(table, table + 256, 0xFF000000u);
    for (int i = 0; i < entries; i++) {
        table[i] = 0xFF000000u | uint32_t(rgb[3 * i]) << 16 | uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    }
    return true;
}

void GifDecoder::readExtension(Reader& in) {
    int label = in.read();
    if (label < 0) return;
    uint8_t block[256];
    for (;;) {
        int size = in.read();
        if (size <= 0) return;
        std::memset(block, 0, sizeof block);
        bool complete = in.readAll(block, size_t(size));
        if (size == 11 && std::memcmp(block, "NETSCAPE2.0", 11) == 0) looping_ = true;
        if (label == 0xF9) {
            delay_ = block[1] | block[2] << 8;
            if (block[0] & 1) transparent_ = block[3];
        }
        if (!complete) return;
    }
}

bool GifDecoder::readFrame(Reader& in, uint8_t* canvas) {
    delay_ = 1;
    for (;;) {
        int introducer = in.read();
        if (introducer == 0x00) continue;
        if (introducer == 0x21) {
            readExtension(in);
            continue;
        }
        if (introducer != 0x2C) return false;  // the trailer, junk or the end: no frame
        break;
    }

    uint8_t descriptor[9];
    if (!in.readAll(descriptor, 9)) return false;
    int left = le16(descriptor);
    int top = le16(descriptor + 2);
    int frameWidth = le16(descriptor + 4);
    int frameHeight = le16(descriptor + 6);
    int packed = descriptor[8];
    bool localTable = (packed & 0x80) != 0;
    interlaced_ = ((packed >> 6) & 1) != 0;
    if (!localTable && !hasGlobalTable_) return false;
    // The local table comes straight after the descriptor, before the image data.
    if (localTable) {
        if (!readColourTable(in, packed, frameTable_)) return false;
    } else {
        std::memcpy(frameTable_, globalTable_, sizeof frameTable_);
    }
    if (!DecodedPicture::sizeAllowed(frameWidth, frameHeight)) return false;

    size_t frameSize = size_t(frameWidth) * frameHeight;
    std::unique_ptr<uint8_t[]> frame(new (std::nothrow) uint8_t[frameSize]);
    if (!frame) return false;
    std::memset(frame.get(), 0, frameSize);
    decodeLzw(in, frame.get(), frameSize);
    placeRows(frame.get(), left, top, frameWidth, frameHeight, canvas);
    return true;
}

size_t GifDecoder::decodeLzw(Reader& in, uint8_t* out, size_t limit) {
    int minSize = in.read();
    if (minSize < 0 || minSize > 11) return 0;  // codes never exceed 12 bits
    const int clear = 1 << minSize;
    const int end = clear + 1;
    int codeSize = minSize + 1;
    int mask = (1 << codeSize) - 1;
    int next = clear + 2;
    int old = -1;
    uint8_t first = 0;
    for (int i = 0; i < clear; i++) {
        prefix_[i] = 0;
        suffix_[i] = uint8_t(i);
    }

    size_t produced = 0;
    auto emit = [&](uint8_t index) {
        if (produced < limit) out[produced++] = index;
    };
    // Handles one code; false ends decoding.
    auto handle = [&](int code) -> bool {
        if (code == clear) {
            codeSize = minSize + 1;
            mask = (1 << codeSize) - 1;
            next = clear + 2;
            old = -1;
            return true;
        }
        if (old == -1) {
            emit(suffix_[code]);
            first = uint8_t(code);
            old = code;
            return true;
        }
        if (code > next || code >= kTableSize) return false;
        int sp = 0;
        int c = code;
        if (code == next) {
            stack_[sp++] = first;
            c = old;
        }
        while (c > clear) {
            if (sp >= kTableSize) return false;  // a looping or overlong chain
            stack_[sp++] = suffix_[c];
            c = prefix_[c];
        }
        if (sp >= kTableSize) return false;
        first = suffix_[c];
        stack_[sp++] = first;
        if (next < kTableSize) {
            prefix_[next] = old;
            suffix_[next] = first;
            next++;
            if ((next & mask) == 0 && next < kTableSize && codeSize < 12) {
                codeSize++;
                mask = (1 << codeSize) - 1;
            }
        }
        while (sp > 0) emit(stack_[--sp]);
        old = code;
        return true;
    };

    uint32_t acc = 0;
    int bits = 0;
    uint8_t block[255];
    for (;;) {
        int size = in.read();
        if (size <= 0) break;
        // A short final block still yields the bytes it holds.
        size_t got = in.readUpTo(block, size_t(size));
        for (size_t i = 0; i < got; i++) {
            acc |= uint32_t(block[i]) << bits;
            bits += 8;
            while (bits >= codeSize) {
                int code = int(acc & uint32_t(mask));
                if (code == end) return produced;
                acc >>= codeSize;
                bits -= codeSize;
                if (!handle(code)) return produced;
            }
        }
        if (got < size_t(size) || produced >= limit) break;
    }
    return produced;
}

void GifDecoder::placeRows(const uint8_t* frame, int left, int top, int frameWidth, int frameHeight,
                           uint8_t* canvas) const {
    if (left >= width_ || top >= height_) return;
    int columns = std::min(frameWidth, width_ - left);
    auto place = [&](int sourceRow, int frameRow) {
        int y = top + frameRow;
        if (y >= height_) return;
        std::memcpy(canvas + size_t(y) * width_ + left, frame + size_t(sourceRow) * frameWidth, size_t(columns));
    };
    if (!interlaced_) {
        for (int row = 0; row < frameHeight; row++) place(row, row);
        return;
    }
    static const int kStart[4] = {0, 4, 2, 1};
    static const int kStep[4] = {8, 8, 4, 2};
    int sourceRow = 0;
    for (int pass = 0; pass < 4; pass++) {
        for (int row = kStart[pass]; row < frameHeight; row += kStep[pass]) place(sourceRow++, row);
    }
}

void GifDecoder::convert(const uint8_t* canvas, uint32_t* pixels) const {
    uint32_t lookup[256];
    std::memcpy(lookup, frameTable_, sizeof lookup);
    if (transparent_ >= 0 && transparent_ < 256) lookup[transparent_] = 0;
    for (int y = 0; y < height_; y++) {
        const uint8_t* row = canvas + size_t(y) * width_;
        uint32_t* target = pixels + size_t(y) * width_;
        for (int x = 0; x < width_; x++) target[x] = lookup[row[x]];
    }
}

}  // namespace window
