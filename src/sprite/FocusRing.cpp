#include "sprite/FocusRing.h"

#include <algorithm>

#include "sprite/ButtonSprite.h"

namespace sprite {

FocusRing::~FocusRing() { focus(nullptr); }

bool FocusRing::step(const std::vector<ButtonSprite*>& buttons, bool backwards) {
    if (buttons.empty()) return false;
    const int count = static_cast<int>(buttons.size());
    auto at = std::find(buttons.begin(), buttons.end(), focused_);
    int next;
    if (at == buttons.end()) next = backwards ? count - 1 : 0;  // the ring enters at an end
    else
        next = (static_cast<int>(at - buttons.begin()) + (backwards ? count - 1 : 1)) % count;
    focus(buttons[next]);
    return true;
}

ButtonSprite* FocusRing::current(const std::vector<ButtonSprite*>& buttons) const {
    return std::find(buttons.begin(), buttons.end(), focused_) != buttons.end() ? focused_ : nullptr;
}

void FocusRing::clear() { focus(nullptr); }

void FocusRing::focus(ButtonSprite* button) {
    if (button == focused_) return;
    if (button) {
        button->addRef();
        button->setFocused(true);
    }
    if (focused_) {
        focused_->setFocused(false);
        focused_->release();
    }
    focused_ = button;
}

}  // namespace sprite
