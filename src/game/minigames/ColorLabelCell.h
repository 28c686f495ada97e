#pragma once

#include "lang/Object.h"
#include "sprite/Sprite.h"

namespace sprite {
class AnimateSprite;
}

// One card of the colour-label grid: its card sprite, the word it carries
// in this turn (or the check mark once found) and the word's ink.
class ColorLabelCell : public lang::Object {
public:
    static constexpr int NoInk = -1;
    static constexpr int Checked = -2;

    // Keeps a reference to the card.
    ColorLabelCell(int index, sprite::AnimateSprite* background);
    ~ColorLabelCell() override;
    MENTARIUM_CLASS(ColorLabelCell, lang::Object)

    // Keeps a reference to the new label and lets go of the old one.
    void setLabel(sprite::Sprite* label);

    int ink = NoInk;
    int index = 0;
    bool matches = false;
    sprite::AnimateSprite* background = nullptr;  // one reference
    sprite::Sprite* label = nullptr;              // one reference, or null
};
