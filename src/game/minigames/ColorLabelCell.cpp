#include "game/minigames/ColorLabelCell.h"

#include "sprite/AnimateSprite.h"

ColorLabelCell::ColorLabelCell(int index, sprite::AnimateSprite* background) : index(index), background(background) {
    if (background) background->addRef();
}

ColorLabelCell::~ColorLabelCell() {
    setLabel(nullptr);
    if (background) background->release();
}

void ColorLabelCell::setLabel(sprite::Sprite* newLabel) {
    if (newLabel) newLabel->addRef();
    if (label) label->release();
    label = newLabel;
}
