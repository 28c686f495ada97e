#pragma once

#include "lang/Object.h"
#include "lang/String.h"

namespace platform {
class FontFace;
}

namespace window {

class FontMetrics;

// A platform font made from a face name and a size: the size is the character
// height in pixels, normal weight, upright.
class Font : public lang::Object {
public:
    Font(const lang::String& faceName, int size);
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font() override;
    MENTARIUM_CLASS(Font, lang::Object)

    // Made on first call; the caller gets its own reference.
    virtual FontMetrics* getFontMetrics();

    // Null when no font file could be found.
    platform::FontFace* getHandle() const { return handle_; }
    int getSize() const { return size_; }

private:
    platform::FontFace* handle_;
    int size_;
    FontMetrics* metrics_ = nullptr;
};

}  // namespace window
