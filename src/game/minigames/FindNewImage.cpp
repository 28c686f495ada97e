#include "game/minigames/FindNewImage.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(FindNewImage)

namespace {

constexpr int kPhaseNewTurn = 2;
constexpr int kPhaseSettle = 5;
constexpr int kPhaseShow = 12;
constexpr int kCellPerPercent = 62;  // a cell is 62 pixels at 100 percent
constexpr int kHighlight = 160, kNeutral = 128;
constexpr int kPopSteps = 3, kSettleFrame = 5, kBurstFrame = 3, kBurstSteps = 6;

}  // namespace

FindNewImage::~FindNewImage() { releaseSprites(); }

FindNewImage::Board FindNewImage::boardFor(int size, int areaX, int areaY, int areaW, int areaH) {
    Board b;
    b.cell = std::max(size * kCellPerPercent / 100, 1);
    b.columns = std::max(areaW / b.cell, 0);
    b.rows = std::max(areaH / b.cell, 0);
    b.left = areaX + (areaW - b.columns * b.cell) / 2;
    b.top = areaY + (areaH - b.rows * b.cell) / 2;
    return b;
}

void FindNewImage::sizeAndModeFor(int level, int& size, int& mode) const {
    size = param(ParamSizeAtStart);
    mode = param(ParamModeAtStart);
    const int sizeLevels = param(ParamSizeLevelsPerStep), modeLevels = param(ParamModeLevelsPerStep);
    int left = level;
    for (int slot = 0; slot < 3; ++slot) {
        if (slot == param(ParamSizeSlot) && sizeLevels > 0 && left / sizeLevels > 0) {
            size = std::max(param(ParamSizeAtStart) - param(ParamSizeStep) * (left / sizeLevels),
                            param(ParamSmallestSize));
            left %= sizeLevels;
        } else if (slot == param(ParamModeSlot) && modeLevels > 0 && left / modeLevels > 0) {
            mode =
                std::min(param(ParamModeStep) * (left / modeLevels) + param(ParamModeAtStart), param(ParamLargestMode));
            left %= modeLevels;
        }
    }
}

sprite::ScalerSprite* FindNewImage::shape(int place) const {
    return place >= 0 && place < placeCount() ? shapes_[place] : nullptr;
}

sprite::ScalerSprite* FindNewImage::burst(int place) const {
    return place >= 0 && place < static_cast<int>(pops_.size()) ? pops_[place] : nullptr;
}

void FindNewImage::releaseSprites() {
    for (auto* list : {&shapes_, &pops_}) {
        for (sprite::ScalerSprite* s : *list) s->release();
        list->clear();
    }
    hovered_ = nullptr;
}

void FindNewImage::clearTiles() {
    ObjectLock hold(this, true);
    for (auto* list : {&shapes_, &pops_})
        for (sprite::ScalerSprite* s : *list) remove(s);
    releaseSprites();
    order_.clear();
    shown_ = size_ = bigZoom_ = popZoom_ = frameCounter_ = 0;
    burstDone_ = false;
    GameBase::clearTiles();
}

void FindNewImage::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    int size = 0, mode = 0;
    sizeAndModeFor(getLevel(), size, mode);
    sprite::Sprite* area = part("GameBounds");
    Board board = area ? boardFor(size, area->getX(), area->getY(), area->getWidth(), area->getHeight()) : Board{};
    const int places = board.places();
    buildTiles(mode, places);  // empties the table first, so it runs before the turn's fields are set
    size_ = size;
    pictureMode_ = mode;
    zoom_ = std::min(size_, 100);
    bigZoom_ = zoom_ + zoom_ * 30 / 100;
    popZoom_ = zoom_ + zoom_ * 10 / 100;
    lang::Ref<window::Image> pop(new window::Image(lang::String("+iFindNewImagePop")));
    for (int k = 0; k < places && tileCount() > 0; ++k) {
        const int cx = board.left + (k % board.columns) * board.cell + board.cell / 2;
        const int cy = board.top + (k / board.columns) * board.cell + board.cell / 2;
        auto* s = new sprite::ScalerSprite();
        s->setImage(tile(random_.nextInt(tileCount() - 1)));
        s->startScale(100, zoom_, 1, false, 128, 128, false, 0, 0);
        s->setLocation(cx, cy);
        s->setVisible(false);
        addNamed(numberedName("shape", k), s);
        shapes_.push_back(s);
        auto* b = new sprite::ScalerSprite();
        b->setImage(pop.get());
        b->setLocation(cx, cy);
        b->setVisible(false);
        add(b);
        pops_.push_back(b);
    }
    order_.resize(shapes_.size());
    std::iota(order_.begin(), order_.end(), 0);
    shuffle(order_.data(), static_cast<int>(order_.size()));
    shown_ = 0;
    GameBase::endTurn();
}

void FindNewImage::zoomShown(int from, int to, int steps) {
    for (int i = 0; i < shown_; ++i) shapes_[order_[i]]->startScale(from, to, steps, false, 128, 128, false, 0, 0);
}

void FindNewImage::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case kPhaseNewTurn:
        endTurn();
        scheduleNextPhase(kPhaseShow, 1);
        break;
    case PhasePlay: scheduleNextPhase(kPhaseNewTurn, 1); break;
    case kPhaseShow:
        hideSuccessFailure();
        for (int i = 0; i < shown_; ++i) shapes_[order_[i]]->setVisible(true);
        if (shown_ < placeCount()) shapes_[order_[shown_++]]->setVisible(true);
        frameCounter_ = 0;
        zoomShown(0, popZoom_, kPopSteps);
        scheduleNextPhase(kPhaseSettle, 1);
        break;
    case PhaseCorrect:
        stepUpAfterSuccess();
        if (shown_ < placeCount()) {
            for (int i = 0; i < shown_; ++i) shapes_[order_[i]]->setVisible(false);
            scheduleNextPhase(kPhaseShow, 12);
        } else {
            showSuccessFailure(FeedbackRight);
            scheduleNextPhase(PhaseNextTurn, 1);
        }
        break;
    case PhaseWrong: finishTurn(false, 1); break;
    case PhaseNextTurn:
        zoomShown(zoom_, bigZoom_, 1);
        frameCounter_ = 0;
        scheduleNextPhase(kPhaseNewTurn, 9);
        break;
    default: break;
    }
}

void FindNewImage::update(int) {
    ObjectLock hold(this, true);
    if (playingIn({kPhaseSettle})) {
        if (++frameCounter_ == kSettleFrame) zoomShown(popZoom_, zoom_, 1);
    } else if (playingIn({PhaseNextTurn})) {
        if (!burstDone_ && ++frameCounter_ >= kBurstFrame) {
            for (int i = 0; i < shown_; ++i) {
                shapes_[order_[i]]->setVisible(false);
                sprite::ScalerSprite* b = pops_[order_[i]];
                b->setVisible(true);
                b->startScale(100, 0, kBurstSteps, false, 128, 128, false, 0, 0);
            }
            burstDone_ = true;
            frameCounter_ = 0;
        }
    }
}

// --- input ---

int FindNewImage::shapeAt(int lx, int ly, bool shownOnly) const {
    if (shownOnly) {
        for (int i = 0; i < shown_; ++i)
            if (shapes_[order_[i]]->contains(lx, ly)) return order_[i];
        return -1;
    }
    for (int k = 0; k < placeCount(); ++k)
        if (shapes_[k]->isVisible() && shapes_[k]->contains(lx, ly)) return k;
    return -1;
}

void FindNewImage::hover(sprite::ScalerSprite* s) {
    if (s == hovered_) return;
    if (hovered_) hovered_->setColorFactors(hovered_->getAlpha(), kNeutral, kNeutral, kNeutral);
    hovered_ = s;
    if (s) s->setColorFactors(s->getAlpha(), kHighlight, kHighlight, kHighlight);
}

int FindNewImage::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || shapes_.empty() || !playingIn({kPhaseSettle, PhaseCorrect, PhaseWrong})) return answer;
    int k = shapeAt(event->x - getX(), event->y - getY(), false);
    if (k < 0) return answer;
    playSound(MentariumCanvas::SoundClick);
    // Only the newest place counts, even where an older one shows the same picture.
    setPhase(k == newestPlace() ? PhaseCorrect : PhaseWrong);
    return TAKEN;
}

bool FindNewImage::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({kPhaseSettle, PhaseCorrect, PhaseWrong})) return false;
        int k = shapeAt(lx, ly, true);
        hover(shape(k));
        return k >= 0;
    });
}

void FindNewImage::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "places " + std::to_string(placeCount()) + " shown " + std::to_string(shown_) + " newest " +
            std::to_string(newestPlace()) + "\n";
    for (int i = 0; i < shown_; ++i) {
        sprite::ScalerSprite* s = shapes_[order_[i]];
        text += "picture " + std::to_string(order_[i]) + " " + std::to_string(getX() + s->getCentreX()) + " " +
                std::to_string(getY() + s->getCentreY()) + "\n";
    }
}
