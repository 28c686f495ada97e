#include "game/minigames/RecallGame.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "game/minigames/PictureGrid.h"
#include "lang/ObjectLock.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"

namespace {

constexpr int kPhaseChoices = 4;
constexpr int kHighlight = 160, kNeutral = 128, kFoundAlpha = 64;
constexpr int kNextTurnFrames = 12;
constexpr int kRowHeight = 120;  // the band the pictures stand in while they show

}  // namespace

RecallGame::~RecallGame() {
    for (auto* list : {&shown_, &choiceSprites_})
        for (sprite::ScalerSprite* s : *list) s->release();
}

int RecallGame::showingFrames() const { return std::max(param(ParamShowFrames), 1); }

bool RecallGame::wasSeen(int choice) const {
    const int picture = choicePicture(choice);
    return picture >= 0 && std::find(seen_.begin(), seen_.end(), picture) != seen_.end();
}

sprite::ScalerSprite* RecallGame::shownSprite(int i) const {
    return i >= 0 && i < static_cast<int>(shown_.size()) ? shown_[i] : nullptr;
}

sprite::ScalerSprite* RecallGame::choiceSprite(int i) const {
    return i >= 0 && i < static_cast<int>(choiceSprites_.size()) ? choiceSprites_[i] : nullptr;
}

void RecallGame::removeSprites(std::vector<sprite::ScalerSprite*>& sprites) {
    for (sprite::ScalerSprite* s : sprites) {
        remove(s);
        s->release();
    }
    sprites.clear();
}

void RecallGame::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    removeSprites(shown_);
    removeSprites(choiceSprites_);
    seen_.clear();
    choices_.clear();
    found_.clear();
    turnCounter_ = 0;
    highlighted_ = -1;
}

// --- a turn ---

void RecallGame::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    deal();
    GameBase::endTurn();
}

void RecallGame::deal() {
    const int level = getLevel();
    const int seen = std::clamp(grownParam(level, ParamSeen), 1, MaxSeen);
    const int total = std::min(seen + std::max(grownParam(level, ParamOthers), 1), MaxGrid);
    std::vector<int> pictures(TableASize);
    std::iota(pictures.begin(), pictures.end(), 0);
    shuffle(pictures.data(), TableASize);
    seen_.assign(pictures.begin(), pictures.begin() + seen);
    choices_.assign(pictures.begin(), pictures.begin() + total);
    shuffle(choices_.data(), total);
    found_.assign(total, 0);

    sprite::Sprite* area = part("GameBounds");
    if (area == nullptr) return;
    // In a row through the middle.
    const int band = std::min(area->getHeight(), kRowHeight);
    PictureGrid row =
        PictureGrid::fit(seen, area->getX(), area->getY() + (area->getHeight() - band) / 2, area->getWidth(), band);
    for (int i = 0; i < seen; ++i) {
        sprite::ScalerSprite* s = row.place(sharedTile(TableA, seen_[i]), i);
        addNamed(numberedName("Shown_", i), s);
        shown_.push_back(s);
    }
}

void RecallGame::openChoices() {
    removeSprites(shown_);
    sprite::Sprite* area = part("GameBounds");
    if (area == nullptr) return;
    PictureGrid grid = PictureGrid::fit(choiceCount(), area->getX(), area->getY(), area->getWidth(), area->getHeight());
    for (int i = 0; i < choiceCount(); ++i) {
        sprite::ScalerSprite* s = grid.place(sharedTile(TableA, choices_[i]), i);
        addNamed(numberedName("Choice_", i), s);
        choiceSprites_.push_back(s);
    }
}

void RecallGame::markSeenChoices() {
    for (int i = 0; i < choiceCount(); ++i)
        if (!wasSeen(i)) choiceSprites_[i]->setColorFactors(kFoundAlpha, kNeutral, kNeutral, kNeutral);
}

void RecallGame::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case PhasePlay:
        if (!turnEnded_) {
            endTurn();
            scheduleNextPhase(kPhaseChoices, showingFrames());
        }
        break;
    case kPhaseChoices:
        openChoices();
        scheduleNextPhase(PhaseAnswer, 1);
        break;
    case PhaseCorrect:
        if (++turnCounter_ < seenCount()) scheduleNextPhase(PhaseAnswer, 1);
        else
            finishTurn(true, 1);
        break;
    case PhaseWrong:
        finishTurn(false, 1);
        markSeenChoices();  // the pictures that were shown stand out
        break;
    case PhaseNextTurn: scheduleNextPhase(PhasePlay, kNextTurnFrames); break;
    default: break;
    }
}

// --- input ---

int RecallGame::choiceAt(int lx, int ly) const {
    for (int i = 0; i < choiceCount(); ++i)
        if (i < static_cast<int>(choiceSprites_.size()) && choiceSprites_[i]->contains(lx, ly)) return i;
    return -1;
}

void RecallGame::highlight(int i) {
    if (i == highlighted_) return;
    if (sprite::ScalerSprite* old = choiceSprite(highlighted_))
        old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    highlighted_ = -1;
    if (sprite::ScalerSprite* s = choiceSprite(i); s && !isFound(i)) {
        s->setColorFactors(s->getAlpha(), kHighlight, kHighlight, kHighlight);
        highlighted_ = i;
    }
}

int RecallGame::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !playingIn({PhaseAnswer})) return answer;
    const int i = choiceAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    if (isFound(i)) return TAKEN;  // found already: nothing changes
    playSound(MentariumCanvas::SoundClick);
    if (wasSeen(i)) {
        found_[i] = 1;
        highlight(-1);
        choiceSprites_[i]->setColorFactors(kFoundAlpha, kNeutral, kNeutral, kNeutral);
        setPhase(PhaseCorrect);
    } else {
        setPhase(PhaseWrong);
    }
    return TAKEN;
}

bool RecallGame::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({PhaseAnswer})) return false;
        int i = choiceAt(lx, ly);
        highlight(i);
        return i >= 0;
    });
}

void RecallGame::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "seen " + std::to_string(seenCount()) + " choices " + std::to_string(choiceCount()) + " found " +
            std::to_string(turnCounter_) + "\n";
    for (int i = 0; i < static_cast<int>(choiceSprites_.size()); ++i)
        text += "choice " + std::to_string(i) + " " + std::to_string(getX() + choiceSprites_[i]->getCentreX()) + " " +
                std::to_string(getY() + choiceSprites_[i]->getCentreY()) + " " + std::to_string(wasSeen(i) ? 1 : 0) +
                " " + std::to_string(found_[i]) + "\n";
}
