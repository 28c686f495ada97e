#pragma once

#include "sprite/ButtonSprite.h"

namespace sprite {

// A button that brightens its picture while the pointer is over it.
class ColorBalButtonSprite : public ButtonSprite {
    MENTARIUM_METACLASS(ColorBalButtonSprite)

public:
    ColorBalButtonSprite() = default;
    MENTARIUM_CLASS(ColorBalButtonSprite, ButtonSprite)

    bool hover(int px, int py) override;
    Sprite* clone() override;

    static constexpr int HoverFactor = 160;
};

}  // namespace sprite
