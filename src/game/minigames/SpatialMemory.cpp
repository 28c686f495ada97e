#include "game/minigames/SpatialMemory.h"

#include <algorithm>
#include <numeric>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/AnimateSprite.h"
#include "util/Dimension.h"
#include "util/Vector.h"
#include "window/Event.h"

MENTARIUM_DEFINE_METACLASS(SpatialMemory)

namespace {

constexpr int kPhaseShowAll = 2;  // the pictures come back; play starts at once
constexpr int kPhaseFlyOff = 4;   // the lights go out and the pictures fly away
constexpr int kFrameUnlit = 0;
constexpr int kFrameLit = 2;
constexpr int kFlySteps = 12;
constexpr int kFlyFrames = 14;
constexpr int kMaxShuffles = 10;
constexpr int kNextTurnDelay = 12;
constexpr int kHighlight = 160, kNeutral = 128;
constexpr int kGrids[SpatialMemory::GridSizes][2] = {{3, 3}, {3, 4}, {4, 4}, {4, 5}, {4, 6}, {5, 6}, {5, 7}, {5, 8}};

// The last turn's targets, kept across plays so that a new play does not
// open with the pattern the last one ended on; the first set after the
// program starts has nothing to differ from.
struct PreviousTargets {
    std::vector<int> targets;
    bool first = true;
};

PreviousTargets& previousTargets() {
    static PreviousTargets kept;
    return kept;
}

}  // namespace

SpatialMemory::~SpatialMemory() = default;

void SpatialMemory::onLoaded(sprite::DataLoader* loader) {
    GameBase::onLoaded(loader);
    if (sprite::Sprite* bounds = part("GameBounds")) bounds->setVisible(false);
}

void SpatialMemory::forgetPreviousTargets() {
    previousTargets().targets.clear();
    previousTargets().first = true;
}

// --- the rules of a turn ---

void SpatialMemory::gridSize(int gridIndex, int& rows, int& columns) {
    int i = gridIndex >= 0 && gridIndex < GridSizes ? gridIndex : 0;
    rows = kGrids[i][0];
    columns = kGrids[i][1];
}

SpatialMemory::TurnSize SpatialMemory::turnSizeAt(int level) const {
    TurnSize size;
    size.showTime = param(ParamShowTimeAtStart);
    size.litCount = param(ParamLitCount);
    int left = level;
    // Each quantity takes its turn in the order of its growth slot; the show
    // time and the lit count grow by whole steps and hand on what is left.
    for (int slot = 0; slot < 3; ++slot) {
        if (slot == param(ParamGridSlot)) {
            int whole = left;  // the grid grows without using up levels
            size.gridIndex = std::min(param(ParamGridIndex), param(ParamGridIndex + 1));
            growParam(size.gridIndex, whole, ParamGridIndex);
        } else if (slot == param(ParamShowTimeSlot)) {
            growParam(size.showTime, left, ParamShowTime);
        } else if (slot == param(ParamLitCountSlot)) {
            growParam(size.litCount, left, ParamLitCount);
        }
    }
    // A turn lights at least one tile and no more than the grid holds; a
    // show time below one frame would never put the lights out.
    int rows = 0, columns = 0;
    gridSize(size.gridIndex, rows, columns);
    size.litCount = std::clamp(size.litCount, 1, rows * columns);
    size.showTime = std::max(size.showTime, 1);
    return size;
}

// --- the grid ---

sprite::AnimateSprite* SpatialMemory::background(int i) const {
    return static_cast<sprite::AnimateSprite*>(spriteOf(backgrounds_.get(), i));
}

sprite::AnimateSprite* SpatialMemory::image(int i) const {
    return static_cast<sprite::AnimateSprite*>(spriteOf(images_.get(), i));
}

void SpatialMemory::clearTiles() {
    ObjectLock hold(this, true);
    setHovered(-1);
    turnCounter_ = 0;
    states_.clear();
    for (int i = 0; i < tileCount_; ++i) {
        if (sprite::Sprite* s = image(i)) remove(s);
        if (sprite::Sprite* s = background(i)) remove(s);
    }
    images_.reset();
    backgrounds_.reset();
    tileCount_ = 0;
    GameBase::clearTiles();
}

void SpatialMemory::buildGrid() {
    auto* tilePrototype = animated("gridTileBkgd");
    auto* imagePrototype = animated("gridTileImage");
    sprite::Sprite* area = part("GameBounds");
    if (tilePrototype == nullptr || imagePrototype == nullptr || area == nullptr) return;  // nothing to deal on
    const int w = tilePrototype->getWidth(), h = tilePrototype->getHeight();
    const int left = area->getX() + (area->getWidth() - (columns_ * (w + TileGap) - TileGap)) / 2;
    const int top = area->getY() + (area->getHeight() - (rows_ * (h + TileGap) - TileGap)) / 2;
    tileCount_ = rows_ * columns_;
    backgrounds_.reset(new util::Vector(tileCount_));
    images_.reset(new util::Vector(tileCount_));
    states_.assign(tileCount_, TilePlain);
    for (int i = 0; i < tileCount_; ++i) {
        int x = left + (w + TileGap) * (i % columns_), y = top + (h + TileGap) * (i / columns_);
        lang::Ref<sprite::AnimateSprite> tile(static_cast<sprite::AnimateSprite*>(tilePrototype->clone()));
        tile->setLocation(x, y);
        tile->setFrame(kFrameUnlit);
        tile->setVisible(true);
        addNamed(numberedName("TileBkgd_", i), tile.get());
        backgrounds_->addElement(tile.get());
        lang::Ref<sprite::Sprite> picture(imagePrototype->clone());
        picture->setLocation(x, y);
        picture->setVisible(true);
        addNamed(numberedName("TileImage_", i), picture.get());
        images_->addElement(picture.get());
    }
}

void SpatialMemory::markTile(int i, int state, int frame) {
    states_[i] = state;
    if (sprite::AnimateSprite* tile = background(i)) {
        tile->setFrameStep(0, true);
        tile->setFrame(frame);
    }
}

void SpatialMemory::chooseTargets() {
    PreviousTargets& kept = previousTargets();
    std::vector<int> order(tileCount_);
    std::iota(order.begin(), order.end(), 0);
    std::vector<int> chosen;
    for (int shuffles = 0; shuffles < kMaxShuffles; ++shuffles) {
        shuffle(order.data(), tileCount_);
        chosen.assign(order.begin(), order.begin() + litCount_);
        std::sort(chosen.begin(), chosen.end());
        if (kept.first || chosen != kept.targets) break;
    }
    for (int i : chosen) markTile(i, TileTarget, kFrameUnlit);
    kept.targets = chosen;
    kept.first = false;
}

void SpatialMemory::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    TurnSize size = turnSizeAt(getLevel());
    showTime_ = size.showTime;
    gridSize(size.gridIndex, rows_, columns_);
    litCount_ = size.litCount;
    buildGrid();
    litCount_ = std::min(litCount_, tileCount_);
    chooseTargets();
    GameBase::endTurn();
}

// --- phases ---

void SpatialMemory::flyImagesOff() {
    MentariumCanvas* c = canvas();
    const int width = c ? c->getSize()->width : 500, height = c ? c->getSize()->height : 375;
    for (int i = 0; i < tileCount_; ++i) {
        sprite::AnimateSprite* picture = image(i);
        if (picture == nullptr) continue;
        int x = 0, y = 0;
        switch (random_.nextInt(3)) {
        case 0:
            x = -picture->getWidth();
            y = random_.nextInt(height);
            break;
        case 1:
            x = random_.nextInt(width);
            y = -picture->getHeight();
            break;
        case 2:
            x = width;
            y = random_.nextInt(height);
            break;
        default:
            x = random_.nextInt(width);
            y = height;
            break;
        }
        picture->moveTo(x - getX(), y - getY(), kFlySteps);
    }
}

void SpatialMemory::bringImagesBack() {
    for (int i = 0; i < tileCount_; ++i) {
        sprite::AnimateSprite* tile = background(i);
        sprite::AnimateSprite* picture = image(i);
        if (tile == nullptr || picture == nullptr) continue;
        picture->setLocation(tile->getX(), tile->getY());
        // The shimmer ends with the pictures' return, so that no tile still
        // to be found looks lit while the player answers.
        markTile(i, states_[i], states_[i] == TileLit ? kFrameLit : kFrameUnlit);
        if (states_[i] == TileTarget) picture->setVisible(true);
    }
}

void SpatialMemory::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case PhasePlay:
        if (turnEnded_) break;
        endTurn();
        for (int i = 0; i < tileCount_; ++i)
            if (states_[i] == TileTarget) {
                if (sprite::Sprite* picture = image(i)) picture->setVisible(false);
                markTile(i, TileLit, kFrameLit);
            }
        scheduleNextPhase(kPhaseFlyOff, showTime_);
        break;
    case kPhaseFlyOff:
        for (int i = 0; i < tileCount_; ++i)
            if (states_[i] == TileLit) markTile(i, TileTarget, kFrameUnlit);
        flyImagesOff();
        for (int i = 0; i < tileCount_; ++i)
            if (sprite::AnimateSprite* tile = background(i)) {
                tile->setFrame(kFrameUnlit);
                tile->setFrameStep(1, true);
            }
        scheduleNextPhase(kPhaseShowAll, kFlyFrames);
        break;
    case kPhaseShowAll:
        bringImagesBack();
        setPhase(PhaseAnswer);
        break;
    case PhaseWrong: finishTurn(false, 1); break;
    case PhaseNextTurn: scheduleNextPhase(PhasePlay, kNextTurnDelay); break;
    default: break;
    }
}

// --- input ---

int SpatialMemory::tileAt(int lx, int ly) const {
    for (int i = 0; i < tileCount_; ++i)
        if (sprite::AnimateSprite* tile = background(i); tile && tile->isVisible() && tile->contains(lx, ly)) return i;
    return -1;
}

void SpatialMemory::setHovered(int i) {
    if (i == hovered_) return;
    if (sprite::AnimateSprite* old = background(hovered_))
        old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    if (sprite::AnimateSprite* now = background(i))
        now->setColorFactors(now->getAlpha(), kHighlight, kHighlight, kHighlight);
    hovered_ = i;
}

void SpatialMemory::findTarget(int i) {
    markTile(i, TileLit, kFrameLit);
    playSound(MentariumCanvas::SoundClick);
    onCorrect();
    if (sprite::Sprite* picture = image(i)) picture->setVisible(true);
    if (++turnCounter_ == litCount_) finishTurn(true, 1);
}

int SpatialMemory::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    // Once every target is found the turn is decided: a late click on a
    // plain tile must not turn the solved board into a wrong one.
    if (answer == RESULT || !playingIn({PhaseAnswer}) || turnCounter_ >= litCount_) return answer;
    int i = tileAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    setHovered(-1);
    if (states_[i] == TilePlain) setPhase(PhaseWrong);
    else if (states_[i] == TileTarget)
        findTarget(i);
    return TAKEN;
}

bool SpatialMemory::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({PhaseAnswer, PhaseCorrect, PhaseWrong})) return false;
        int i = tileAt(lx, ly);
        sprite::AnimateSprite* tile = background(i);
        bool eligible = tile && !tile->isAnimating() && states_[i] != TileLit;
        setHovered(eligible ? i : -1);
        return i >= 0;
    });
}

// --- description: the grid, then "tile I X Y W H STATE FRAME" per tile ---

void SpatialMemory::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "grid " + std::to_string(rows_) + " " + std::to_string(columns_) + " " + std::to_string(litCount_) + " " +
            std::to_string(showTime_) + " " + std::to_string(turnCounter_) + "\n";
    for (int i = 0; i < tileCount_; ++i)
        if (sprite::AnimateSprite* tile = background(i))
            text += "tile " + std::to_string(i) + " " + std::to_string(getX() + tile->getX()) + " " +
                    std::to_string(getY() + tile->getY()) + " " + std::to_string(tile->getWidth()) + " " +
                    std::to_string(tile->getHeight()) + " " + std::to_string(states_[i]) + " " +
                    std::to_string(tile->getFrame()) + "\n";
}
