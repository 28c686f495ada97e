#include "game/minigames/AnswerButton.h"

#include "sprite/ButtonSprite.h"
#include "sprite/DialogSprite.h"

sprite::ButtonSprite* AnswerButton::find(sprite::DialogSprite* game, const lang::String& name) {
    return game ? dynamic_cast<sprite::ButtonSprite*>(game->findChild(name)) : nullptr;
}

void AnswerButton::setLive(sprite::ButtonSprite* button, bool live) {
    if (button) button->setState(live ? sprite::ButtonSprite::Normal : sprite::ButtonSprite::Inactive);
}

bool AnswerButton::isLive(sprite::ButtonSprite* button) {
    return button && button->getState() != sprite::ButtonSprite::Inactive;
}

std::string AnswerButton::describe(sprite::DialogSprite* game, sprite::ButtonSprite* button, const std::string& key) {
    if (game == nullptr || button == nullptr) return {};
    return key + " " + std::to_string(game->getX() + button->getX() + button->getWidth() / 2) + " " +
           std::to_string(game->getY() + button->getY() + button->getHeight() / 2) + " " +
           std::to_string(isLive(button) ? 1 : 0) + "\n";
}
