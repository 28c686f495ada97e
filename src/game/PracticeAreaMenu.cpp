#include "game/PracticeAreaMenu.h"

#include "game/DailyTestRun.h"
#include "game/HostNotifier.h"
#include "game/InGameInstructDialog.h"
#include "game/MentariumCanvas.h"
#include "game/RazozSprite.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "sprite/ButtonSprite.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(PracticeAreaMenu)

namespace {
constexpr int kLockedPicture = 16;
constexpr int kDark = 64, kNeutral = 128, kHighlight = 160;

void tint(sprite::Sprite* s, int factor) { s->setColorFactors(s->getAlpha(), factor, factor, factor); }
}  // namespace

PracticeAreaMenu::~PracticeAreaMenu() { releaseDescriptions(); }

bool PracticeAreaMenu::isPlayable(int game) {
    MentariumCanvas* c = MentariumCanvas::current();
    DailyTestRun* run = c ? c->getDailyTest() : nullptr;
    bool unlocked = HostNotifier::allUnlocked() || (run && run->isUnlocked(game));
    return unlocked && c && c->gameAt(game) != nullptr;
}

sprite::ButtonSprite* PracticeAreaMenu::startButton(int game) const {
    return dynamic_cast<sprite::ButtonSprite*>(findChild(numberedName("bStart", game)));
}

void PracticeAreaMenu::releaseDescriptions() {
    for (window::Image*& picture : descriptions_) {
        if (picture) picture->release();
        picture = nullptr;
    }
}

void PracticeAreaMenu::onShow() {
    ObjectLock hold(this, true);
    releaseDescriptions();
    for (int i = 0; i < Descriptions; ++i)
        descriptions_[i] = new window::Image(InGameInstructDialog::descriptionPicture(i));
    MentariumCanvas* c = canvas();
    if (c == nullptr) return;
    c->attachRazoz(this);
    bool anyLocked = false;
    for (int i = 0; i < MentariumCanvas::GameCount; ++i) {
        sprite::ButtonSprite* button = startButton(i);
        if (button == nullptr) continue;
        if (isPlayable(i)) {
            button->setState(sprite::ButtonSprite::Normal);
            tint(button, kNeutral);
        } else {
            button->setState(sprite::ButtonSprite::Inactive);
            button->setVisible(true);  // a locked game stays in view, dark
            tint(button, kDark);
            anyLocked = true;
        }
    }
    lang::String text = c->text("TXT_PRACTICE_WELCOME");
    text.append("\n").append(c->text("TXT_PRACTICE_TROPHIES"));
    if (anyLocked) text.append("\n\n").append(c->text("TXT_PRACTICE_CLICK_UNLOCK_TO_PLAY"));
    if (RazozSprite* r = c->getRazoz()) r->say(text, 0);
    showChild("GameDescription", false);
    showChild("RazozDialog", true);
    hovered_ = -1;
}

void PracticeAreaMenu::onHide() {
    if (MentariumCanvas* c = canvas()) c->detachRazoz(this);
    releaseDescriptions();
}

bool PracticeAreaMenu::mouseMoved(window::Event* event) {
    bool answer = GameScreen::mouseMoved(event);
    ObjectLock hold(this, true);
    int lx = event->x - getX(), ly = event->y - getY();
    int over = -1;
    for (int i = 0; i < MentariumCanvas::GameCount && over < 0; ++i)
        if (sprite::ButtonSprite* b = startButton(i); b && b->isVisible() && b->contains(lx, ly)) over = i;
    if (over == hovered_) return answer;
    if (sprite::ButtonSprite* old = startButton(hovered_); old && old->getState() != sprite::ButtonSprite::Inactive)
        tint(old, kNeutral);
    hovered_ = over;
    MentariumCanvas* c = canvas();
    RazozSprite* razoz = c ? c->getRazoz() : nullptr;
    sprite::Sprite* description = child<sprite::Sprite>("GameDescription");
    if (over >= 0) {
        sprite::ButtonSprite* button = startButton(over);
        bool enabled = button->getState() != sprite::ButtonSprite::Inactive;
        if (enabled) tint(button, kHighlight);
        if (description) {
            description->setImage(descriptions_[enabled ? over : kLockedPicture]);
            description->setVisible(true);
        }
        showChild("RazozDialog", false);
        if (razoz) razoz->setCovered(true);
    } else {
        if (description) description->setVisible(false);
        showChild("RazozDialog", true);
        if (razoz) razoz->setCovered(false);
    }
    return answer;
}

lang::String PracticeAreaMenu::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    if (c == nullptr) return button;
    if (button.startsWith("bStart")) {
        clickSound();
        int game = -1;
        for (int i = 0; i < MentariumCanvas::GameCount; ++i)
            if (startButton(i) && startButton(i)->getName().equals(button)) game = i;
        if (game >= 0 && isPlayable(game)) c->selectGame(game);
    } else if (button.equals("bBackToMenu")) {
        clickSound();
        setVisible(false);
        if (sprite::Sprite* menu = c->screen(MentariumCanvas::ScreenMainMenu)) menu->setVisible(true);
    }
    return button;
}
