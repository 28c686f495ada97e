#pragma once

#include <atomic>

#include "sprite/AnimateSprite.h"
#include "sprite/ButtonInput.h"

namespace sprite {

// An animated sprite with a state machine whose states show frames:
// 0 inactive, 1 normal, 2 hover, 3 selected, 4 selected hover, 5 pressed,
// 6 selected pressed. A state whose frame is -1 hides the button.
class ButtonSprite : public AnimateSprite, public ButtonInput {
    MENTARIUM_METACLASS(ButtonSprite)

public:
    enum State {
        Inactive = 0,
        Normal = 1,
        Hover = 2,
        Selected = 3,
        SelectedHover = 4,
        Pressed = 5,
        SelectedPressed = 6
    };

    ButtonSprite();
    MENTARIUM_CLASS(ButtonSprite, AnimateSprite)

    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;  // with the focus ring when focused
    bool contains(int px, int py) override;
    void setVisible(bool value) override;
    void unloadImage() override;
    Sprite* clone() override;

    virtual bool canEnterState(int n) { return true; }
    bool hover(int px, int py) override;
    bool press() override;
    bool releaseAt(int px, int py) override;
    bool isHit(int px, int py) override;
    virtual bool isHitExact(int px, int py);

    void setFireOnRelease(bool flag) override { fireOnRelease = flag; }
    void setState(int n);
    int getState() const { return state; }
    // Whether the keyboard can reach the button: shown for the pointer, not inactive.
    bool isFocusable() const { return visible && state != Inactive; }
    // The keyboard focus: a ring inside the button's bounds.
    void setFocused(bool flag);
    bool isFocused() const { return focused; }
    void setPressed(bool flag);
    bool isPressed() const { return pressed; }
    void setHitByBounds(bool flag) { hitByBounds = flag; }
    void setStateFrames(int hover, int normal, int inactive, int selected, int selectedHover, int pressedFrame,
                        int selectedPressed);
    int getStateFrame(int n) const { return n >= 0 && n < 7 ? stateFrames[n] : -1; }

protected:
    static bool isSelectedState(int n) { return n == Selected || n == SelectedHover || n == SelectedPressed; }
    void copyButtonTo(ButtonSprite* copy) const;

    int stateFrames[7] = {-1, -1, -1, -1, -1, -1, -1};
    int state = Inactive;
    bool hitByBounds = true;
    bool fireOnRelease = false;
    bool pressed = false;
    std::atomic<bool> focused{false};  // set by the input thread, drawn by the render thread
};

}  // namespace sprite
