#include "game/MainMenu.h"

#include <algorithm>

#include "game/HostNotifier.h"
#include "game/MentariumCanvas.h"
#include "game/RazozSprite.h"
#include "lang/ObjectLock.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DataLoader.h"
#include "window/Event.h"

MENTARIUM_DEFINE_METACLASS(MainMenu)

namespace {

constexpr const char* kStageTexts[MainMenu::StageCount] = {
    "TXT_INTRO_HAVE_SOME_FUN",     "TXT_INTRO_RAZOZ_INTRO",  "TXT_INTRO_VURIVU_INFO", "TXT_MAIN_MENU_CHOOSE_PROMPT",
    "TXT_MAIN_MENU_CHOOSE_PROMPT", "TXT_PRACTICE_AREA_HELP", "TXT_DAILY_TEST_HELP",   "TXT_PALETTE_HELP"};

constexpr int kLastIntroStage = 4;
constexpr int kPaletteStage = 7;
constexpr int kHighlight = 160;
constexpr int kNeutral = 128;

RazozSprite* razoz() {
    MentariumCanvas* c = MentariumCanvas::current();
    return c ? c->getRazoz() : nullptr;
}

}  // namespace

MainMenu::~MainMenu() = default;

void MainMenu::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    readNumbers(loader, {&numbers_[0], &numbers_[1], &numbers_[2], &numbers_[3]});
    practiceButton_ = child<sprite::ButtonSprite>("bStartPracticeArea");
    dailyTestButton_ = child<sprite::ButtonSprite>("bStartDailyTest");
    paletteButton_ = child<sprite::ButtonSprite>(MentariumCanvas::kPaletteButton);
    setUpSwitches(this);
    if (!HostNotifier::downloadShown()) showChild("bDownLoad", false);
}

void MainMenu::setHelpStage(int stage, bool force) {
    ObjectLock hold(this, true);
    if (stage < 0 || stage >= StageCount) return;
    if (!force && stage == helpStage_) return;
    helpStage_ = stage;
    MentariumCanvas* c = canvas();
    if (c) c->rememberIntroStage(stage);
    RazozSprite* r = razoz();
    if (!isVisible() || c == nullptr || r == nullptr) return;
    lang::String text = c->text(kStageTexts[stage]);
    if (stage <= 3) r->say(text, talkTime());
    else
        r->setTextQuietly(text);
    wasBusy_ = r->isBusy();
}

void MainMenu::advanceIntroduction() { setHelpStage(std::min(helpStage_ + 1, kLastIntroStage), false); }

void MainMenu::onShow() {
    if (MentariumCanvas* c = canvas()) {
        c->attachRazoz(this);
        // A start button whose area the scene does not hold yet stays in view, inactive.
        auto offer = [c](sprite::ButtonSprite* button, MentariumCanvas::Screen target) {
            if (button == nullptr) return;
            bool open = c->screen(target) != nullptr;
            if (!open) button->setState(sprite::ButtonSprite::Inactive);
            else if (button->getState() == sprite::ButtonSprite::Inactive)
                button->setState(sprite::ButtonSprite::Normal);
        };
        offer(practiceButton_, MentariumCanvas::ScreenPracticeAreaMenu);
        offer(dailyTestButton_, MentariumCanvas::ScreenDailyTestMenu);
    }
    setHelpStage(helpStage_, true);
}

void MainMenu::onHide() {
    if (MentariumCanvas* c = canvas()) c->detachRazoz(this);
    setHelpStage(kLastIntroStage, false);
    highlight(nullptr);
}

bool MainMenu::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (RazozSprite* r = razoz(); r && isShown() && r->getDialog() == this) {
        bool busy = r->isBusy();
        if (wasBusy_ && !busy) advanceIntroduction();
        else
            wasBusy_ = busy;
    }
    if (isVisible()) requestLook();  // Razoz's talk is watched on every pass
    return GameScreen::collectDirty(tick, total, region);
}

void MainMenu::onBackgroundPress() {
    if (RazozSprite* r = razoz(); r && r->isBusy()) advanceIntroduction();
}

void MainMenu::highlight(sprite::ButtonSprite* button) {
    if (button == hovered_) return;
    if (hovered_) hovered_->setColorFactors(hovered_->getAlpha(), kNeutral, kNeutral, kNeutral);
    if (button) button->setColorFactors(button->getAlpha(), kHighlight, kHighlight, kHighlight);
    hovered_ = button;
}

bool MainMenu::mouseMoved(window::Event* event) {
    bool answer = GameScreen::mouseMoved(event);
    int lx = event->x - getX(), ly = event->y - getY();
    sprite::ButtonSprite* over = nullptr;
    for (sprite::ButtonSprite* b : {practiceButton_, dailyTestButton_})
        if (b && b->isVisible() && b->getState() != sprite::ButtonSprite::Inactive && b->contains(lx, ly)) over = b;
    highlight(over);
    RazozSprite* r = razoz();
    const bool overPalette = paletteButton_ && paletteButton_->isVisible() && paletteButton_->contains(lx, ly);
    if (helpStage_ > 2 && r && !r->isBusy()) {
        int stage = overPalette ? kPaletteStage : over == nullptr ? kLastIntroStage : over == practiceButton_ ? 5 : 6;
        setHelpStage(stage, false);
    }
    return answer;
}

lang::String MainMenu::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    if (c == nullptr) return button;
    if (button.equals("bStartPracticeArea")) {
        clickSound();
        // The practice area arrives screen by screen: without it the menu stays.
        if (sprite::Sprite* practice = c->screen(MentariumCanvas::ScreenPracticeAreaMenu)) {
            setVisible(false);
            c->setDailyTestMode(false);
            practice->setVisible(true);
        }
    } else if (button.equals("bStartDailyTest")) {
        clickSound();
        if (sprite::Sprite* test = c->screen(MentariumCanvas::ScreenDailyTestMenu)) {
            setVisible(false);
            test->setVisible(true);
        }
    }
    return button;
}
