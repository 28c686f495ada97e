#pragma once

#include <initializer_list>

#include "lang/String.h"
#include "sprite/DialogSprite.h"

class MentariumCanvas;
namespace sprite {
class ButtonSprite;
}

// A screen of the game shell: a dialog that acts on its own buttons before the
// canvas sees the action, and that does its set-up each time it is shown and
// its clean-up when it is hidden.
class GameScreen : public sprite::DialogSprite {
public:
    explicit GameScreen(bool modal = false) : DialogSprite(modal) {}
    MENTARIUM_CLASS(GameScreen, sprite::DialogSprite)

    void setVisible(bool value) override;
    int mousePressed(window::Event* event) override;
    // Keys press buttons as clicks do: the focused one (Return, Space), or the
    // screen's way back (Escape: its Back, Close, No or OK button).
    int keyPressed(window::Event* event) override;

    // The child of that name when it has that type, else null (borrowed).
    template <typename T>
    T* child(const char* childName) const {
        return dynamic_cast<T*>(findChild(lang::String(childName)));
    }
    // Shows or hides a child, when there is one of that name.
    void showChild(const char* childName, bool visible) const;
    // Shows a button ready for the pointer (a hidden button turns inactive),
    // keeping a selected look; or hides it.
    void showButton(const char* childName, bool visible) const;

protected:
    // The screen's own handling of a button it answered (RESULT): what the canvas gets.
    int actOn(int answer);
    // The shown button that Escape presses, or null (borrowed).
    sprite::ButtonSprite* escapeButton() const;

    virtual void onShow() {}
    virtual void onHide() {}
    // The screen's own handling of a pressed button. Answers the action the
    // canvas gets: the button's name, another name, or empty for none.
    virtual lang::String onAction(const lang::String& button) { return button; }
    // A press that hit no button of the screen.
    virtual void onBackgroundPress() {}

    static MentariumCanvas* canvas();
    // Copies the first numbers of the screen's own scene data into the fields
    // given, in order; fields without a number keep their value.
    static void readNumbers(sprite::DataLoader* loader, std::initializer_list<int*> fields);
    static void clickSound();
    // The sound and palette switches a menu carries (either may be absent),
    // showing the canvas's current choices.
    static void setUpSwitches(sprite::DialogSprite* screen);
    // A two-state button (mute, palette) shown as on or off.
    static void setUpToggle(sprite::DialogSprite* screen, const char* name, bool on);
};
