// Loading an image by name: archive items, disk files and "colour|mask" pairs.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "lang/Exception.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "lang/ResourceFile.h"
#include "lang/ResourceItem.h"
#include "window/DecodedPicture.h"
#include "window/Image.h"

namespace window {

namespace {

// Larger files are refused before they are read: no picture we accept needs more.
constexpr size_t kMaxFileBytes = size_t(DecodedPicture::kMaxPixelBytes);

// The whole file, read in doubling chunks; false when it cannot be opened or is too large.
bool readWholeFile(const lang::String& path, std::vector<uint8_t>& bytes) {
    // Scene data names files with the Windows separator.
    std::string native = path.c_str();
    for (char& c : native)
        if (c == '\\') c = '/';
    std::error_code error;
    if (native.empty() || !std::filesystem::is_regular_file(native, error)) return false;
    std::FILE* file = std::fopen(native.c_str(), "rb");
    if (!file) return false;
    bytes.assign(8192, 0);
    size_t used = 0;
    bool ok = true;
    for (;;) {
        if (used == bytes.size()) {
            if (bytes.size() >= kMaxFileBytes) {
                ok = false;
                break;
            }
            bytes.resize(bytes.size() * 2);
        }
        size_t got = std::fread(bytes.data() + used, 1, bytes.size() - used, file);
        if (got < 1) break;
        used += got;
    }
    std::fclose(file);
    bytes.resize(used);
    return ok;
}

// Loads a name that may hold a mask after "|". The mask is made only when
// pixels are decoded now; in size-only mode it waits for the full load.
void loadNamed(Image& image, const lang::String& name) {
    int bar = name.indexOf('|');
    if (bar < 0) {
        image.load(name);
        return;
    }
    image.load(name.substring(0, bar));
    if (!Image::canDecodeNow()) return;
    lang::Ref<Image> mask(new Image(name.substring(bar + 1)));
    image.applyMask(mask.get());
}

}  // namespace

Image::Image(const lang::String& name) : name_(name) { loadNamed(*this, name); }

void Image::ensureLoaded() {
    // The loader and the render thread may both reach for a picture first.
    ObjectLock hold(this, true);
    if (pixels_ || name_.isEmpty() || loadFailed_) return;
    // Reading the source again in size-only mode would learn nothing new.
    if (width_ > 0 && !canDecodeNow()) return;
    loadNamed(*this, lang::String(name_));
}

void Image::load(const lang::String& name) {
    if (name.startsWith("+")) {
        lang::Ref<lang::ResourceItem> item;
        try {
            item.reset(lang::ResourceFile::fetch(name.substring(1), false));
        } catch (lang::Exception* e) {
            e->release();
        }
        if (!item) {
            loadFailed_ = true;
            return;
        }
        decode(item->getData(), item->getLength());
        return;
    }
    std::vector<uint8_t> bytes;
    if (!readWholeFile(name, bytes)) {
        loadFailed_ = true;
        return;
    }
    decode(bytes.data(), int(bytes.size()));
}

void Image::applyMask(Image* mask) {
    int bar = name_.indexOf('|');
    lang::String joined = bar < 0 ? lang::String(name_) : name_.substring(0, bar);
    joined.append("|");
    joined.append(*mask->getName());
    name_ = joined;

    // Alpha comes from the mask's blue channel, black opaque and white clear;
    // the mask repeats across and down when it is smaller than the image.
    if (!pixels_) return;
    const uint32_t* maskPixels = mask->getPixels();
    int maskWidth = mask->getWidth();
    int maskHeight = mask->getHeight();
    if (!maskPixels || maskWidth < 1 || maskHeight < 1) return;
    for (int y = 0; y < height_; y++) {
        const uint32_t* maskRow = maskPixels + size_t(y % maskHeight) * maskWidth;
        uint32_t* row = pixels_ + size_t(y) * width_;
        for (int x = 0, maskX = 0; x < width_; x++) {
            uint32_t alpha = 255 - (maskRow[maskX] & 0xFF);
            row[x] = (row[x] & 0x00FFFFFFu) | alpha << 24;
            if (++maskX == maskWidth) maskX = 0;
        }
    }
    hasAlpha_ = true;
}

}  // namespace window
