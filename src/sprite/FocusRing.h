#pragma once

#include <vector>

namespace sprite {

class ButtonSprite;

// The keyboard focus among a dialog's buttons: Tab and Shift+Tab step it
// through them in the dialog's order, round at the ends; the focused button
// shows a ring. Holds a reference to the focused button.
class FocusRing {
public:
    FocusRing() = default;
    FocusRing(const FocusRing&) = delete;
    FocusRing& operator=(const FocusRing&) = delete;
    ~FocusRing();

    // Steps to the next (or previous) of buttons; answers false when there are none.
    bool step(const std::vector<ButtonSprite*>& buttons, bool backwards);
    // The focused button while it is one of buttons, else null (borrowed).
    ButtonSprite* current(const std::vector<ButtonSprite*>& buttons) const;
    // No button focused, the ring gone.
    void clear();

private:
    void focus(ButtonSprite* button);

    ButtonSprite* focused_ = nullptr;
};

}  // namespace sprite
