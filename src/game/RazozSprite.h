#pragma once

#include "sprite/AnimateSprite.h"

namespace sprite {
class DialogSprite;
class NewFontSprite;
}  // namespace sprite

// Razoz, the guide: one display that the screens borrow in turn. It stands in
// front of the screen that holds it and types its help texts out into that
// screen's text box ("RazozDialog"); it stays busy while a text types and for
// the talk time after.
//
// Threads: the input thread attaches, detaches and makes Razoz talk; the render
// thread collects its changes from inside the holding dialog, with the dialog's
// locks held. Razoz's own monitor guards its dialog, text box and counters and
// is never held while a dialog is called, so the two never wait on each other.
class RazozSprite : public sprite::AnimateSprite {
    MENTARIUM_METACLASS(RazozSprite)

public:
    RazozSprite() = default;
    ~RazozSprite() override;
    MENTARIUM_CLASS(RazozSprite, sprite::AnimateSprite)

    // The display with its picture, placed where the screens expect it.
    static RazozSprite* create();

    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;

    void attach(sprite::DialogSprite* dialog);
    void detach(sprite::DialogSprite* dialog);
    void setTextBox(sprite::NewFontSprite* box);
    void say(const lang::String& text, int talkTime);
    void setTextQuietly(const lang::String& text);
    bool isBusy() const;
    // Something lies over the text box: typing and the talk time stand still.
    void setCovered(bool covered);
    bool isCovered() const { return covered_; }

    sprite::DialogSprite* getDialog() const { return dialog_; }
    sprite::NewFontSprite* getTextBox() const { return textBox_; }
    int getTalkCounter() const { return talkCounter_; }

private:
    void clearTextBox();

    sprite::DialogSprite* dialog_ = nullptr;    // one reference while attached
    sprite::NewFontSprite* textBox_ = nullptr;  // one reference
    int talkCounter_ = 0;
    bool covered_ = false;
};
