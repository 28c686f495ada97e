#pragma once

#include <string>

namespace lang {
class String;
}
namespace sprite {
class ButtonSprite;
class DialogSprite;
}  // namespace sprite

// A button of a minigame's scene that gives an answer: live while the answer
// is open and inactive otherwise, and described by its centre and liveness.
class AnswerButton {
public:
    // The game's button of that name, or null.
    static sprite::ButtonSprite* find(sprite::DialogSprite* game, const lang::String& name);
    static void setLive(sprite::ButtonSprite* button, bool live);
    static bool isLive(sprite::ButtonSprite* button);
    // "key centreX centreY live" in scene coordinates, with a line feed; empty without a button.
    static std::string describe(sprite::DialogSprite* game, sprite::ButtonSprite* button, const std::string& key);
};
