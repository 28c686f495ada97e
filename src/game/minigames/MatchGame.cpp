#include "game/minigames/MatchGame.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "game/minigames/PictureGrid.h"
#include "lang/ObjectLock.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"
#include "window/Image.h"

namespace {

constexpr int kPhaseAnswer = 5;
constexpr int kHighlight = 160, kNeutral = 128;
constexpr int kGroups = GameBase::TableASize / 4;

}  // namespace

MatchGame::~MatchGame() {
    releaseTurn();
    for (window::Image*& picture : shapes_) {
        if (picture) picture->release();
        picture = nullptr;
    }
}

std::vector<int> MatchGame::chooseCards(int count, int alike, bool sameColour) {
    const int group = random_.nextInt(kGroups - 1), variant = random_.nextInt(3);
    std::vector<int> picks{group * 4 + variant};
    // Look-alikes: the target's motif in its other colours.
    std::vector<int> others{0, 1, 2, 3};
    others.erase(others.begin() + variant);
    shuffle(others.data(), static_cast<int>(others.size()));
    for (int i = 0; i < std::min(alike, 3) && static_cast<int>(picks.size()) < count; ++i)
        picks.push_back(group * 4 + others[i]);
    std::vector<int> groups(kGroups);
    std::iota(groups.begin(), groups.end(), 0);
    shuffle(groups.data(), kGroups);
    for (int g : groups) {
        if (static_cast<int>(picks.size()) >= count) break;
        if (g != group) picks.push_back(g * 4 + (sameColour ? variant : random_.nextInt(3)));
    }
    return picks;
}

std::vector<int> MatchGame::chooseShapes(int count) {
    std::vector<int> shapes(Shapes);
    std::iota(shapes.begin(), shapes.end(), 0);
    shuffle(shapes.data(), Shapes);
    shapes.resize(std::min(count, static_cast<int>(Shapes)));
    return shapes;
}

window::Image* MatchGame::shapePicture(int k) {
    if (k < 0 || k >= Shapes) return nullptr;
    if (shapes_[k] == nullptr) shapes_[k] = new window::Image(numberedName("+iShape_", k));
    return shapes_[k];
}

// --- a turn ---

void MatchGame::releaseTurn() {
    for (sprite::ScalerSprite* s : options_) s->release();
    options_.clear();
    pictures_.clear();
    if (target_) target_->release();
    target_ = nullptr;
    highlighted_ = -1;
    right_ = -1;
    targetPicture_ = -1;
}

void MatchGame::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    for (sprite::ScalerSprite* s : options_) remove(s);
    if (target_) remove(target_);
    releaseTurn();
}

void MatchGame::turnAtRandom(sprite::ScalerSprite* s, int zoom) {
    if (param(ParamTurned) == 0) return;
    const int angle = random_.nextInt(359);
    s->startScale(zoom, zoom, 1, false, 128, 128, true, angle, angle);
}

void MatchGame::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    const int level = getLevel();
    const int count = std::clamp(grownParam(level, ParamOptions), 2, MaxOptions);
    const bool shapes = param(ParamSet) == 1;
    std::vector<int> picks = shapes ? chooseShapes(count)
                                    : chooseCards(count, grownParam(level, ParamAlike), param(ParamSameColour) != 0);
    auto pictureOf = [&](int pick) { return shapes ? shapePicture(pick) : sharedTile(TableA, pick); };
    targetPicture_ = picks[0];

    // The target, alone in its slot.
    if (sprite::Sprite* slot = part("TargetSlot")) {
        PictureGrid one = PictureGrid::fit(1, slot->getX(), slot->getY(), slot->getWidth(), slot->getHeight());
        target_ = one.place(pictureOf(picks[0]), 0);
        turnAtRandom(target_, one.zoom());
        // A shadow: the shape's own outline, all dark.
        if (param(ParamShadow) != 0) target_->setColorFactors(128, 0, 0, 0);
        addNamed(lang::String("Target"), target_);
    }
    // The options, in a random order over the grid.
    right_ = 0;
    std::vector<int> order(picks.size());
    std::iota(order.begin(), order.end(), 0);
    shuffle(order.data(), static_cast<int>(order.size()));
    if (sprite::Sprite* area = part("GameBounds")) {
        PictureGrid grid = PictureGrid::fit(static_cast<int>(picks.size()), area->getX(), area->getY(),
                                            area->getWidth(), area->getHeight());
        for (size_t i = 0; i < order.size(); ++i) {
            const int pick = picks[order[i]];
            if (order[i] == 0) right_ = static_cast<int>(i);
            sprite::ScalerSprite* s = grid.place(pictureOf(pick), static_cast<int>(i));
            turnAtRandom(s, grid.zoom());
            addNamed(numberedName("Option_", static_cast<int>(i)), s);
            options_.push_back(s);
            pictures_.push_back(pick);
        }
    }
    GameBase::endTurn();
}

void MatchGame::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    oneAnswerTurn(phase);
}

// --- input ---

int MatchGame::optionAt(int lx, int ly) const {
    for (int i = 0; i < optionCount(); ++i)
        if (options_[i]->contains(lx, ly)) return i;
    return -1;
}

void MatchGame::highlight(int i) {
    if (i == highlighted_) return;
    if (sprite::ScalerSprite* old = option(highlighted_))
        old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    highlighted_ = -1;
    if (sprite::ScalerSprite* s = option(i)) {
        s->setColorFactors(s->getAlpha(), kHighlight, kHighlight, kHighlight);
        highlighted_ = i;
    }
}

int MatchGame::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !playingIn({kPhaseAnswer}) || options_.empty()) return answer;
    int i = optionAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    playSound(MentariumCanvas::SoundClick);
    setPhase(i == right_ ? PhaseCorrect : PhaseWrong);
    return TAKEN;
}

bool MatchGame::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({kPhaseAnswer, PhaseCorrect, PhaseWrong})) return false;
        int i = optionAt(lx, ly);
        highlight(i);
        return i >= 0;
    });
}

void MatchGame::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "options " + std::to_string(optionCount()) + " " + std::to_string(right_) + " target " +
            std::to_string(targetPicture_) + "\n";
    for (int i = 0; i < optionCount(); ++i)
        text += "option " + std::to_string(i) + " " + std::to_string(getX() + options_[i]->getCentreX()) + " " +
                std::to_string(getY() + options_[i]->getCentreY()) + " " + std::to_string(pictures_[i]) + "\n";
}
