#include "sprite/ColorBalButtonSprite.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(ColorBalButtonSprite)

bool ColorBalButtonSprite::hover(int px, int py) {
    bool over = ButtonSprite::hover(px, py);
    if (isVisible()) {
        int f = over ? HoverFactor : 128;
        setColorFactors(getAlpha(), f, f, f);
    }
    return over;
}

Sprite* ColorBalButtonSprite::clone() {
    auto* copy = new ColorBalButtonSprite();
    copyButtonTo(copy);
    return copy;
}

}  // namespace sprite
