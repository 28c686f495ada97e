#include "sprite/Sprite.h"

#include <cstdint>

#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "util/Region.h"
#include "window/Color.h"
#include "window/FancyHelper.h"
#include "window/Graphics.h"
#include "window/Image.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(Sprite)

Sprite::~Sprite() {
    if (clip) clip->release();
    if (exclude) exclude->release();
    if (image) image->release();
    if (fancy) fancy->release();
}

bool Sprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    int count = pictures ? pictures->length() : 0;
    auto* first = count > 0 ? static_cast<window::Image*>((*pictures)[0]) : nullptr;
    auto* mask = count > 1 ? static_cast<window::Image*>((*pictures)[1]) : nullptr;
    if (count == 1 || (count > 1 && mask == nullptr && first != nullptr)) {
        setImage(first);
    } else if (first != nullptr && mask != nullptr) {
        lang::Ref<window::Image> masked;
        if (window::Image::canDecodeNow()) {
            masked.reset(first->copy());
            masked->applyMask(mask);
        } else {
            // Decoding is deferred: a "picture|mask" name is resolved on first use.
            lang::String both(*first->getName());
            both.append("|").append(*mask->getName());
            masked.reset(new window::Image(both));
        }
        setImage(masked.get());
    }
    // Missing numbers keep the current coordinate.
    int n = numbers ? numbers->length() : 0;
    setLocation(n > 0 ? (*numbers)[0] : x, n > 1 ? (*numbers)[1] : y);
    return true;
}

template <typename Draw>
void Sprite::withClip(window::Graphics* g, Draw draw) {
    if (clip == nullptr && exclude == nullptr) {
        draw(g);
        return;
    }
    // A derived graphics keeps the narrowed clip local to this sprite.
    lang::Ref<window::Graphics> g2(g->create());
    if (clip) g2->clipRect(clip->x, clip->y, clip->width, clip->height);
    if (exclude) g2->excludeRect(exclude->x, exclude->y, exclude->width, exclude->height);
    draw(g2.get());
    g2->dispose();
}

void Sprite::paint(window::Graphics* g) {
    if (image == nullptr || !shown) return;
    withClip(g, [this](window::Graphics* target) {
        window::FancyHelper* effects = fancy ? target->getFancyHelper() : nullptr;
        if (effects == nullptr) {
            target->drawImage(image, x, y);
            return;
        }
        // Pictures drawn with effects must take the blending path.
        image->setHasAlpha(true);
        effects->copyFrom(fancy);
        target->drawImage(image, x, y);
        effects->reset();
    });
}

void Sprite::paintOutline(window::Graphics* g) {
    window::Color colour(shown ? 0xFF0000FFu : 0xFF808080u);
    withClip(g, [this, &colour](window::Graphics* target) {
        target->setColor(&colour);
        util::RectangleNM r = *getBounds();
        int right = r.x + r.width - 1, bottom = r.y + r.height - 1;
        target->drawLine(r.x, r.y, right, r.y, 1);
        target->drawLine(right, r.y, right, bottom, 1);
        target->drawLine(right, bottom, r.x, bottom, 1);
        target->drawLine(r.x, bottom, r.x, r.y, 1);
    });
}

util::RectangleNM Sprite::dirtyArea() const {
    ObjectLock hold(&dirtyRect, true);
    return dirtyRect;
}

void Sprite::unionInto(util::RectangleNM& dst, const util::RectangleNM& src) {
    if (src.width <= 0 || src.height <= 0) return;
    if (dst.width == 0 || dst.height == 0) dst = src;
    else
        dst.add(src);
}

bool Sprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    shown = visible;
    if (!dirty) return false;
    ObjectLock hold(&dirtyRect, true);
    dirty = false;
    if (region) region->addRect(dirtyRect);
    if (total) unionInto(*total, dirtyRect);
    dirtyRect.set(0, 0, 0, 0);
    return true;
}

void Sprite::addDirty(const util::RectangleNM& r) {
    {
        ObjectLock hold(&dirtyRect, true);
        if (dirtyRect.width == 0) dirtyRect = r;
        else
            unionInto(dirtyRect, r);
        dirty = true;
    }
    // Marked first, so a collection that sees the request finds the area.
    requestLook();
}

void Sprite::repaint() {
    if (!visible) return;
    util::RectangleNM* r = getBounds();
    if (r->width > 0 && r->x + r->width >= 0 && r->y + r->height >= 0) addDirty(*r);
}

void Sprite::setLocation(int nx, int ny) {
    if (nx == x && ny == y) return;
    repaint();
    x = nx;
    y = ny;
    repaint();
}

void Sprite::setLocationQuiet(int nx, int ny) {
    x = nx;
    y = ny;
}

void Sprite::translate(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    repaint();
    x += dx;
    y += dy;
    repaint();
}

void Sprite::setVisible(bool value) {
    if (value == visible) return;
    // repaint() records nothing while hidden, so hiding marks the old area
    // and showing marks the new one.
    repaint();
    visible = value;
    repaint();
    // shown follows at the next collection, even when nothing was marked.
    requestLook();
}

void Sprite::setSize(int w, int h) {
    if (w == width && h == height) return;
    repaint();
    width = w;
    height = h;
    repaint();
}

bool Sprite::contains(int px, int py) { return bounds.contains(px, py); }

util::RectangleNM* Sprite::getBounds() {
    if (width != -1 && height != -1) {
        bounds.set(x, y, width, height);
        if (clip) bounds.intersect(*clip);
    } else {
        bounds.set(x, y, 0, 0);
    }
    return &bounds;
}

Sprite* Sprite::clone() {
    auto* copy = new Sprite();
    copy->shown = shown;
    copy->visible = visible;
    copy->width = width;
    copy->height = height;
    copy->x = x;
    copy->y = y;
    if (image) {
        image->addRef();
        copy->image = image;
    }
    if (clip) copy->clip = new util::RectangleNM(*clip);
    if (exclude) copy->exclude = new util::RectangleNM(*exclude);
    return copy;
}

void Sprite::replaceRect(util::RectangleNM*& slot, const util::RectangleNM* r) {
    if (r == nullptr) {
        if (slot) slot->release();
        slot = nullptr;
    } else if (slot == nullptr) {
        slot = new util::RectangleNM(*r);
    } else {
        *slot = *r;
    }
}

void Sprite::setClip(const util::RectangleNM* r) {
    repaint();
    replaceRect(clip, r);
    repaint();
}

util::RectangleNM* Sprite::getClip() {
    if (clip) clip->addRef();
    return clip;
}

void Sprite::setExclude(const util::RectangleNM* r) { replaceRect(exclude, r); }

void Sprite::setImage(window::Image* picture) {
    repaint();
    if (picture) {
        picture->addRef();
        width = picture->getWidth();
        height = picture->getHeight();
    }
    if (image) image->release();
    image = picture;
    repaint();
}

namespace {

// The picture's pixels with the row stride in pixels, or null.
uint32_t* pixelsOf(window::Image* picture, int& stride) {
    uint32_t* pixels = picture->getPixels();
    stride = picture->getBytesPerRow() / 4;
    return pixels;
}

}  // namespace

bool Sprite::hitTest(int px, int py) {
    if (image == nullptr) return contains(px, py);
    int dx = px - getX(), dy = py - getY();
    if (dx < 0 || dy < 0 || dx >= image->getWidth() || dy >= image->getHeight()) return false;
    int stride;
    uint32_t* pixels = pixelsOf(image, stride);
    // A decode may fail or shrink the picture; only a pixel inside it counts.
    if (pixels == nullptr || dx >= image->getWidth() || dy >= image->getHeight()) return false;
    return pixels[dy * stride + dx] >= 0x01000000u;
}

bool Sprite::findEdge(int& px, int& py, int side, int threshold) {
    if (image == nullptr) return false;
    int stride;
    uint32_t* pixels = pixelsOf(image, stride);
    if (pixels == nullptr) return false;
    int w = image->getWidth(), h = image->getHeight();
    int col = px - getX(), row = py - getY();
    uint32_t limit = static_cast<uint32_t>(threshold) << 24;
    // Walks n pixels from (c, r) by (dc, dr); answers the steps to the first that counts, or -1.
    auto scan = [&](int c, int r, int dc, int dr, int n) {
        for (int i = 0; i < n; ++i, c += dc, r += dr)
            if ((pixels[r * stride + c] & 0xFF000000u) >= limit) return i;
        return -1;
    };
    bool vertical = (side & 0xFF) == 'T' || (side & 0xFF) == 'B';
    bool horizontal = (side & 0xFF) == 'L' || (side & 0xFF) == 'R';
    // Only a line that lies inside the picture can be scanned.
    if (vertical && (h < 1 || col < 0 || col >= w)) return false;
    if (horizontal && (w < 1 || row < 0 || row >= h)) return false;
    int found;
    switch (side & 0xFF) {
    case 'T':
        if ((found = scan(col, 0, 0, 1, h)) < 0) return false;
        py = getY() + found;
        return true;
    case 'B':
        if ((found = scan(col, h - 1, 0, -1, h)) < 0) return false;
        py = getY() + h - 1 - found;
        return true;
    case 'L':
        if ((found = scan(0, row, 1, 0, w)) < 0) return false;
        px = getX() + found;
        return true;
    case 'R':
        if ((found = scan(w - 1, row, -1, 0, w)) < 0) return false;
        px = getX() + w - 1 - found;
        return true;
    default: return false;
    }
}

window::FancyHelper* Sprite::ensureFancy() {
    if (fancy == nullptr) fancy = new window::FancyHelper();
    return fancy;
}

void Sprite::setColorFactors(int alpha, int red, int green, int blue) {
    if (ensureFancy()->setFactors(alpha, red, green, blue)) repaint();
}

void Sprite::setAlpha(int alpha) {
    window::FancyHelper* f = ensureFancy();
    if (f->alpha == alpha) return;
    f->alpha = alpha;  // alone, without marking the effect settings as changed
    repaint();
}

bool Sprite::setShadow(int dx, int dy, bool on) {
    ensureFancy()->setShadow(dx, dy, on);
    return true;
}

int Sprite::getAlpha() { return fancy ? fancy->alpha : 128; }

void Sprite::unloadImage() {
    if (image) image->unload();
}

void Sprite::loadImage() {
    if (image) image->ensureLoaded();
}

}  // namespace sprite
