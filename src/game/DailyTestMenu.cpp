#include "game/DailyTestMenu.h"

#include <algorithm>

#include "game/MentariumCanvas.h"
#include "game/ProgressRecord.h"
#include "game/RazozSprite.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/AnimateSprite.h"
#include "sprite/ButtonSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(DailyTestMenu)

namespace {
constexpr int kPopupAlpha = 128, kPopupFadeSteps = 6;
constexpr const char* kPopupParts[] = {"rankpopup", "rankpopuptext", "rankpopupscore"};
constexpr const char* kGraphParts[] = {"DailyTestScoreHistory_LineGraph", "DailyTestScoreHighlight", "graphXLabel",
                                       "graphYLabel"};

bool over(sprite::Sprite* s, int x, int y) {
    return s && s->isVisible() && x >= s->getX() && y >= s->getY() && x < s->getX() + s->getWidth() &&
           y < s->getY() + s->getHeight();
}
}  // namespace

void DailyTestMenu::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    readNumbers(loader, {&razozStyle_, &spare_, &xCaptionOffset_, &yCaptionOffset_});
}

lang::String DailyTestMenu::trophyPicture(int rank) {
    lang::String name("+iDailyTestTrophy_");
    name.append(std::clamp(rank, 0, ProgressRecord::RankThresholds - 1)).append("|+str_DailyTestRating_mask");
    return name;
}

void DailyTestMenu::showTrophy(GameScreen* screen, const char* name, int rank) {
    sprite::Sprite* trophy = screen->child<sprite::Sprite>(name);
    if (trophy == nullptr) return;
    lang::Ref<window::Image> picture(new window::Image(trophyPicture(rank)));
    trophy->setImage(picture.get());
    trophy->setVisible(true);
}

void DailyTestMenu::showTestHistory(GameScreen* screen, int xOffset, int yOffset) {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return;
    c->showHistoryGraph(screen, "DailyTestScoreHistory", record->testHistory(), record->testHistoryLength(),
                        HistoryFill, xOffset, yOffset, "DailyTestScoreHighlight");
}

void DailyTestMenu::onShow() {
    ObjectLock hold(this, true);
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return;
    c->attachRazoz(this);
    if (RazozSprite* r = c->getRazoz()) r->say(c->text("TXT_DAILY_TEST_FIRST_INTRO"), 0);
    const int rank = record->currentRank();
    if (auto* title = child<sprite::NewFontSprite>("dailyTestTitle")) title->setText(record->rankTitle(rank));
    showTrophy(this, "iDailyTestTrophy", rank);
    const int earned = std::min(rank, ProgressRecord::RankThresholds - 1);
    for (int i = 0; i < ProgressRecord::RankThresholds - 1; ++i)
        showChild(numberedName("iDailyTestTrophyEarned", i).c_str(), i < earned);
    if (auto* goal = child<sprite::NumberSprite>("dailyTestScoreGoal")) goal->setValue(record->rankThreshold(rank + 1));
    // A test needs every game it can pick; without them the button stays in view, inactive.
    if (auto* start = child<sprite::ButtonSprite>("bStartTest")) {
        bool playable = c->dailyTestPlayable();
        if (!playable) start->setState(sprite::ButtonSprite::Inactive);
        else if (start->getState() == sprite::ButtonSprite::Inactive)
            start->setState(sprite::ButtonSprite::Normal);
    }
    showTestHistory(this, xCaptionOffset_, yCaptionOffset_);
    graphShown_ = true;
    showGraph(false);
    popupFor_ = 0;
    hidePopup();
}

void DailyTestMenu::onHide() {
    if (MentariumCanvas* c = canvas()) c->detachRazoz(this);
}

int DailyTestMenu::earnedMarkAt(int x, int y) const {
    for (int i = 0; i < ProgressRecord::RankThresholds - 1; ++i)
        if (over(findChild(numberedName("iDailyTestTrophyEarned", i)), x, y)) return i;
    return -1;
}

bool DailyTestMenu::mouseMoved(window::Event* event) {
    bool answer = GameScreen::mouseMoved(event);
    ObjectLock hold(this, true);
    int lx = event->x - getX(), ly = event->y - getY();
    if (int mark = earnedMarkAt(lx, ly); mark >= 0) {
        showPopup(mark);
    } else if (over(findChild(lang::String("iDailyTestTrophy")), lx, ly)) {
        hidePopup();
        showGraph(hasHistory());  // before the first test there is nothing to draw
    } else {
        hidePopup();
        showGraph(false);
    }
    return answer;
}

bool DailyTestMenu::hasHistory() const {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    return record && record->testHistoryLength() > 0;
}

void DailyTestMenu::showPopup(int rank) {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    auto* popup = child<sprite::AnimateSprite>("rankpopup");
    sprite::Sprite* mark = findChild(numberedName("iDailyTestTrophyEarned", rank));
    if (record == nullptr || popup == nullptr || mark == nullptr) return;
    showGraph(false);
    // Centred above the mark, kept inside the screen.
    int px = std::clamp(mark->getX() + mark->getWidth() / 2 - popup->getWidth() / 2, 0,
                        std::max(0, getWidth() - popup->getWidth()));
    int py = std::max(0, mark->getY() - popup->getHeight() - 2);
    popup->setLocation(px, py);
    if (auto* text = child<sprite::NewFontSprite>("rankpopuptext")) {
        text->setText(record->rankTitle(rank));
        text->setLocation(px + popup->getWidth() / 2, py + 6);
    }
    if (auto* score = child<sprite::NumberSprite>("rankpopupscore")) {
        score->setValue(record->scoreAtRankGained(std::min(rank, ProgressRecord::RankGains - 1)));
        score->setLocation(px + popup->getWidth() / 2, py + popup->getHeight() / 2 + 2);
    }
    if (popupFor_ < 0) {
        for (const char* name : kPopupParts)
            if (auto* part = child<sprite::AnimateSprite>(name)) {
                part->setColorFactors(0, 128, 128, 128);
                part->setVisible(true);
                part->fadeTo(kPopupAlpha, kPopupFadeSteps, false);
            }
    }
    popupFor_ = rank;
}

void DailyTestMenu::hidePopup() {
    if (popupFor_ < 0) return;
    for (const char* name : kPopupParts) showChild(name, false);
    popupFor_ = -1;
}

void DailyTestMenu::showGraph(bool shown) {
    if (shown == graphShown_) return;
    graphShown_ = shown;
    for (const char* name : kGraphParts) showChild(name, shown);
    // The graph lies over Razoz's corner: Razoz steps aside while it shows.
    MentariumCanvas* c = canvas();
    if (RazozSprite* r = c ? c->getRazoz() : nullptr) {
        r->setVisible(!shown);
        if (sprite::Sprite* box = r->getTextBox()) box->setVisible(!shown);
    }
    showChild("bubble", !shown);
}

lang::String DailyTestMenu::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    if (c == nullptr) return button;
    if (button.equals("bStartTest")) {
        clickSound();
        setVisible(false);
        c->startDailyTest();
        if (sprite::Sprite* rest = c->screen(MentariumCanvas::ScreenDailyTestRest)) rest->setVisible(true);
        return lang::String();
    }
    if (button.equals("bBackToMenu")) {
        clickSound();
        setVisible(false);
        if (sprite::Sprite* menu = c->screen(MentariumCanvas::ScreenMainMenu)) menu->setVisible(true);
        return lang::String();
    }
    return button;
}
