#include "game/DailyTestCompleteScreen.h"

#include "game/DailyTestMenu.h"
#include "game/DailyTestPayoffScreen.h"
#include "game/DailyTestRun.h"
#include "game/MentariumCanvas.h"
#include "game/ProgressRecord.h"
#include "game/RazozSprite.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "sprite/AnimateSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"

MENTARIUM_DEFINE_METACLASS(DailyTestCompleteScreen)

namespace {
constexpr int kStarsPerGame = 4;
constexpr int kReadingSeconds = 3;

lang::String starName(int k, int m) {
    lang::String name = numberedName("star", k);
    name.append("_").append(m);
    return name;
}
}  // namespace

void DailyTestCompleteScreen::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    readNumbers(loader, {&goodTexts_, &badTexts_, &razozStyle_, &spare_, &xCaptionOffset_, &yCaptionOffset_});
}

int DailyTestCompleteScreen::drawText(int count, int& previous) {
    if (count < 2) return previous = 0;
    int pick = random_.nextInt(count - 1);
    while (pick == previous) pick = random_.nextInt(count - 1);
    return previous = pick;
}

lang::String DailyTestCompleteScreen::endText(bool rankImproved) {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return lang::String();
    const lang::String strongest = c->gameName(record->strongestGame());
    const lang::String weakest = c->gameName(record->weakestGame());
    auto fill = [c](const lang::String& key, const lang::String& first, const char* second) {
        return lang::String::format(c->text(key).c_str(), "%", first.c_str(), second,
                                    static_cast<const char*>(nullptr));
    };
    lang::String text;
    if (rankImproved) {
        text = c->text(numberedName("TXT_DAILY_TEST_END_GOOD_", drawText(goodTexts_, lastGood_)));
        text.append(" ").append(fill(lang::String("TXT_YOUR_BEST_AND_WORST_GAME"), strongest, weakest.c_str()));
    } else {
        text = fill(lang::String("TXT_YOU_DID_WELL_PLAYING"), strongest, nullptr);
        text.append(fill(numberedName("TXT_DAILY_TEST_END_BAD_", drawText(badTexts_, lastBad_)), weakest, nullptr));
    }
    return text;
}

void DailyTestCompleteScreen::onShow() {
    ObjectLock hold(this, true);
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    DailyTestRun* run = c ? c->getDailyTest() : nullptr;
    if (record == nullptr || run == nullptr) return;
    c->attachRazoz(this);
    const int share = record->rankThreshold(record->rankAtTestStart() + 1) / DailyTestRun::GamesPerTest;
    const std::vector<int>& stars = c->gameStars();
    for (int k = 1; k <= DailyTestRun::GamesPerTest; ++k) {
        const int score = run->scoreAt(k - 1);
        if (auto* n = child<sprite::NumberSprite>(numberedName("Score_", k).c_str())) n->setValue(score);
        if (auto* name = child<sprite::NewFontSprite>(numberedName("Game_", k).c_str()))
            name->setText(c->gameName(run->gameAt(k - 1)));
        if (auto* panel = child<sprite::AnimateSprite>(numberedName("GameListPanel", k).c_str()))
            panel->setFrame(score >= share ? PanelReached : PanelShort);
        const int shown = k - 1 < static_cast<int>(stars.size()) ? stars[k - 1] : 0;
        for (int m = 1; m <= kStarsPerGame; ++m) showChild(starName(k, m).c_str(), m <= shown);
    }
    if (auto* total = child<sprite::NumberSprite>("dailyTestScore"))
        total->setValue(record->testHistoryLength() > 0 ? record->testHistory()[0] : 0);
    DailyTestMenu::showTestHistory(this, xCaptionOffset_, yCaptionOffset_);
    RazozSprite* r = c->getRazoz();
    if (r == nullptr) return;
    endTextPending_ = record->testHistoryLength() == 1;
    if (endTextPending_) {
        requestLook();  // the passes watch Razoz from now on
        // The first-test words stay a while after they have typed out.
        r->say(c->text("TXT_DAILY_TEST_COMPLETED_FIRST"), kReadingSeconds * c->framesPerSecond());
        wasBusy_ = r->isBusy();
        if (!wasBusy_) showEndText();  // nothing to wait for
    } else {
        r->say(endText(c->wasRankImproved()), 0);
    }
}

void DailyTestCompleteScreen::showEndText() {
    endTextPending_ = false;
    MentariumCanvas* c = canvas();
    if (RazozSprite* r = c ? c->getRazoz() : nullptr) r->say(endText(c->wasRankImproved()), 0);
}

bool DailyTestCompleteScreen::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (endTextPending_ && isShown()) {
        ObjectLock hold(this, true);
        MentariumCanvas* c = canvas();
        RazozSprite* r = c ? c->getRazoz() : nullptr;
        // The first-test text has been read once Razoz is no longer busy with it.
        if (r && r->getDialog() == this) {
            bool busy = r->isBusy();
            if (wasBusy_ && !busy) showEndText();
            else
                wasBusy_ = busy;
        }
    }
    if (endTextPending_ && isVisible()) requestLook();  // watched on every pass until the end text is out
    return GameScreen::collectDirty(tick, total, region);
}

void DailyTestCompleteScreen::onHide() {
    endTextPending_ = false;
    if (MentariumCanvas* c = canvas()) c->detachRazoz(this);
}

lang::String DailyTestCompleteScreen::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    if (button.equals("bOk") && c) {
        clickSound();
        setVisible(false);
        // The rank the scores earned follows; without its screen, the test's menu.
        if (sprite::Sprite* payoff = c->screen(MentariumCanvas::ScreenDailyTestPayoff)) payoff->setVisible(true);
        else
            DailyTestPayoffScreen::backToTestMenu(c);
        return lang::String();
    }
    return button;
}
