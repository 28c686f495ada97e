#include "window/Font.h"

#include "lang/ObjectLock.h"
#include "platform/DeviceContext.h"
#include "platform/FontFace.h"
#include "window/CMainDC.h"
#include "window/FontMetrics.h"

namespace window {

Font::Font(const lang::String& faceName, int size)
    : handle_(platform::FontFace::open(faceName.c_str(), size)), size_(size) {}

Font::~Font() {
    if (metrics_) {
        metrics_->font_ = nullptr;
        metrics_->release();
    }
    delete handle_;
}

FontMetrics* Font::getFontMetrics() {
    ObjectLock hold(this, true);
    if (!metrics_) metrics_ = new FontMetrics(this);
    metrics_->addRef();
    return metrics_;
}

FontMetrics::FontMetrics(Font* font) : font_(font) {
    CMainDC screen;
    platform::DeviceContext* dc = screen.getHandle();
    if (dc && font->getHandle()) {
        dc->selectFont(font->getHandle());
        metrics_ = dc->textMetrics();
        dc->selectFont(nullptr);
    }
}

int FontMetrics::stringWidth(const lang::String& text) const { return charsWidth(text.c_str(), text.length()); }

int FontMetrics::charsWidth(const char* text, int length) const {
    if (!font_ || !font_->getHandle() || !text || length <= 0) return 0;
    return font_->getHandle()->measure(text, length);
}

}  // namespace window
