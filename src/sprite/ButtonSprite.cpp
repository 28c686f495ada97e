#include "sprite/ButtonSprite.h"

#include "lang/IntArray.h"
#include "window/Graphics.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(ButtonSprite)

ButtonSprite::ButtonSprite() {
    // A new button shows nothing until a state with a frame is entered.
    visible = false;
    shown = false;
}

bool ButtonSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    Sprite::init(pictures, numbers);
    applyGrid(numbers);
    int n = numbers ? numbers->length() : 0;
    auto number = [&](int i) { return i < n ? (*numbers)[i] : -1; };
    setStateFrames(number(4), number(5), number(6), -1, -1, -2, -2);
    if (n >= 8) setState((*numbers)[7]);
    return true;
}

void ButtonSprite::setStateFrames(int hover, int normal, int inactive, int selected, int selectedHover,
                                  int pressedFrame, int selectedPressed) {
    stateFrames[Inactive] = inactive;
    stateFrames[Normal] = normal;
    stateFrames[Hover] = hover;
    stateFrames[Selected] = selected;
    stateFrames[SelectedHover] = selectedHover == -1 ? selected : selectedHover;
    stateFrames[Pressed] = pressedFrame == -2 ? hover : pressedFrame;
    stateFrames[SelectedPressed] = selectedPressed == -2 ? stateFrames[SelectedHover] : selectedPressed;
}

void ButtonSprite::setState(int n) {
    if (n < 0 || n > 6) return;
    if (n != state && !canEnterState(n)) return;
    int f = stateFrames[n];
    if (f >= 0) {
        setFrame(f);
        if (visible) {
            state = n;
            return;
        }
    }
    setVisible(f >= 0);
    state = n;
}

namespace {

constexpr uint32_t kRingColor = 0xFFF4B63F;  // the honey of the word mark
constexpr uint32_t kRingEdgeColor = 0xFF14203A;
constexpr int kRingWidth = 2;

// A frame of that width just inside the rectangle.
void frameRect(window::Graphics* g, int x, int y, int w, int h, int width, uint32_t argb) {
    g->fillRectColor(x, y, w, width, argb);
    g->fillRectColor(x, y + h - width, w, width, argb);
    g->fillRectColor(x, y + width, width, h - 2 * width, argb);
    g->fillRectColor(x + w - width, y + width, width, h - 2 * width, argb);
}

}  // namespace

void ButtonSprite::paint(window::Graphics* g) {
    AnimateSprite::paint(g);
    if (!focused || !shown || width <= 2 * (kRingWidth + 1) || height <= 2 * (kRingWidth + 1)) return;
    // Honey on a dark edge, so the ring shows on light and dark buttons alike.
    frameRect(g, x, y, width, height, kRingWidth + 1, kRingEdgeColor);
    frameRect(g, x, y, width, height, kRingWidth, kRingColor);
}

void ButtonSprite::setFocused(bool flag) {
    if (flag == focused) return;
    focused = flag;
    repaint();
}

void ButtonSprite::setVisible(bool value) {
    if (!value && state != Inactive) {
        // Hiding makes the button inactive first.
        if (stateFrames[Inactive] >= 0) setFrame(stateFrames[Inactive]);
        state = Inactive;
    }
    AnimateSprite::setVisible(value);
}

bool ButtonSprite::contains(int px, int py) { return hitByBounds ? AnimateSprite::contains(px, py) : hitTest(px, py); }

bool ButtonSprite::hover(int px, int py) {
    if (state == Inactive) return false;
    if (!contains(px, py)) {
        setState(isSelectedState(state) ? Selected : Normal);
        return false;
    }
    if (pressed) {
        setState(isSelectedState(state) ? SelectedPressed : Pressed);
    } else if (isSelectedState(state)) {
        if (stateFrames[SelectedHover] != -1) setState(SelectedHover);
    } else {
        setState(Hover);
    }
    return true;
}

bool ButtonSprite::press() {
    if (!fireOnRelease) return true;
    setPressed(true);
    return false;
}

void ButtonSprite::setPressed(bool flag) {
    pressed = flag;
    if (flag) {
        if (state == Normal || state == Hover) setState(Pressed);
        else if (state == Selected || state == SelectedHover)
            setState(SelectedPressed);
    } else {
        if (state == Pressed) setState(Normal);
        else if (state == SelectedPressed)
            setState(Selected);
    }
}

bool ButtonSprite::releaseAt(int px, int py) {
    setPressed(false);
    return isHit(px, py);
}

bool ButtonSprite::isHit(int px, int py) { return contains(px, py) && state != Inactive; }

bool ButtonSprite::isHitExact(int px, int py) { return hitTest(px, py) && state != Inactive; }

void ButtonSprite::unloadImage() {
    // A button put away forgets hover and press looks.
    if (state == Hover || state == Pressed) setState(Normal);
    else if (state == SelectedHover || state == SelectedPressed)
        setState(Selected);
    AnimateSprite::unloadImage();
}

void ButtonSprite::copyButtonTo(ButtonSprite* copy) const {
    copyAnimationTo(copy);
    for (int i = 0; i < 7; ++i) copy->stateFrames[i] = stateFrames[i];
    copy->state = state;
    copy->hitByBounds = hitByBounds;
    copy->fireOnRelease = fireOnRelease;
}

Sprite* ButtonSprite::clone() {
    auto* copy = new ButtonSprite();
    copyButtonTo(copy);
    return copy;
}

}  // namespace sprite
