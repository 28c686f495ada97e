#include "game/minigames/MatchGame.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"
#include "window/Image.h"

namespace {

constexpr int kPhaseAnswer = 5;
constexpr int kHighlight = 160, kNeutral = 128;
constexpr int kGroups = GameBase::TableASize / 4;
constexpr int kPictureSize = 64;  // tiles and shapes are drawn 64 pixels square
constexpr int kCellMargin = 10;

}  // namespace

MatchGame::~MatchGame() {
    releaseTurn();
    for (window::Image*& picture : shapes_) {
        if (picture) picture->release();
        picture = nullptr;
    }
}

MatchGame::Grid MatchGame::gridFor(int count, int areaW, int areaH) {
    Grid best;
    for (int columns = 1; columns <= std::max(count, 1); ++columns) {
        const int rows = (count + columns - 1) / columns;
        const int cell = std::min(areaW / columns, areaH / std::max(rows, 1));
        if (cell > best.cell) best = Grid{columns, rows, cell};
    }
    return best;
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

sprite::ScalerSprite* MatchGame::makePicture(window::Image* picture, int cx, int cy, int zoom, int angle) {
    auto* s = new sprite::ScalerSprite();
    s->setImage(picture);
    const bool turned = param(ParamTurned) != 0;
    s->startScale(100, zoom, 1, false, 128, 128, turned, angle, angle);
    s->setLocation(cx, cy);
    s->setVisible(true);
    return s;
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

    // The target, centred in its slot.
    if (sprite::Sprite* slot = part("TargetSlot")) {
        const int zoom = std::min(100, (std::min(slot->getWidth(), slot->getHeight()) - kCellMargin) * 100 / kPictureSize);
        target_ = makePicture(pictureOf(picks[0]), slot->getX() + slot->getWidth() / 2,
                              slot->getY() + slot->getHeight() / 2, zoom, random_.nextInt(359));
        // A shadow: the shape's own outline, all dark.
        if (param(ParamShadow) != 0) target_->setColorFactors(128, 0, 0, 0);
        addNamed(lang::String("Target"), target_);
    }
    // The options, in a random order over the grid.
    right_ = 0;
    std::vector<int> order(picks.size());
    std::iota(order.begin(), order.end(), 0);
    shuffle(order.data(), static_cast<int>(order.size()));
    sprite::Sprite* area = part("GameBounds");
    if (area) {
        const Grid grid = gridFor(static_cast<int>(picks.size()), area->getWidth(), area->getHeight());
        const int zoom = std::min(100, std::max(grid.cell - kCellMargin, 8) * 100 / kPictureSize);
        const int left = area->getX() + (area->getWidth() - grid.columns * grid.cell) / 2;
        const int top = area->getY() + (area->getHeight() - grid.rows * grid.cell) / 2;
        for (size_t i = 0; i < order.size(); ++i) {
            const int pick = picks[order[i]];
            if (order[i] == 0) right_ = static_cast<int>(i);
            const int column = static_cast<int>(i) % grid.columns, row = static_cast<int>(i) / grid.columns;
            sprite::ScalerSprite* s =
                makePicture(pictureOf(pick), left + column * grid.cell + grid.cell / 2,
                            top + row * grid.cell + grid.cell / 2, zoom, random_.nextInt(359));
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
    MentariumCanvas* c = canvas();
    if (answer == RESULT || c == nullptr || c->getState() != MentariumCanvas::StatePlaying ||
        phase_ != kPhaseAnswer || options_.empty())
        return answer;
    int i = optionAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    playSound(MentariumCanvas::SoundClick);
    setPhase(i == right_ ? PhaseCorrect : PhaseWrong);
    return TAKEN;
}

bool MatchGame::mouseMoved(window::Event* event) {
    {
        ObjectLock hold(this, true);
        MentariumCanvas* c = canvas();
        if (c && c->getState() == MentariumCanvas::StatePlaying &&
            (phase_ == kPhaseAnswer || phase_ == PhaseCorrect || phase_ == PhaseWrong)) {
            int i = optionAt(event->x - getX(), event->y - getY());
            highlight(i);
            if (i >= 0) return true;
        }
    }
    return GameBase::mouseMoved(event);
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
