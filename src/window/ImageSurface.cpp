// The platform side of images: the bitmap a context can select, its context,
// and graphics drawing into the image.
#include "platform/DeviceContext.h"
#include "platform/Surface.h"
#include "window/CDC.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

namespace window {

GraphicsI* Image::getGraphics() { return new GraphicsI(this, nullptr); }

void Image::makeBitmap() {
    // Nothing to turn into a bitmap until pixels exist (a lazily sized image stays unloaded).
    if (bitmap_ || !pixels_) return;
    // Heap pixels come from the surface allocator, so the bitmap takes them over in place.
    bitmap_ = new platform::Surface(width_, height_, pixels_, true);
    pixels_ = bitmap_->pixels();
}

CDC* Image::getDC() {
    if (context_) return context_;
    makeBitmap();
    auto* dc = new platform::DeviceContext();
    dc->selectSurface(bitmap_);
    context_ = new CDC(dc, nullptr);
    return context_;
}

}  // namespace window
