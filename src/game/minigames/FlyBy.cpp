#include "game/minigames/FlyBy.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "game/minigames/AnswerButton.h"
#include "game/minigames/PictureGrid.h"
#include "lang/ObjectLock.h"
#include "sprite/ButtonSprite.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"

MENTARIUM_DEFINE_METACLASS(FlyBy)

namespace {

constexpr int kPhaseAsk = 4;
constexpr int kNextTurnFrames = 12;
constexpr int kGroups = GameBase::TableASize / 4;  // table A holds each motif in four colours
constexpr const char* kQuestionParts[] = {"captionHowMany", "captionFlewBy"};

lang::String countButtonName(int count) { return numberedName("Count_", count); }

}  // namespace

FlyBy::~FlyBy() {
    for (sprite::ScalerSprite* s : flying_) s->release();
    if (askedSprite_) askedSprite_->release();
}

int FlyBy::flightFramesAt(int level) const {
    return std::max(grownParam(level, ParamFlightFrames), std::max(param(ParamFewestFrames), 1));
}

int FlyBy::gapFramesAt(int level) const { return std::max(flightFramesAt(level) * param(ParamGapTenths) / 10, 1); }

int FlyBy::showingFrames() const { return std::max(flightCount() - 1, 0) * gapFrames_ + flightFrames_ + 1; }

sprite::ScalerSprite* FlyBy::flightSprite(int i) const {
    return i >= 0 && i < static_cast<int>(flying_.size()) ? flying_[i] : nullptr;
}

int FlyBy::rightCount() const { return static_cast<int>(std::count(flights_.begin(), flights_.end(), asked_)); }

std::vector<int> FlyBy::chooseFlights(int flights, int kinds, bool alike, int& asked) {
    kinds = std::clamp(kinds, 2, MaxKinds);
    flights = std::clamp(flights, kinds, MaxFlights);
    std::vector<int> groups(kGroups);
    std::iota(groups.begin(), groups.end(), 0);
    shuffle(groups.data(), kGroups);
    const int colour = random_.nextInt(3);
    std::vector<int> pictures{groups[0] * 4 + colour};
    asked = pictures[0];
    if (alike) pictures.push_back(groups[0] * 4 + (colour + 1 + random_.nextInt(2)) % 4);
    for (int g = 1; static_cast<int>(pictures.size()) < kinds; ++g)
        pictures.push_back(groups[g] * 4 + random_.nextInt(3));

    // The asked kind 1 to MaxCount times, every other kind at least once, the
    // rest spread over the other kinds.
    std::vector<int> counts(kinds, 1);
    counts[0] = random_.nextInt(1, std::min(MaxCount, flights - (kinds - 1)));
    for (int rest = flights - counts[0] - (kinds - 1); rest > 0; --rest) ++counts[random_.nextInt(1, kinds - 1)];
    std::vector<int> order;
    for (int k = 0; k < kinds; ++k) order.insert(order.end(), counts[k], pictures[k]);
    shuffle(order.data(), static_cast<int>(order.size()));
    return order;
}

// --- a turn ---

void FlyBy::removeSprites() {
    for (sprite::ScalerSprite* s : flying_) {
        remove(s);
        s->release();
    }
    flying_.clear();
    if (askedSprite_) {
        remove(askedSprite_);
        askedSprite_->release();
        askedSprite_ = nullptr;
    }
}

void FlyBy::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    removeSprites();
    flights_.clear();
    asked_ = -1;
    showFrame_ = 0;
    setButtonsLive(false);  // a new play starts with closed buttons, not the last answer's light
}

void FlyBy::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    deal();
    GameBase::endTurn();
}

void FlyBy::deal() {
    const int level = getLevel();
    flightFrames_ = flightFramesAt(level);
    gapFrames_ = gapFramesAt(level);
    flights_ = chooseFlights(grownParam(level, ParamFlights), grownParam(level, ParamKinds),
                             param(ParamAlikeLevel) > 0 && level >= param(ParamAlikeLevel), asked_);
    showQuestion(false);
    sprite::Sprite* band = part("FlyBounds");
    if (band == nullptr) return;
    // Each waits off the right edge for its flight, at a height of its own in the band.
    const int half = PictureGrid::PictureSize / 2;
    for (int i = 0; i < flightCount(); ++i) {
        auto* s = new sprite::ScalerSprite();
        s->setImage(sharedTile(TableA, flights_[i]));
        s->startScale(100, 100, 1, false, 128, 128, false, 0, 0);
        s->setLocation(band->getX() + band->getWidth() + half,
                       band->getY() + half + random_.nextInt(std::max(band->getHeight() - 2 * half, 0)));
        s->setVisible(false);
        addNamed(numberedName("Flight_", i), s);
        flying_.push_back(s);
    }
}

void FlyBy::ask() {
    removeSprites();
    if (sprite::Sprite* slot = part("AskedSlot")) {
        PictureGrid one = PictureGrid::fit(1, slot->getX(), slot->getY(), slot->getWidth(), slot->getHeight());
        askedSprite_ = one.place(sharedTile(TableA, asked_), 0);
        addNamed(lang::String("Asked"), askedSprite_);
    }
    showQuestion(true);
    setButtonsLive(true);
}

void FlyBy::showQuestion(bool shown) {
    for (const char* name : kQuestionParts)
        if (sprite::Sprite* s = part(name)) s->setVisible(shown);
}

void FlyBy::setButtonsLive(bool live) {
    for (int k = 1; k <= MaxCount; ++k) AnswerButton::setLive(AnswerButton::find(this, countButtonName(k)), live);
}

void FlyBy::answer(int count) {
    playSound(MentariumCanvas::SoundClick);
    const bool right = count == rightCount();
    setPhase(right ? PhaseCorrect : PhaseWrong);
    setButtonsLive(false);
    // After a wrong count the right one lights up.
    if (!right)
        if (sprite::ButtonSprite* button = AnswerButton::find(this, countButtonName(rightCount())))
            button->setState(sprite::ButtonSprite::Hover);
}

void FlyBy::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case PhasePlay:
        if (!turnEnded_) {
            hideSuccessFailure();
            endTurn();
            scheduleNextPhase(kPhaseAsk, showingFrames());
        }
        break;
    case kPhaseAsk:
        ask();
        scheduleNextPhase(PhaseAnswer, 1);
        break;
    case PhaseCorrect: finishTurn(true, 1); break;
    case PhaseWrong: finishTurn(false, 1); break;
    case PhaseNextTurn: scheduleNextPhase(PhasePlay, kNextTurnFrames); break;
    default: break;
    }
}

void FlyBy::update(int) {
    ObjectLock hold(this, true);
    if (!playingIn({PhasePlay})) return;
    sprite::Sprite* band = part("FlyBounds");
    if (band == nullptr) return;
    // One flight starts every gap frames, right to left across the band.
    if (showFrame_ % gapFrames_ == 0 && showFrame_ / gapFrames_ < static_cast<int>(flying_.size())) {
        sprite::ScalerSprite* s = flying_[showFrame_ / gapFrames_];
        s->setVisible(true);
        s->moveTo(band->getX() - PictureGrid::PictureSize / 2, s->getCentreY(), flightFrames_);
    }
    ++showFrame_;
}

// --- input ---

int FlyBy::mousePressed(window::Event* event) {
    int result = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (result != RESULT) return result;
    for (int k = 1; k <= MaxCount; ++k) {
        if (!getClickedName().equals(countButtonName(k))) continue;
        if (playingIn({PhaseAnswer})) answer(k);
        return TAKEN;
    }
    return result;
}

void FlyBy::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "flights " + std::to_string(flightCount()) + " asked " + std::to_string(askedSprite_ ? asked_ : -1) + "\n";
    for (int i = 0; i < static_cast<int>(flying_.size()); ++i)
        if (flying_[i]->isVisible())
            text += "flight " + std::to_string(i) + " " + std::to_string(getX() + flying_[i]->getCentreX()) + " " +
                    std::to_string(getY() + flying_[i]->getCentreY()) + " " + std::to_string(flights_[i]) + "\n";
    for (int k = 1; k <= MaxCount; ++k)
        text +=
            AnswerButton::describe(this, AnswerButton::find(this, countButtonName(k)), "count " + std::to_string(k));
}

std::vector<sprite::Sprite*> FlyBy::answerRow() {
    ObjectLock hold(this, true);
    return shownAnswers(MaxCount, [this](int i) { return AnswerButton::find(this, countButtonName(i + 1)); });
}
