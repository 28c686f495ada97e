#include "game/minigames/Concentration.h"

#include <algorithm>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/AnimateSprite.h"
#include "sprite/ScalerSprite.h"
#include "util/Vector.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(Concentration)

namespace {

constexpr int kGap = 2;
constexpr int kFaceUp = 2;
constexpr int kFaceZoom = 80;
constexpr int kExplodeSteps = 8;
constexpr int kHighlight = 160;
constexpr int kNeutral = 128;
constexpr int kPhaseOwnA = 2;  // timer runs: leads into play
constexpr int kPhaseCardsDown = 4;
constexpr int kPhaseTurns = 5;  // the player turns cards

}  // namespace

Concentration::Concentration() = default;

Concentration::~Concentration() {
    if (cards_) cards_->release();
}

void Concentration::onLoaded(sprite::DataLoader* loader) {
    GameBase::onLoaded(loader);
    if (sprite::Sprite* bounds = part("GameBounds")) bounds->setVisible(false);
    excludedGroup_ = 8;
    excludedPair_ = 6;
}

sprite::AnimateSprite* Concentration::cardBack(int i) const {
    return static_cast<sprite::AnimateSprite*>(spriteOf(cards_, i));
}

void Concentration::gridFor(int cards, int& rows, int& columns) {
    switch (cards) {
    case 4:
        rows = 2;
        columns = 2;
        break;
    case 6:
        rows = 2;
        columns = 3;
        break;
    case 8:
        rows = 2;
        columns = 4;
        break;
    case 10:
        rows = 2;
        columns = 5;
        break;
    case 12:
        rows = 3;
        columns = 4;
        break;
    case 16:
        rows = 4;
        columns = 4;
        break;
    case 18:
        rows = 3;
        columns = 6;
        break;
    case 20:
        rows = 4;
        columns = 5;
        break;
    default:
        rows = 4;
        columns = 6;
        break;
    }
}

int Concentration::quantityAt(int level, int first) const {
    const int start = param(first + RunStart), largest = param(first + RunLargest),
              levelPerStep = param(first + RunLevelsPerStep), stepsPerLevelStep = param(first + RunStep);
    // A zero level-per-step means the quantity never steps.
    int k = levelPerStep > 0 ? level / levelPerStep : 0;
    if (k > 0) return std::min(start + stepsPerLevelStep * k, largest);
    return start;
}

// --- the board ---

void Concentration::resetPreviewState(CardSlot& s) {
    s.timer = 0;
    s.turningDown = false;
    s.open = false;
    s.closePending = false;
}

void Concentration::clearBoard() {
    for (int i = 0; i < MaxCards; ++i)
        for (const char* prefix : {"CardBack_", "CardExplode_", "CardFace_"})
            if (sprite::Sprite* s = findChild(numberedName(prefix, i))) remove(s);
    if (cards_) cards_->release();
    cards_ = nullptr;
    firstCard_ = -1;
    hoveredCard_ = -1;
    previewCounter_ = 0;
}

void Concentration::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    clearBoard();
}

void Concentration::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    for (CardSlot& s : slots_) s = CardSlot();
    int level = getLevel();
    cardCount_ = dealSizes_[std::clamp(quantityAt(level, ParamDealSize), 0, DealSizes - 1)];
    faceMode_ = quantityAt(level, ParamFaceMode);
    previewMode_ = std::clamp(quantityAt(level, ParamPreviewMode), PreviewAll, PreviewNone);
    showTime_ = std::max(quantityAt(level, ParamShowTime), 0);
    gridFor(cardCount_, rows_, columns_);
    if (previewMode_ == PreviewByHalves && columns_ % 2 != 0) previewMode_ = PreviewByColumn;
    previewSpeed_ = 100;
    if (previewMode_ == PreviewByRow || previewMode_ == PreviewByColumn) previewSpeed_ = 30;
    else if (previewMode_ == PreviewByHalves)
        previewSpeed_ = 80;
    else if (previewMode_ == PreviewByCard)
        previewSpeed_ = 17;
    switch (previewMode_) {
    case PreviewAll: previewTime_ = showTime_; break;
    case PreviewByRow: previewTime_ = showTime_ * previewSpeed_ * rows_ / 100; break;
    case PreviewByColumn: previewTime_ = showTime_ * previewSpeed_ * columns_ / 100; break;
    case PreviewByHalves: previewTime_ = showTime_ * previewSpeed_ * 2 / 100; break;
    case PreviewByCard: previewTime_ = showTime_ * previewSpeed_ * rows_ * columns_ / 100; break;
    default: previewTime_ = 0; break;
    }

    // The pictures come before the cards: building some picture sets clears the
    // tiles through clearTiles, which also takes the board away.
    buildTiles(faceMode_, cardCount_ / 2);

    auto* prototype = dynamic_cast<sprite::AnimateSprite*>(part("CardBackPrototype"));
    sprite::Sprite* area = part("GameBounds");
    if (prototype == nullptr || area == nullptr) return;  // a scene without the board deals nothing
    int cellW = prototype->getWidth(), cellH = prototype->getHeight();
    int left = area->getX() + area->getWidth() / 2 - ((columns_ - 1) * kGap + columns_ * cellW) / 2;
    int top = area->getY() + area->getHeight() / 2 - ((rows_ - 1) * kGap + rows_ * cellH) / 2;
    cards_ = new util::Vector(MaxCards);
    for (int row = 0; row < rows_; ++row)
        for (int column = 0; column < columns_; ++column) {
            int i = row * columns_ + column;
            lang::Ref<sprite::Sprite> card(prototype->clone());
            card->setLocation(left + (cellW + kGap) * column, top + (cellH + kGap) * row);
            card->setVisible(true);
            addNamed(numberedName("CardBack_", i), card.get());
            cards_->addElement(card.get());
        }

    int order[MaxCards];
    for (int i = 0; i < cardCount_; ++i) order[i] = i / 2;
    shuffle(order, cardCount_);
    for (int i = 0; i < cardCount_; ++i) {
        slots_[i].pair = order[i];
        sprite::AnimateSprite* back = cardBack(i);
        lang::Ref<sprite::ScalerSprite> face(new sprite::ScalerSprite());
        face->setImage(tile(order[i]));
        face->setLocation(back->getX() + back->getWidth() / 2, back->getY() + back->getHeight() / 2);
        face->startScale(100, kFaceZoom, 1, false, 128, 128, false, 0, 0);
        face->setVisible(false);
        addNamed(numberedName("CardFace_", i), face.get());
    }
    GameBase::endTurn();
    turnEnded_ = false;
}

void Concentration::buildTiles(int mode, int count) {
    ObjectLock hold(this, true);
    switch (mode) {
    case 2:
    case 3:
        GameBase::clearTiles();
        addGroupPairs(excludedGroup_, false);
        break;
    case 4:
        GameBase::clearTiles();
        if (random_.nextInt(1) == 0 || count > 5) addGroupPairs(excludedGroup_, false);
        else
            addTablePairs(TableB, excludedPair_);
        break;
    default: GameBase::buildTiles(mode, count); break;
    }
}

// --- turning cards ---

void Concentration::turnDown(int i) {
    sprite::AnimateSprite* back = cardBack(i);
    if (back == nullptr) return;
    back->setFrame(kFaceUp);
    back->setFrameStep(-1, false);
    slots_[i].turningDown = true;
}

void Concentration::turnUp(int i) {
    if (sprite::AnimateSprite* back = cardBack(i)) back->setFrameStep(1, false);
}

template <typename Visit>
void Concentration::forGroupOf(int i, Visit visit) {
    for (int j = 0; j < cardCount_; ++j)
        if (slots_[j].group == slots_[i].group) visit(j);
}

void Concentration::revealGroup(int i) {
    forGroupOf(i, [this](int j) { turnUp(j); });
}

void Concentration::concealGroup(int i) {
    forGroupOf(i, [this](int j) { turnDown(j); });
}

void Concentration::preparePreview() {
    const int t = previewTime_, s = previewSpeed_, a = showTime_, n = cardCount_;
    for (int i = 0; i < n; ++i) {
        CardSlot& slot = slots_[i];
        int row = i / std::max(columns_, 1), column = i % std::max(columns_, 1);
        switch (previewMode_) {
        case PreviewAll:
            if (sprite::AnimateSprite* back = cardBack(i)) back->setFrame(kFaceUp);
            break;
        case PreviewByRow:
            slot.group = row;
            slot.groupDelay = row * ((t / rows_) * s / 100);
            slot.timer = a;
            break;
        case PreviewByColumn:
            slot.group = column;
            slot.groupDelay = column * ((t / columns_) * s / 100);
            slot.timer = a;
            break;
        case PreviewByHalves:
            slot.group = column < columns_ / 2 ? 0 : columns_ / 2;
            slot.groupDelay = column < columns_ / 2 ? 0 : ((t / 2) * s / 100) * 2;
            slot.timer = a;
            break;
        case PreviewByCard: {
            int step = (t / n) * s / 100;
            slot.group = i;
            slot.groupDelay = i * step;
            slot.timer = n * step - i * step + 20;
            break;
        }
        default: break;
        }
    }
}

void Concentration::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case kPhaseOwnA: scheduleNextPhase(kPhaseTurns, 1); break;
    case PhasePlay:
        if (turnEnded_) break;
        firstCard_ = -1;
        endTurn();
        preparePreview();
        if (previewMode_ == PreviewNone) scheduleNextPhase(kPhaseOwnA, 1);
        else if (previewMode_ == PreviewAll)
            scheduleNextPhase(kPhaseCardsDown, previewTime_ + 4);
        break;
    case kPhaseCardsDown:
        turnEnded_ = true;
        for (int i = 0; i < cardCount_; ++i) resetPreviewState(slots_[i]);
        if (previewMode_ == PreviewAll)
            for (int i = 0; i < cardCount_; ++i) turnDown(i);
        scheduleNextPhase(kPhaseOwnA, 1);
        break;
    case PhaseCorrect: {
        bool remaining = false;
        for (int i = 0; i < cardCount_; ++i) {
            CardSlot& s = slots_[i];
            if (s.matched) {
                playSound(MentariumCanvas::SoundSuccess);
                explode(i);
                s.pair = -1;
                s.matched = false;
                s.open = false;
            }
            if (s.pair >= 0) remaining = true;
        }
        if (remaining) {
            scheduleNextPhase(kPhaseTurns, 1);
            break;
        }
        finishTurn(true, 1);
        break;
    }
    case PhaseWrong: scheduleNextPhase(kPhaseTurns, 1); break;
    case PhaseNextTurn: scheduleNextPhase(PhasePlay, 12); break;
    default: break;
    }
}

void Concentration::explode(int i) {
    sprite::Sprite* back = cardBack(i);
    sprite::Sprite* face = findChild(numberedName("CardFace_", i));
    if (back) back->setVisible(false);
    if (face) face->setVisible(false);
    lang::Ref<sprite::ScalerSprite> pop(new sprite::ScalerSprite());
    lang::Ref<window::Image> picture(new window::Image(lang::String("+iFindNewImagePop")));
    pop->setImage(picture.get());
    if (back) pop->setLocation(back->getX() + back->getWidth() / 2, back->getY() + back->getHeight() / 2);
    pop->startScale(100, 0, kExplodeSteps, false, 128, 128, false, 0, 0);
    addNamed(numberedName("CardExplode_", i), pop.get());
}

// --- the frame tick ---

void Concentration::wavePreview() {
    ++previewCounter_;
    bool allOpen = cardCount_ > 0;
    for (int i = 0; i < cardCount_; ++i) {
        sprite::AnimateSprite* back = cardBack(i);
        CardSlot& s = slots_[i];
        if (back == nullptr || !back->isVisible()) continue;
        if (!back->isAnimating() && !s.closePending) {
            if (s.groupDelay <= previewCounter_ && !s.open) {
                revealGroup(i);
                s.turningDown = false;
            }
        } else {
            if (back->getFrame() == kFaceUp && !s.closePending) s.closePending = true;
            if (s.closePending && --s.timer <= 0) {
                s.timer = 0;
                s.turningDown = false;
                s.open = true;
                s.closePending = false;
                concealGroup(i);
            }
        }
    }
    for (int i = 0; i < cardCount_; ++i) allOpen = allOpen && slots_[i].open;
    if (allOpen) setPhase(kPhaseCardsDown);
}

void Concentration::settleCards() {
    for (int i = 0; i < cardCount_; ++i) {
        sprite::AnimateSprite* back = cardBack(i);
        CardSlot& s = slots_[i];
        if (back == nullptr || !back->isVisible()) continue;
        if (s.turningDown && back->getFrame() == 0) {
            resetPreviewState(s);
        } else if (back->getFrame() == kFaceUp && s.closePending && !s.turningDown && --s.timer <= 0) {
            s.timer = 0;
            s.closePending = false;
            turnDown(i);
        }
    }
}

void Concentration::syncFaces() {
    for (int i = 0; i < cardCount_; ++i) {
        sprite::AnimateSprite* back = cardBack(i);
        sprite::Sprite* face = findChild(numberedName("CardFace_", i));
        if (back == nullptr || face == nullptr) continue;
        bool up = back->isVisible() && back->getFrame() == kFaceUp;
        if (face->isVisible() != up) face->setVisible(up);
    }
}

bool Concentration::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (isVisible()) {
        ObjectLock hold(this, true);
        MentariumCanvas* c = canvas();
        if (c && c->getState() == MentariumCanvas::StatePlaying && cards_) {
            if (phase_ == PhasePlay && previewMode_ >= PreviewByRow && previewMode_ <= PreviewByCard) wavePreview();
            else
                settleCards();
        }
        syncFaces();
    }
    return GameBase::collectDirty(tick, total, region);
}

// --- description: the board as lines "card I X Y W H PAIR OPEN FRAME VISIBLE" ---

void Concentration::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "board " + std::to_string(rows_) + " " + std::to_string(columns_) + " " + std::to_string(cardCount_) + " " +
            std::to_string(previewMode_) + "\n";
    text += "first " + std::to_string(firstCard_) + "\n";
    for (int i = 0; i < cardCount_; ++i) {
        sprite::AnimateSprite* back = cardBack(i);
        if (back == nullptr) continue;
        const CardSlot& s = slots_[i];
        text += "card " + std::to_string(i) + " " + std::to_string(getX() + back->getX()) + " " +
                std::to_string(getY() + back->getY()) + " " + std::to_string(back->getWidth()) + " " +
                std::to_string(back->getHeight()) + " " + std::to_string(s.pair) + " " + std::to_string(s.open) + " " +
                std::to_string(back->getFrame()) + " " + std::to_string(back->isVisible() ? 1 : 0) + "\n";
    }
}

// --- input ---

bool Concentration::acceptsInput() const { return playingIn({kPhaseTurns, PhaseCorrect, PhaseWrong}); }

int Concentration::cardAt(int lx, int ly) const {
    for (int i = 0; i < cardCount_; ++i) {
        sprite::AnimateSprite* back = cardBack(i);
        if (back && back->isVisible() && back->contains(lx, ly)) return i;
    }
    return -1;
}

int Concentration::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (!acceptsInput() || answer == RESULT) return answer;
    int lx = event->x - getX(), ly = event->y - getY();
    int i = -1;
    for (int j = 0; j < cardCount_ && i < 0; ++j) {
        sprite::AnimateSprite* back = cardBack(j);
        if (!slots_[j].open && back && back->isVisible() && back->contains(lx, ly)) i = j;
    }
    if (i < 0) return answer;
    CardSlot& card = slots_[i];
    sprite::AnimateSprite* back = cardBack(i);
    card.turningDown = false;
    if (back->getFrame() < kFaceUp) turnUp(i);
    playSound(MentariumCanvas::SoundClick);
    if (firstCard_ < 0) {
        firstCard_ = i;
        card.open = true;
    } else if (i != firstCard_) {
        CardSlot& first = slots_[firstCard_];
        if (card.pair == first.pair) {
            if (!card.matched) {
                card.matched = first.matched = true;
                card.timer = first.timer = 0;
                card.open = true;
                scheduleNextPhase(PhaseCorrect, 5);
            }
        } else {
            int firstFrame = cardBack(firstCard_)->getFrame();
            first.timer = 2 * firstFrame;
            card.timer = firstFrame + 5;
            card.open = true;
            card.closePending = first.closePending = true;
            scheduleNextPhase(PhaseWrong, 9);
        }
        firstCard_ = -1;
    }
    return TAKEN;
}

void Concentration::setHovered(int i) {
    if (i == hoveredCard_) return;
    if (sprite::AnimateSprite* old = cardBack(hoveredCard_))
        old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    if (sprite::AnimateSprite* now = cardBack(i))
        now->setColorFactors(now->getAlpha(), kHighlight, kHighlight, kHighlight);
    hoveredCard_ = i;
}

bool Concentration::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!acceptsInput() || !cards_) return false;
        int i = cardAt(lx, ly);
        sprite::AnimateSprite* back = cardBack(i);
        bool eligible = back && !back->isAnimating() && !slots_[i].open;
        setHovered(eligible ? i : -1);
        return i >= 0;
    });
}
