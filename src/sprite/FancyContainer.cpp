#include "sprite/FancyContainer.h"

#include <cstring>

#include "lang/IntArray.h"
#include "lang/ObjectLock.h"
#include "sprite/Pausable.h"
#include "window/FancyHelper.h"
#include "window/Graphics.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(FancyContainer)

FancyContainer::FancyContainer() : FancyContainer(1, 1) {}

FancyContainer::FancyContainer(int w, int h) {
    width = w;
    height = h;
    region.addRect(0, 0, w, h);
}

FancyContainer::~FancyContainer() {
    // Children that outlive the container must not pass their changes up to it.
    for (int i = 0; i < children.size(); ++i)
        static_cast<Sprite*>(children.uncheckedAt(i))->lookRequest().unlinkFrom(&lookRequest());
}

bool FancyContainer::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    int n = numbers ? numbers->length() : 0;
    if (n > 2) width = (*numbers)[2];
    if (n > 3) height = (*numbers)[3];
    setLocation(n > 0 ? (*numbers)[0] : x, n > 1 ? (*numbers)[1] : y);
    return true;
}

void FancyContainer::resetRegion() {
    ObjectLock hold(&region, true);
    region.clear();
    region.addRect(0, 0, width, height);
}

void FancyContainer::dropBuffer() {
    if (image) image->release();
    image = nullptr;
}

void FancyContainer::paint(window::Graphics* g) {
    if (!shown) return;
    ObjectLock holdRegion(&region, true);
    if (!fadingOut) {
        window::Graphics* g2 = g->create();
        g2->clipRect(x, y, width, height);
        g2->translate(x, y);
        util::Region* visibleArea = g2->getClip();
        int tx = 0, ty = 0;
        g2->getTranslation(&tx, &ty);
        visibleArea->translate(-tx, -ty);
        {
            ObjectLock holdChildren(&children, true);
            paintChildren(g2, visibleArea);
        }
        visibleArea->release();
        g2->dispose();
        g2->release();
        region.clear();
        return;
    }
    // While fading, the children are composed into a buffer that is drawn with
    // the container's alpha, so they fade as one picture.
    if (image == nullptr) {
        image = new window::Image(width, height, 1, false);
        image->setHasAlpha(true);
    }
    if (!region.isEmpty()) {
        region.clear();
        region.addRect(0, 0, width, height);
        if (uint32_t* pixels = image->getPixels())
            std::memset(pixels, 0, static_cast<size_t>(image->getBytesPerRow()) * image->getHeight());
        window::Graphics* bg = image->getGraphics();
        bg->setClip(&region);
        {
            ObjectLock holdChildren(&children, true);
            paintChildren(bg, &region);
        }
        bg->dispose();
        bg->release();
        region.clear();
    }
    Sprite::paint(g);
}

void FancyContainer::paintChildren(window::Graphics* g, util::Region* clipArea) {
    for (int i = 0; i < children.size(); ++i) {
        auto* child = static_cast<Sprite*>(children.uncheckedAt(i));
        if (child->isShown() && clipArea->intersects(*child->getBounds())) child->paint(g);
    }
}

bool FancyContainer::collectDirty(int tick, util::RectangleNM* total, util::Region* callerRegion) {
    if (fadingOut) {
        int alpha = getAlpha() - fadeStep;
        if (alpha > 0) {
            fancy->alpha = alpha;
            repaint();
        } else {
            setVisible(false);
            fadingOut = false;
        }
    }
    bool result = Sprite::collectDirty(tick, total, callerRegion);

    util::Region childArea;
    util::RectangleNM own(0, 0, width, height);
    bool changed = false;
    {
        ObjectLock holdChildren(&children, true);
        for (int i = 0; i < children.size(); ++i) {
            auto* child = static_cast<Sprite*>(children.uncheckedAt(i));
            // A child that neither changed nor animates has nothing to hand over.
            if (!child->takeLookRequest()) continue;
            util::RectangleNM r;
            if (!child->collectDirty(tick, &r, &childArea)) continue;
            r.intersect(own);
            if (r.width <= 0) continue;
            changed = true;
            if (shown && total) {
                r.x += x;
                r.y += y;
                unionInto(*total, r);
            }
        }
    }
    if (changed) {
        {
            ObjectLock holdRegion(&region, true);
            childArea.intersectRect(0, 0, width, height);
            region.addRegion(childArea);
        }
        if (shown) {
            childArea.translate(x, y);
            if (callerRegion) callerRegion->addRegion(childArea);
            result = true;
        }
    }
    ObjectLock holdChildren(&children, true);
    for (int i = removals.size() - 1; i >= 0; --i) {
        auto* gone = static_cast<Sprite*>(removals.elementAt(i));
        gone->addRef();
        removals.removeElementAt(i);
        children.removeElement(gone);
        gone->lookRequest().unlinkFrom(&lookRequest());
        gone->release();
    }
    return result;
}

void FancyContainer::setVisible(bool value) {
    if (!value) fadingOut = false;
    Sprite::setVisible(value);
}

void FancyContainer::setSize(int w, int h) {
    repaint();
    width = w;
    height = h;
    dropBuffer();
    resetRegion();
    repaint();
}

void FancyContainer::setColorFactors(int alpha, int red, int green, int blue) {
    ObjectLock holdChildren(&children, true);
    for (int i = 0; i < children.size(); ++i)
        static_cast<Sprite*>(children.uncheckedAt(i))->setColorFactors(alpha, red, green, blue);
}

void FancyContainer::loadImages() {
    ObjectLock holdChildren(&children, true);
    for (int i = 0; i < children.size(); ++i) {
        auto* child = static_cast<Sprite*>(children.uncheckedAt(i));
        if (child->isVisible()) child->loadImage();
    }
}

void FancyContainer::unloadImages() {
    ObjectLock holdChildren(&children, true);
    for (int i = 0; i < children.size(); ++i) static_cast<Sprite*>(children.uncheckedAt(i))->unloadImage();
}

void FancyContainer::linkChild(Sprite* child) {
    child->lookRequest().linkTo(&lookRequest());
    // The next collection visits it, so that its shown state follows its visibility.
    child->requestLook();
}

void FancyContainer::markChildDirty(const util::RectangleNM& r) {
    {
        ObjectLock holdRegion(&region, true);
        region.addRect(r);
    }
    addDirty(util::RectangleNM(r.x + x, r.y + y, r.width, r.height));
}

bool FancyContainer::insertChild(SpriteBase* child, int index, bool leaveRemovals) {
    // index -1 appends on top.
    auto* s = static_cast<Sprite*>(child);
    s->addRef();  // keeps the child alive while it moves within the list
    children.removeElement(s);
    if (index < 0 || index > children.size()) children.addElement(s);
    else
        children.insertElementAt(s, index);
    if (!leaveRemovals) removals.removeElement(s);
    linkChild(s);
    if (s->isVisible()) markChildDirty(*s->getBounds());
    s->release();
    return true;
}

bool FancyContainer::add(SpriteBase* child) {
    if (child == nullptr || !child->isInstanceOf("Sprite")) return false;
    ObjectLock holdRegion(&region, true);
    ObjectLock holdChildren(&children, true);
    return insertChild(child, -1, false);
}

bool FancyContainer::addAfter(SpriteBase* child, SpriteBase* ref) {
    if (child == nullptr || !child->isInstanceOf("Sprite")) return false;
    ObjectLock holdRegion(&region, true);
    ObjectLock holdChildren(&children, true);
    int at = 0;
    if (ref != nullptr && ref != child) {
        int refIndex = children.indexOf(ref);
        int own = children.indexOf(child);
        // Taking the child out first shifts ref down by one when it sat above it.
        if (refIndex >= 0) at = (own >= 0 && own < refIndex) ? refIndex : refIndex + 1;
    }
    return insertChild(child, at, true);
}

void FancyContainer::remove(SpriteBase* child) {
    if (child == nullptr) return;
    ObjectLock holdRegion(&region, true);
    ObjectLock holdChildren(&children, true);
    if (children.indexOf(child) < 0) return;
    auto* s = static_cast<Sprite*>(child);
    if (s->isVisible()) markChildDirty(*s->getBounds());
    s->setVisible(false);
    // It stays listed until the next collection, so the pass repaints the place it left.
    if (removals.indexOf(s) < 0) removals.addElement(s);
    requestLook();
}

void FancyContainer::insertBefore(SpriteBase* child, SpriteBase* ref) {
    if (child == nullptr || !child->isInstanceOf("Sprite")) return;
    ObjectLock holdChildren(&children, true);
    auto* s = static_cast<Sprite*>(child);
    s->addRef();
    children.removeElement(s);
    int at = ref ? children.indexOf(ref) : -1;
    children.insertElementAt(s, at < 0 ? 0 : at);
    linkChild(s);
    s->release();
}

void FancyContainer::setAnimationsPaused(bool paused) {
    ObjectLock holdChildren(&children, true);
    for (int i = 0; i < children.size(); ++i) {
        auto* child = static_cast<Sprite*>(children.uncheckedAt(i));
        if (!child->isInstanceOf("AnimateSprite")) continue;
        if (auto* animated = dynamic_cast<Pausable*>(child)) animated->setPaused(paused);
    }
}

void FancyContainer::fadeOut() {
    if (fadingOut) return;
    setAlpha(128);
    fadingOut = true;
    setVisible(true);
    resetRegion();
    repaint();
}

}  // namespace sprite
