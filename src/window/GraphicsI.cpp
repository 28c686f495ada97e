#include "window/GraphicsI.h"

#include "platform/DeviceContext.h"
#include "platform/LineStepper.h"
#include "window/CDC.h"
#include "window/FancyHelper.h"
#include "window/Image.h"

namespace window {

GraphicsI::GraphicsI(Image* image, FancyHelper* effects) : GraphicsW(nullptr), image_(image), effects_(effects) {
    if (image_) {
        image_->addRef();
        clip_.set(0, 0, image_->getWidth(), image_->getHeight());
    }
    if (effects_) effects_->addRef();
}

GraphicsI::~GraphicsI() {
    if (image_) image_->release();
    if (effects_) effects_->release();
    image_ = nullptr;
    effects_ = nullptr;
}

Image* GraphicsI::getImage() { return image_; }

FancyHelper* GraphicsI::getFancyHelper() {
    if (!effects_) effects_ = new FancyHelper();
    return effects_;
}

void GraphicsI::ensureDC() {
    if (contextOpened_ || !image_) return;
    contextOpened_ = true;
    CDC* dc = image_->getDC();
    if (!dc) return;
    attach(dc);
    if (dc->getHandle()) dc->getHandle()->intersectClipRect(clipRectEdges());
}

pixels::PixelTarget GraphicsI::pixelTarget() {
    pixels::PixelTarget target;
    if (!image_) return target;
    target.pixels = image_->getPixels();
    if (target.pixels) {
        target.width = image_->getWidth();
        target.height = image_->getHeight();
        target.stride = image_->getBytesPerRow() / 4;
    }
    return target;
}

platform::Rect GraphicsI::clipRectEdges() const {
    return platform::Rect{clip_.x, clip_.y, clip_.x + clip_.width, clip_.y + clip_.height};
}

template <class DrawFn>
void GraphicsI::forEachClipArea(DrawFn&& draw) {
    if (contextOpened_ && target_ && target_->getHandle()) {
        platform::DeviceContext* dc = target_->getHandle();
        dc->flush();
        if (const platform::RectRegion* region = dc->clipRegion()) {
            for (const platform::Rect& area : region->rects()) draw(area);
            return;
        }
    }
    draw(clipRectEdges());
}

uint32_t* GraphicsI::pixelAt(int x, int y) {
    pixels::PixelTarget target = pixelTarget();
    x += tx_;
    y += ty_;
    if (!target.pixels || x < 0 || y < 0 || x >= target.width || y >= target.height) return nullptr;
    return target.pixels + static_cast<std::ptrdiff_t>(y) * target.stride + x;
}

bool GraphicsI::drawImage(Image* image, int x, int y) {
    if (!image || !image->loadAndHasPixels()) return false;
    if (!image->hasAlpha() && image->hasBitmap() && image_ && image_->hasBitmap() && drawMode_ != DrawAdditive) {
        // An opaque picture is copied as it is, row by row, straight into the pixels.
        pixels::PixelSource source{image->pixelsNoLoad(), image->getWidth(), image->getHeight(),
                                   image->getBytesPerRow() / 4};
        pixels::PixelTarget target = pixelTarget();
        forEachClipArea([&](const platform::Rect& area) { pixels::copyBlit(target, area, source, x + tx_, y + ty_); });
        return true;
    }
    FancyHelper* fx = getFancyHelper();
    fx->sourceWidth = image->getWidth();
    fx->sourceHeight = image->getHeight();
    fx->sourceStride = image->getBytesPerRow() / 4;
    if (fx->sourceWidth == -1 || fx->sourceHeight == -1) return true;
    fx->sourcePixels = image->pixelsNoLoad();
    pixels::PixelSource source{fx->sourcePixels, fx->sourceWidth, fx->sourceHeight, fx->sourceStride};
    pixels::BlitFactors factors{fx->alpha, fx->red, fx->green, fx->blue};
    pixels::PixelTarget target = pixelTarget();
    bool destAlpha = image_ && image_->hasAlpha();
    x += tx_;
    y += ty_;
    bool shadow = fx->shadowOn, additive = drawMode_ == DrawAdditive;
    int shadowX = x + fx->shadowDx, shadowY = y + fx->shadowDy;
    forEachClipArea([&](const platform::Rect& area) {
        if (shadow) pixels::shadowBlit(target, area, source, shadowX, shadowY, factors.alpha);
        if (additive) {
            pixels::additiveBlit(target, area, source, x, y, factors, destAlpha);
        } else {
            pixels::normalBlit(target, area, source, x, y, factors, destAlpha);
        }
    });
    return true;
}

bool GraphicsI::drawShadow(Image* image, int x, int y) {
    if (!image || !image->loadAndHasPixels()) return true;
    pixels::PixelSource source{image->pixelsNoLoad(), image->getWidth(), image->getHeight(),
                               image->getBytesPerRow() / 4};
    pixels::shadowBlit(pixelTarget(), clipRectEdges(), source, x + tx_, y + ty_, getFancyHelper()->alpha);
    return true;
}

void GraphicsI::plot(int x, int y) {
    if (uint32_t* p = pixelAt(x, y)) *p = color_.value;
}

void GraphicsI::setPixel(int x, int y, uint32_t argb) {
    uint32_t* p = pixelAt(x, y);
    if (!p) return;
    uint32_t a = argb >> 24;
    if (a >= 255) {
        *p = argb;
        return;
    }
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t d = (*p >> shift) & 0xFF, s = (argb >> shift) & 0xFF;
        out |= ((d * (256 - a) + s * a) >> 8) << shift;
    }
    *p = out;
}

uint32_t GraphicsI::getPixel(int x, int y) {
    uint32_t* p = pixelAt(x, y);
    return p ? *p : 0;
}

void GraphicsI::clipRect(int x, int y, int width, int height) {
    clip_.intersect(util::RectangleNM(x + tx_, y + ty_, width, height));
    if (contextOpened_ && target_) GraphicsW::clipRect(x, y, width, height);
}

Graphics* GraphicsI::create() {
    auto* copy = new GraphicsI(image_, nullptr);
    copy->contextOpened_ = contextOpened_;
    copy->attach(target_);
    copy->tx_ = tx_;
    copy->ty_ = ty_;
    copy->clip_ = clip_;
    return copy;
}

void GraphicsI::fillRect(int x, int y, int width, int height) {
    uint32_t rgb = color_.value;
    uint32_t color = getFancyHelper()->tint((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    platform::Rect area{x + tx_, y + ty_, x + tx_ + width, y + ty_ + height};
    pixels::fillOpaque(pixelTarget(), clipRectEdges(), area, color);
}

void GraphicsI::fillRectColor(int x, int y, int width, int height, uint32_t argb) {
    pixels::PixelTarget target = pixelTarget();
    platform::Rect area{x + tx_, y + ty_, x + tx_ + width, y + ty_ + height};
    forEachClipArea([&](const platform::Rect& clip) { pixels::fillBlended(target, clip, area, argb); });
}

void GraphicsI::drawLine(int x1, int y1, int x2, int y2, int width) {
    if (width >= 2) {
        GraphicsW::drawLine(x1, y1, x2, y2, width);
        return;
    }
    // Thin lines write single pixels, kept inside the clip rectangle.
    pixels::PixelTarget target = pixelTarget();
    if (!target.pixels) return;
    platform::Rect clip = clipRectEdges();
    uint32_t color = color_.value;
    platform::stepLine(x1 + tx_, y1 + ty_, x2 + tx_, y2 + ty_, [&](int x, int y) {
        if (x < clip.left || y < clip.top || x >= clip.right || y >= clip.bottom) return;
        if (x < 0 || y < 0 || x >= target.width || y >= target.height) return;
        target.pixels[static_cast<std::ptrdiff_t>(y) * target.stride + x] = color;
    });
}

}  // namespace window
