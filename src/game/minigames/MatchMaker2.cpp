#include "game/minigames/MatchMaker2.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/minigames/AnswerButton.h"
#include "game/minigames/PictureGrid.h"
#include "lang/ObjectLock.h"
#include "sprite/ButtonSprite.h"
#include "sprite/NumberSprite.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"

MENTARIUM_DEFINE_METACLASS(MatchMaker2)

namespace {

constexpr int kPhaseStep = 2;
constexpr int kGroups = GameBase::TableASize / 4;  // table A holds each motif in four colours
constexpr int kPopFrames = 3;
constexpr const char* kButton = "MatchButton";

}  // namespace

MatchMaker2::~MatchMaker2() {
    if (shown_) shown_->release();
}

int MatchMaker2::backAt(int level) const { return std::clamp(grownParam(level, ParamBack), 1, MaxBack); }

int MatchMaker2::showFramesAt(int level) const {
    return std::max(grownParam(level, ParamShowFrames), std::max(param(ParamShortestShow), 1));
}

int MatchMaker2::stepFramesAt(int level) const { return showFramesAt(level) + std::max(param(ParamGapFrames), 1); }

void MatchMaker2::choosePool() {
    std::vector<int> groups(kGroups);
    std::iota(groups.begin(), groups.end(), 0);
    shuffle(groups.data(), kGroups);
    const int motifs = std::clamp(param(ParamMotifs), 2, kGroups);
    pool_.clear();
    for (int i = 0; i < motifs; ++i) {
        // Two of the motif's four colours: a look-alike pair.
        const int first = random_.nextInt(3), second = (first + 1 + random_.nextInt(2)) % 4;
        pool_.push_back(groups[i] * 4 + first);
        pool_.push_back(groups[i] * 4 + second);
    }
}

int MatchMaker2::nextPicture(int n) {
    if (pool_.empty()) choosePool();
    const int back = stepCount() >= n && n > 0 ? pictures_[stepCount() - n] : -1;
    if (back >= 0 && random_.nextInt(99) < param(ParamMatchChance)) return back;
    // Not a match: any picture of the pool but the one n back.
    std::vector<int> others;
    for (int p : pool_)
        if (p != back) others.push_back(p);
    return others[random_.nextInt(static_cast<int>(others.size()) - 1)];
}

// --- the steps ---

void MatchMaker2::removeShown() {
    if (shown_ == nullptr) return;
    remove(shown_);
    shown_->release();
    shown_ = nullptr;
}

void MatchMaker2::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    removeShown();
    pool_.clear();
    pictures_.clear();
    backs_.clear();
    answered_ = false;
    stepFrame_ = 0;
    setButtonLive(false);
}

void MatchMaker2::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    choosePool();
    // The feedback stands beside the card, so the next picture is never hidden.
    if (sprite::Sprite* place = part("FeedbackPlace"))
        if (sprite::Sprite* feedback = part("SuccessFailure")) feedback->setLocation(place->getX(), place->getY());
    GameBase::endTurn();
}

void MatchMaker2::setButtonLive(bool live) {
    AnswerButton::setLive(AnswerButton::find(this, lang::String(kButton)), live);
}

void MatchMaker2::showNextStep() {
    hideSuccessFailure();
    removeShown();
    const int level = getLevel();
    const int n = backAt(level);
    pictures_.push_back(nextPicture(n));
    backs_.push_back(n);
    showFrames_ = showFramesAt(level);
    stepFrames_ = stepFramesAt(level);
    stepFrame_ = 0;
    answered_ = false;
    if (sprite::NumberSprite* shownBack = number("BackCount")) shownBack->setValue(n);
    if (sprite::Sprite* card = part("Card")) {
        PictureGrid one = PictureGrid::fit(1, card->getX(), card->getY(), card->getWidth(), card->getHeight());
        shown_ = one.place(sharedTile(TableA, pictures_.back()), 0);
        // A short pop marks a new step, even when the same picture comes again.
        shown_->startScale(one.zoom() / 2, one.zoom(), kPopFrames, false, 128, 128, false, 0, 0);
        addNamed(lang::String("Shown"), shown_);
    }
    setButtonLive(true);
}

void MatchMaker2::decide(bool right) {
    answered_ = true;
    setButtonLive(false);
    // The feedback stays until the step's time is up; the next picture follows.
    finishTurn(right, std::max(stepFrames_ - stepFrame_, 1));
}

void MatchMaker2::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case PhasePlay:
        if (!turnEnded_) endTurn();
        scheduleNextPhase(kPhaseStep, 1);
        break;
    case kPhaseStep:
        showNextStep();
        scheduleNextPhase(PhaseAnswer, 1);
        break;
    case PhaseCorrect: decide(true); break;
    case PhaseWrong: decide(false); break;
    case PhaseNextTurn:
        turnEnded_ = true;  // the sequence goes on: the next step, not a new deal
        scheduleNextPhase(kPhaseStep, 1);
        break;
    default: break;
    }
}

void MatchMaker2::update(int) {
    ObjectLock hold(this, true);
    if (!playingIn({PhaseAnswer, PhaseCorrect, PhaseWrong, PhaseNextTurn}) || shown_ == nullptr) return;
    ++stepFrame_;
    if (stepFrame_ == showFrames_) shown_->setVisible(false);
    if (getPhase() != PhaseAnswer || stepFrame_ < stepFrames_) return;
    // The step's time is up without a "Match": a pass, right unless it was a match.
    if (!isScored()) setPhase(kPhaseStep);
    else
        setPhase(isMatch() ? PhaseWrong : PhaseCorrect);
}

// --- input ---

int MatchMaker2::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer != RESULT || !getClickedName().equals(kButton)) return answer;
    if (!playingIn({PhaseAnswer}) || answered_) return TAKEN;
    playSound(MentariumCanvas::SoundClick);
    // A "Match" with no picture N back yet is a false one too.
    setPhase(isMatch() ? PhaseCorrect : PhaseWrong);
    return TAKEN;
}

void MatchMaker2::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    const bool showing = shown_ != nullptr && shown_->isVisible();
    text += "nback " + std::to_string(currentBack()) + " step " + std::to_string(stepCount() - 1) + " picture " +
            std::to_string(showing ? pictures_.back() : -1) + " answered " + std::to_string(answered_ ? 1 : 0) + "\n";
    if (sprite::Sprite* card = part("Card"))
        text += "card " + std::to_string(getX() + card->getX() + card->getWidth() / 2) + " " +
                std::to_string(getY() + card->getY() + card->getHeight() / 2) + "\n";
    text += AnswerButton::describe(this, AnswerButton::find(this, lang::String(kButton)), "matchbutton");
}

std::vector<sprite::Sprite*> MatchMaker2::answerRow() {
    ObjectLock hold(this, true);
    return shownAnswers(1, [this](int) { return AnswerButton::find(this, lang::String(kButton)); });
}
