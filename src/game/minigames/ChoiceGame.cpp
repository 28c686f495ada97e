#include "game/minigames/ChoiceGame.h"

#include <numeric>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "sprite/Sprite.h"
#include "window/Event.h"
#include "window/Image.h"

namespace {

constexpr int kHighlight = 160, kNeutral = 128;

// A shown sprite of a picture with its top-left corner at (x, y); takes the picture's reference.
sprite::Sprite* pictureSprite(window::Image* picture, int x, int y) {
    auto* s = new sprite::Sprite();
    s->setImage(picture);
    picture->release();
    s->setLocation(x, y);
    s->setVisible(true);
    return s;
}

}  // namespace

ChoiceGame::~ChoiceGame() { releaseTurn(); }

void ChoiceGame::releaseTurn() {
    for (sprite::Sprite* s : options_) s->release();
    options_.clear();
    shapes_.clear();
    facts_.clear();
    if (target_) target_->release();
    target_ = nullptr;
    targetShape_ = -1;
    highlighted_ = -1;
    right_ = -1;
}

void ChoiceGame::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    for (sprite::Sprite* s : options_) remove(s);
    if (target_) remove(target_);
    releaseTurn();
}

void ChoiceGame::showTarget(window::Image* picture, int shape) {
    if (picture == nullptr) return;
    int x = 0, y = 0;
    if (sprite::Sprite* slot = part("TargetSlot")) {
        x = slot->getX() + (slot->getWidth() - picture->getWidth()) / 2;
        y = slot->getY() + (slot->getHeight() - picture->getHeight()) / 2;
    }
    showTarget(pictureSprite(picture, x, y), shape);
}

void ChoiceGame::showTarget(sprite::Sprite* s, int shape) {
    if (target_) remove(target_), target_->release();
    target_ = s;
    targetShape_ = shape;
    addNamed(lang::String("Target"), target_);
}

void ChoiceGame::addOption(window::Image* picture, int shape, bool right, int cx, int cy, const std::string& facts) {
    if (picture == nullptr) return;
    addOption(pictureSprite(picture, cx - picture->getWidth() / 2, cy - picture->getHeight() / 2), shape, right, facts);
}

void ChoiceGame::addOption(sprite::Sprite* s, int shape, bool right, const std::string& facts) {
    if (right) right_ = optionCount();
    addNamed(numberedName("Option_", optionCount()), s);
    options_.push_back(s);
    shapes_.push_back(shape);
    facts_.push_back(facts);
}

PictureGrid ChoiceGame::choiceGrid(int count) const {
    sprite::Sprite* area = part("GameBounds");
    return area ? PictureGrid::fit(count, area->getX(), area->getY(), area->getWidth(), area->getHeight())
                : PictureGrid::fit(count, 20, 166, 460, 200);
}

std::vector<int> ChoiceGame::randomOrder(int n) {
    std::vector<int> order(static_cast<size_t>(std::max(n, 0)));
    std::iota(order.begin(), order.end(), 0);
    shuffle(order.data(), static_cast<int>(order.size()));
    return order;
}

void ChoiceGame::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    oneAnswerTurn(phase);
}

// --- input ---

int ChoiceGame::optionAt(int lx, int ly) const {
    for (int i = 0; i < optionCount(); ++i)
        if (options_[i]->contains(lx, ly)) return i;
    return -1;
}

void ChoiceGame::highlight(int i) {
    if (i == highlighted_) return;
    if (sprite::Sprite* old = option(highlighted_)) old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    highlighted_ = -1;
    if (sprite::Sprite* s = option(i)) {
        s->setColorFactors(s->getAlpha(), kHighlight, kHighlight, kHighlight);
        highlighted_ = i;
    }
}

int ChoiceGame::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !playingIn({PhaseAnswer}) || options_.empty()) return answer;
    int i = optionAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    playSound(MentariumCanvas::SoundClick);
    setPhase(i == right_ ? PhaseCorrect : PhaseWrong);
    return TAKEN;
}

bool ChoiceGame::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({PhaseAnswer, PhaseCorrect, PhaseWrong})) return false;
        int i = optionAt(lx, ly);
        highlight(i);
        return i >= 0;
    });
}

// "options COUNT RIGHT target SHAPE", the target's box, then one line per
// choice: "option I CX CY SHAPE W H" and the game's own facts.
void ChoiceGame::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    auto box = [this](sprite::Sprite* s) {
        return std::to_string(getX() + s->getX()) + " " + std::to_string(getY() + s->getY()) + " " +
               std::to_string(s->getWidth()) + " " + std::to_string(s->getHeight());
    };
    text += "options " + std::to_string(optionCount()) + " " + std::to_string(right_) + " target " +
            std::to_string(targetShape_) + "\n";
    if (target_) text += "targetbox " + box(target_) + "\n";
    for (int i = 0; i < optionCount(); ++i) {
        sprite::Sprite* s = options_[i];
        text += "option " + std::to_string(i) + " " + std::to_string(getX() + s->getX() + s->getWidth() / 2) + " " +
                std::to_string(getY() + s->getY() + s->getHeight() / 2) + " " + std::to_string(shapes_[i]) + " size " +
                std::to_string(s->getWidth()) + " " + std::to_string(s->getHeight()) +
                (facts_[i].empty() ? "" : " " + facts_[i]) + "\n";
    }
    describeTurn(text);
}

std::vector<sprite::Sprite*> ChoiceGame::answerRow() {
    ObjectLock hold(this, true);
    return shownAnswers(optionCount(), [this](int i) { return option(i); });
}
