#include "sprite/RectButtonSprite.h"

#include "lang/IntArray.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(RectButtonSprite)

RectButtonSprite::RectButtonSprite() {
    // Every state "shows" the zone, so no state hides it.
    setStateFrames(0, 0, 0, 0, 0, 0, 0);
}

bool RectButtonSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    if (numbers == nullptr || numbers->length() < 4) return false;
    setZone((*numbers)[0], (*numbers)[1], (*numbers)[2], (*numbers)[3]);
    if (numbers->length() >= 5) setState((*numbers)[4]);
    return true;
}

void RectButtonSprite::setZone(int zx, int zy, int zw, int zh) {
    zone.set(zx, zy, zw, zh);
    setLocationQuiet(zx, zy);
    width = zw;
    height = zh;
    getBounds();
}

util::RectangleNM* RectButtonSprite::getBounds() {
    bounds = zone;
    return &bounds;
}

bool RectButtonSprite::contains(int px, int py) { return zone.contains(px, py); }

Sprite* RectButtonSprite::clone() {
    auto* copy = new RectButtonSprite();
    copyButtonTo(copy);
    copy->zone = zone;
    copy->bounds = zone;
    return copy;
}

}  // namespace sprite
