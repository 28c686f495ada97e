#include "game/DailyTestPayoffScreen.h"

#include <algorithm>
#include <cstring>

#include "game/DailyTestMenu.h"
#include "game/MentariumCanvas.h"
#include "game/ProgressRecord.h"
#include "game/RazozSprite.h"
#include "game/SparkleSprite.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/FancyContainer.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"
#include "sprite/ScalerSprite.h"
#include "util/Region.h"
#include "window/Graphics.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(DailyTestPayoffScreen)

namespace {
constexpr const char* kStepNames[] = {"none",
                                      "badnews",
                                      "congratsdonescaling",
                                      "congratsglowfadeup",
                                      "congratsglowfadedown",
                                      "newranktextdone",
                                      "trophytwinkledone",
                                      "ranktitledone",
                                      "locktwinkledone",
                                      "unlocktitledone",
                                      "done"};
static_assert(sizeof(kStepNames) / sizeof(kStepNames[0]) == DailyTestPayoffScreen::StepDone + 1);

// The medal's place: centre stage for a new rank, beside the card otherwise.
constexpr int kTrophyX = 199, kTrophyY = 139, kBadNewsTrophyX = 46, kBadNewsTrophyY = 162;
constexpr int kBannerZoomSteps = 25, kTitleZoomSteps = 20, kGlowSteps = 8;
// The banner is readable from its first frame: it starts at twice its size, half seen.
constexpr int kBannerZoomFrom = 200, kBannerFromAlpha = 64, kBannerAlpha = 128, kGlowAlpha = 96;
constexpr int kTextFrames = 40, kTwinkleFrames = 30;
constexpr int kSparkleRadius = 50;
constexpr double kSparkleSpeed = 0.4;

constexpr const char* kBadNewsParts[] = {"DialogBox",      "yourscoretitle", "yourscore",
                                         "goalscoretitle", "goalscore",      "RazozDialog_BadNews"};
constexpr const char* kCelebrationParts[] = {"congratsScaler", "ranktitle_scaled", "unlocktitle_scaled",
                                             "PayOffLevelText", "lock"};
}  // namespace

void DailyTestPayoffScreen::onLoaded(sprite::DataLoader* loader) {
    GameScreen::onLoaded(loader);
    readNumbers(loader, {&razozStyle_});
}

const char* DailyTestPayoffScreen::stepName() const { return kStepNames[step_]; }

window::Image* DailyTestPayoffScreen::pictureOf(sprite::Sprite* s) {
    util::RectangleNM* bounds = s->getBounds();
    const int w = std::max(1, bounds->width), h = std::max(1, bounds->height);
    auto* picture = new window::Image(w, h, 1, false);
    picture->setHasAlpha(true);
    if (uint32_t* pixels = picture->getPixels())
        std::memset(pixels, 0, static_cast<size_t>(picture->getBytesPerRow()) * picture->getHeight());
    lang::Ref<window::Graphics> g(picture->getGraphics());
    util::Region clip;
    clip.addRect(0, 0, w, h);
    g->setClip(&clip);
    g->translate(-bounds->x, -bounds->y);
    s->paint(g.get());
    g->dispose();
    return picture;
}

void DailyTestPayoffScreen::onShow() {
    ObjectLock hold(this, true);
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return;
    c->attachRazoz(this);
    const int rank = record->currentRank();
    const bool improved = c->wasRankImproved();
    DailyTestMenu::showTrophy(this, "iDailyTestTrophy", rank);
    if (sprite::Sprite* trophy = findChild(lang::String("iDailyTestTrophy")))
        trophy->setLocation(improved ? kTrophyX : kBadNewsTrophyX, improved ? kTrophyY : kBadNewsTrophyY);
    for (const char* name : kCelebrationParts) showChild(name, false);
    for (const char* name : kBadNewsParts) showChild(name, false);
    showChild("bOk", false);
    stopSparkles();
    if (improved) startCelebration();
    else
        showBadNews(rank);
}

void DailyTestPayoffScreen::showBadNews(int rank) {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c->getProgress();
    step_ = StepBadNews;
    for (const char* name : kBadNewsParts) showChild(name, true);
    showChild("RazozDialog", false);
    showButton("bOk", true);
    if (auto* t = child<sprite::NewFontSprite>("yourscoretitle")) t->setText(c->text("TXT_YOUR_SCORE"));
    if (auto* t = child<sprite::NewFontSprite>("goalscoretitle")) t->setText(c->text("TXT_NEXT_RANK"));
    if (auto* n = child<sprite::NumberSprite>("yourscore"))
        n->setValue(record->testHistoryLength() > 0 ? record->testHistory()[0] : 0);
    if (auto* n = child<sprite::NumberSprite>("goalscore")) n->setValue(record->rankThreshold(rank + 1));
    if (RazozSprite* r = c->getRazoz()) {
        if (auto* box = child<sprite::NewFontSprite>("RazozDialog_BadNews")) r->setTextBox(box);
        r->say(c->text("TXT_TRY_AGAIN"), 0);
    }
}

void DailyTestPayoffScreen::startCelebration() {
    showChild("RazozDialog", true);
    // Razoz cheers from the first frame, so the bubble is never empty.
    if (MentariumCanvas* c = canvas(); c && c->getRazoz()) c->getRazoz()->say(c->text("TXT_YOU_EARNED_NEW_RANK"), 0);
    if (auto* banner = child<sprite::ScalerSprite>("congratsScaler")) {
        banner->setVisible(true);
        banner->startScale(kBannerZoomFrom, 100, kBannerZoomSteps, true, kBannerFromAlpha, kBannerAlpha, false, 0, 0);
    }
    step_ = StepCongratsScaling;
    newRankSoundDue_ = true;
}

void DailyTestPayoffScreen::onHide() {
    ObjectLock hold(this, true);
    stopSparkles();
    step_ = StepNone;
    newRankSoundDue_ = false;
    if (MentariumCanvas* c = canvas()) c->detachRazoz(this);
}

void DailyTestPayoffScreen::paint(window::Graphics* g) {
    if (newRankSoundDue_) {
        newRankSoundDue_ = false;
        if (MentariumCanvas* c = canvas()) c->playSound(MentariumCanvas::SoundNewRank);
    }
    GameScreen::paint(g);
}

bool DailyTestPayoffScreen::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (isShown()) {
        ObjectLock hold(this, true);
        advance();
    }
    if (isVisible()) requestLook();  // the payoff steps on every pass while shown
    return GameScreen::collectDirty(tick, total, region);
}

bool DailyTestPayoffScreen::scaling(const char* name) const {
    auto* s = child<sprite::ScalerSprite>(name);
    return s && s->isScaling();
}

void DailyTestPayoffScreen::advance() {
    MentariumCanvas* c = canvas();
    ProgressRecord* record = c ? c->getProgress() : nullptr;
    if (record == nullptr) return;
    auto* banner = child<sprite::ScalerSprite>("congratsScaler");
    switch (step_) {
    case StepCongratsScaling:
        if (scaling("congratsScaler")) return;
        if (banner) banner->startScale(100, 100, kGlowSteps, true, kBannerAlpha, kGlowAlpha, false, 0, 0);
        step_ = StepGlowUp;
        return;
    case StepGlowUp:
        if (scaling("congratsScaler")) return;
        if (banner) banner->startScale(100, 100, kGlowSteps, true, kGlowAlpha, kBannerAlpha, false, 0, 0);
        step_ = StepGlowDown;
        return;
    case StepGlowDown:
        if (scaling("congratsScaler")) return;
        sparkleAround(findChild(lang::String("iDailyTestTrophy")));
        wait_ = kTextFrames;
        step_ = StepNewRankText;
        return;
    case StepNewRankText:
        if (--wait_ > 0) return;
        wait_ = kTwinkleFrames;
        step_ = StepTrophyTwinkle;
        return;
    case StepTrophyTwinkle:
        if (--wait_ > 0) return;
        stopSparkles();
        zoomInText("ranktitle", "ranktitle_scaled", record->rankTitle(record->currentRank()));
        step_ = StepRankTitle;
        return;
    case StepRankTitle: {
        if (scaling("ranktitle_scaled")) return;
        const int beyond = record->currentRank() - (ProgressRecord::RankThresholds - 1);
        if (auto* level = child<sprite::NewFontSprite>("PayOffLevelText"); level && beyond > 0) {
            lang::String text = c->text("TEXT_TEST_LEVEL");
            text.append(" ").append(beyond + 1);
            level->setText(text);
            level->setVisible(true);
        }
        if (c->gameUnlockedByLastTest() < 0) {
            finish();
            return;
        }
        // "startlocksparkle": the opened game's lock twinkles.
        sprite::Sprite* lock = findChild(lang::String("lock"));
        if (lock) lock->setVisible(true);
        sparkleAround(lock);
        wait_ = kTwinkleFrames;
        step_ = StepLockSparkle;
        return;
    }
    case StepLockSparkle:
        if (--wait_ > 0) return;
        stopSparkles();
        zoomInText("unlocktitle", "unlocktitle_scaled", c->gameName(c->gameUnlockedByLastTest()));
        step_ = StepUnlockTitle;
        return;
    case StepUnlockTitle:
        if (scaling("unlocktitle_scaled")) return;
        finish();
        return;
    default: return;
    }
}

void DailyTestPayoffScreen::finish() {
    showButton("bOk", true);
    step_ = StepDone;
}

void DailyTestPayoffScreen::sparkleAround(sprite::Sprite* target) {
    auto* twinkles = child<sprite::FancyContainer>("Twinkles");
    if (twinkles == nullptr || target == nullptr) return;
    const int w = twinkles->getWidth(), h = twinkles->getHeight();
    twinkles->setLocation(target->getX() + target->getWidth() / 2 - w / 2,
                          target->getY() + target->getHeight() / 2 - h / 2);
    twinkles->setVisible(true);
    for (int i = 0; i < twinkles->childCount(); ++i)
        if (auto* sparkle = dynamic_cast<SparkleSprite*>(twinkles->childAt(i)))
            sparkle->start(w / 2, h / 2, kSparkleRadius, kSparkleSpeed);
}

void DailyTestPayoffScreen::stopSparkles() {
    auto* twinkles = child<sprite::FancyContainer>("Twinkles");
    if (twinkles == nullptr) return;
    for (int i = 0; i < twinkles->childCount(); ++i) twinkles->childAt(i)->setVisible(false);
}

void DailyTestPayoffScreen::zoomInText(const char* source, const char* scaled, const lang::String& text) {
    auto* words = child<sprite::NewFontSprite>(source);
    auto* zoom = child<sprite::ScalerSprite>(scaled);
    if (words == nullptr || zoom == nullptr) return;
    words->setText(text);
    lang::Ref<window::Image> picture(pictureOf(words));
    zoom->setImage(picture.get());
    zoom->setVisible(true);
    zoom->startScale(400, 100, kTitleZoomSteps, true, 0, kGlowAlpha, false, 0, 0);
}

void DailyTestPayoffScreen::backToTestMenu(MentariumCanvas* c) {
    c->setState(MentariumCanvas::StateMenu);  // in daily test mode this shows the daily test menu
    if (sprite::Sprite* menu = c->screen(MentariumCanvas::ScreenDailyTestMenu)) menu->setVisible(true);
}

lang::String DailyTestPayoffScreen::onAction(const lang::String& button) {
    MentariumCanvas* c = canvas();
    if (button.equals("bOk") && c) {
        clickSound();
        setVisible(false);
        backToTestMenu(c);
        return lang::String();
    }
    return button;
}
