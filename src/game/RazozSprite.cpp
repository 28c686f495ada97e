#include "game/RazozSprite.h"

#include "lang/ObjectArray.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/DialogSprite.h"
#include "sprite/NewFontSprite.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(RazozSprite)

namespace {
// The picture: idle, blink, and two talking frames of 80 x 80.
constexpr int kFrames = 4;
constexpr int kHomeX = 40, kHomeY = 276;
constexpr int kTypingSpeed = 10;  // one letter a frame
constexpr int kMouthPeriod = 4;
constexpr int kBlinkPeriod = 90;
}  // namespace

RazozSprite* RazozSprite::create() {
    auto* razoz = new RazozSprite();
    lang::Ref<window::Image> picture(new window::Image(lang::String("+iRazoz|+iRazoz_automask")));
    razoz->setFrames(picture.get(), kFrames, 1);
    razoz->setLocation(kHomeX, kHomeY);
    razoz->setName("Razoz");
    return razoz;
}

RazozSprite::~RazozSprite() {
    if (dialog_) dialog_->release();
    clearTextBox();
}

void RazozSprite::clearTextBox() {
    if (textBox_) textBox_->release();
    textBox_ = nullptr;
}

void RazozSprite::attach(sprite::DialogSprite* dialog) {
    if (dialog == nullptr) return;
    sprite::DialogSprite* previous = nullptr;
    {
        ObjectLock hold(this, true);
        if (dialog_ != dialog) {
            previous = dialog_;  // its reference passes to us here
            dialog->addRef();
            dialog_ = dialog;
            clearTextBox();
            talkCounter_ = 0;
        }
    }
    if (previous) {
        previous->remove(this);
        previous->release();
    }
    dialog->add(this);
    setVisible(true);
    if (auto* box = dynamic_cast<sprite::NewFontSprite*>(dialog->findChild("RazozDialog"))) setTextBox(box);
}

void RazozSprite::detach(sprite::DialogSprite* dialog) {
    {
        ObjectLock hold(this, true);
        if (dialog == nullptr || dialog != dialog_) return;
        dialog_ = nullptr;  // its reference passes to us here
        clearTextBox();
        talkCounter_ = 0;
    }
    dialog->remove(this);
    dialog->release();
}

void RazozSprite::setTextBox(sprite::NewFontSprite* box) {
    ObjectLock hold(this, true);
    if (box == textBox_) return;
    talkCounter_ = 0;
    if (box) box->addRef();
    clearTextBox();
    textBox_ = box;
}

void RazozSprite::say(const lang::String& text, int talkTime) {
    ObjectLock hold(this, true);
    if (textBox_ == nullptr) return;
    talkCounter_ = talkTime;
    if (text.isEmpty()) {
        textBox_->setText(text);
        return;
    }
    textBox_->revealText(text, kTypingSpeed);
    covered_ = false;
}

void RazozSprite::setTextQuietly(const lang::String& text) {
    ObjectLock hold(this, true);
    if (textBox_) textBox_->setText(text);
}

bool RazozSprite::isBusy() const { return (textBox_ && textBox_->isRevealing()) || talkCounter_ > 0; }

void RazozSprite::setCovered(bool covered) {
    ObjectLock hold(this, true);
    covered_ = covered;
    if (textBox_) textBox_->setRevealPaused(covered);
}

bool RazozSprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    {
        ObjectLock hold(this, true);
        bool typing = textBox_ && textBox_->isRevealing();
        if (isBusy() && (textBox_ == nullptr || (!covered_ && !typing))) --talkCounter_;
        // The mouth moves while a text types; now and then Razoz blinks.
        int look = typing && !covered_ ? 2 + (tick / kMouthPeriod) % 2 : (tick % kBlinkPeriod < 4 ? 1 : 0);
        if (look != getFrame()) setFrame(look);
    }
    requestLook();  // the blink is timed by the pass, so every pass looks
    return AnimateSprite::collectDirty(tick, total, region);
}
