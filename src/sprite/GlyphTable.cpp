#include "sprite/GlyphTable.h"

#include "window/Image.h"

namespace sprite {

GlyphTable::GlyphTable(window::Image* metrics) {
    if (metrics == nullptr) return;
    uint32_t* pixels = metrics->getPixels();
    if (pixels == nullptr || metrics->getWidth() < 6) return;
    // Rows of exactly six values; wider pictures keep their records in the first six columns.
    data_ = reinterpret_cast<const int32_t*>(pixels);
    stride_ = metrics->getBytesPerRow() / 4;
    records_ = metrics->getHeight();
}

GlyphMetrics GlyphTable::at(int g) const {
    GlyphMetrics m;
    if (!has(g)) return m;
    const int32_t* r = data_ + g * stride_;
    m.sheetX = r[0];
    m.sheetY = r[1];
    m.width = r[2];
    m.height = r[3];
    m.xOffset = r[4];
    m.advance = r[5];
    return m;
}

}  // namespace sprite
