#pragma once

namespace sprite {

// What a dialog asks of a button child while it routes pointer input: buttons
// implement this next to their sprite base, and dialogs find them by it.
class ButtonInput {
public:
    virtual bool hover(int x, int y) = 0;      // true while the point is over the button
    virtual bool press() = 0;                  // true: fire now; false: fire on release
    virtual bool releaseAt(int x, int y) = 0;  // true: fire
    virtual bool isHit(int x, int y) = 0;      // the press lands on this button
    virtual void setFireOnRelease(bool flag) = 0;

protected:
    ~ButtonInput() = default;
};

}  // namespace sprite
