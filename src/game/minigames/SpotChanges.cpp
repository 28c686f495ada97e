#include "game/minigames/SpotChanges.h"

#include <algorithm>
#include <string>

#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "game/minigames/Grid.h"
#include "lang/ObjectLock.h"
#include "lang/Ref.h"
#include "sprite/AnimateSprite.h"
#include "sprite/ScalerSprite.h"
#include "util/Vector.h"
#include "window/Event.h"

MENTARIUM_DEFINE_METACLASS(SpotChanges)

namespace {

constexpr int kPhaseOpen = 2;   // timer runs: the cards open on the changed board
constexpr int kPhaseClose = 4;  // timer stopped: the cards close over the first pictures
constexpr int kOpen = 2;
constexpr int kTurnInterval = 2;
constexpr int kTurnFrames = 4;
constexpr int kNextTurnFrames = 12;
constexpr int kFaceZoom = 80;
constexpr int kFoundAlpha = 40;
constexpr int kFoundFadeSteps = 15;
constexpr int kHighlight = 160;
constexpr int kNeutral = 128;
constexpr int kSizeTable[SpotChanges::Sizes] = {2, 3, 4, 5, 6, 8, 9, 10, 12};
// Modes of the shared tile tables that fill the turn's table.
constexpr int kFirstTileMode = 1;
constexpr int kLastTileMode = 5;

}  // namespace

SpotChanges::SpotChanges() {
    std::copy(std::begin(kSizeTable), std::end(kSizeTable), sizeTable_);
    std::fill(std::begin(cardTiles_), std::end(cardTiles_), -1);
    std::fill(std::begin(changedTiles_), std::end(changedTiles_), -1);
}

SpotChanges::~SpotChanges() = default;

// --- the rules of a turn ---

SpotChanges::TurnShape SpotChanges::shapeAt(int level) const {
    TurnShape shape;
    int size = param(ParamCards);
    shape.showTime = param(ParamShowTimeAtStart);
    shape.tileMode = param(ParamTileMode);
    int rest = level;
    const int showLevelsPerStep = param(ParamShowLevelsPerStep);
    // Each quantity takes its steps from what the ones before it in the order left over.
    for (int p = 0; p < 4; ++p) {
        if (param(ParamCardsPlace) == p) growParam(size, rest, ParamCards);
        if (param(ParamShowTimePlace) == p && showLevelsPerStep > 0 && rest / showLevelsPerStep > 0) {
            // The show time shrinks with its steps, down to the smallest.
            shape.showTime =
                std::max(param(ParamShowTimeAtStart) - param(ParamShowTimeStep) * (rest / showLevelsPerStep),
                         param(ParamShortestShow));
            rest %= showLevelsPerStep;
        }
        if (param(ParamTileModePlace) == p) growParam(shape.tileMode, rest, ParamTileMode);
    }
    shape.cards = sizeTable_[std::clamp(size, 0, Sizes - 1)];
    // A board shown for no frame at all would never close.
    shape.showTime = std::max(shape.showTime, 1);
    // Other modes leave the turn's pictures empty: no card could show one.
    if (shape.tileMode < kFirstTileMode || shape.tileMode > kLastTileMode) shape.tileMode = kFirstTileMode;
    shape.scattered =
        level >= ScatterLevel && param(ParamScatterDivisor) > 0 && level / param(ParamScatterDivisor) >= 1;
    return shape;
}

void SpotChanges::layoutFor(int cards, int draw, int& rows, int& columns) {
    switch (cards) {
    case 2:
        rows = 1;
        columns = 2;
        break;
    case 3:
        rows = 1;
        columns = 3;
        break;
    case 4:
        rows = draw == 0 ? 1 : 2;
        columns = draw == 0 ? 4 : 2;
        break;
    case 5:
        rows = 1;
        columns = 5;
        break;
    case 6:
        rows = 2;
        columns = 3;
        break;
    case 8:
        rows = 2;
        columns = 4;
        break;
    case 9:
        rows = 3;
        columns = 3;
        break;
    case 10:
        rows = 2;
        columns = 5;
        break;
    default:
        rows = 3;
        columns = 4;
        break;
    }
}

util::RectangleNM SpotChanges::scatterArea(const util::RectangleNM& bounds, int cards) {
    util::RectangleNM area(bounds);
    // A few cards keep to the middle of the play area.
    if (cards < 6) area.set(bounds.x + 93, bounds.y + 31, bounds.width - 187, bounds.height - 62);
    return area;
}

bool SpotChanges::cornerInside(int x, int y, int w, int h, int count) const {
    auto inside = [&](int px, int py) { return px >= x && px <= x + w && py >= y && py <= y + h; };
    for (int j = 0; j < count; ++j) {
        sprite::AnimateSprite* other = card(j);
        if (other == nullptr) continue;
        int ox = other->getX(), oy = other->getY(), ow = other->getWidth(), oh = other->getHeight();
        if (inside(ox, oy) || inside(ox + ow, oy) || inside(ox, oy + oh) || inside(ox + ow, oy + oh)) return true;
    }
    return false;
}

// --- set-up ---

void SpotChanges::onLoaded(sprite::DataLoader* loader) {
    GameBase::onLoaded(loader);
    if (sprite::Sprite* bounds = part("GameBounds")) bounds->setVisible(false);
}

sprite::AnimateSprite* SpotChanges::card(int i) const {
    return static_cast<sprite::AnimateSprite*>(spriteOf(cards_.get(), i));
}

sprite::ScalerSprite* SpotChanges::face(int i) const {
    return static_cast<sprite::ScalerSprite*>(spriteOf(faces_.get(), i));
}

sprite::ScalerSprite* SpotChanges::changedFace(int i) const {
    return static_cast<sprite::ScalerSprite*>(spriteOf(changedFaces_.get(), i));
}

int SpotChanges::changedCard() const {
    for (int i = 0; i < cardCount_; ++i)
        if (cardTiles_[i] != changedTiles_[i]) return i;
    return -1;
}

// --- a turn ---

void SpotChanges::forget(lang::Ref<util::Vector>& sprites) {
    if (!sprites) return;
    for (int i = 0; i < sprites->size(); ++i) remove(static_cast<sprite::Sprite*>(sprites->elementAt(i)));
    sprites.reset();
}

void SpotChanges::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    forget(faces_);
    forget(changedFaces_);
    forget(cards_);
    grid_.reset();
    std::fill(std::begin(cardTiles_), std::end(cardTiles_), -1);
    std::fill(std::begin(changedTiles_), std::end(changedTiles_), -1);
    highlighted_ = -1;
    turnCounter_ = 0;
}

void SpotChanges::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    TurnShape shape = shapeAt(getLevel());
    cardCount_ = shape.cards;
    showTime_ = shape.showTime;
    scattered_ = shape.scattered;
    tileMode_ = shape.tileMode;
    // The turn's pictures first: refilling the table clears the board.
    buildTiles(tileMode_, cardCount_);
    sprite::Sprite* area = part("GameBounds");
    util::RectangleNM bounds;
    if (area) bounds.set(area->getX(), area->getY(), area->getWidth(), area->getHeight());
    if (!scattered_) {
        int rows = 1, columns = 1;
        layoutFor(cardCount_, cardCount_ == 4 ? random_.nextInt(1) : 0, rows, columns);
        int w = (columns - 1) * CellGap + columns * CellSize, h = (rows - 1) * CellGap + rows * CellSize;
        grid_.reset(new Grid(bounds.x + bounds.width / 2 - w / 2, bounds.y + bounds.height / 2 - h / 2, columns, rows,
                             CellSize + CellGap, CellSize + CellGap));
    } else {
        scatterArea_ = scatterArea(bounds, cardCount_);
    }
    placeCards();
    makeChange();
    GameBase::endTurn();
}

sprite::ScalerSprite* SpotChanges::makeFace(const lang::String& childName, int t, sprite::AnimateSprite* on) {
    auto* face = new sprite::ScalerSprite();
    face->setImage(tile(t));
    face->setLocation(on->getX() + on->getWidth() / 2, on->getY() + on->getHeight() / 2);
    face->startScale(100, kFaceZoom, 1, false, kNeutral, kNeutral, false, 0, 0);
    face->setVisible(true);
    addNamed(childName, face);
    return face;
}

void SpotChanges::placeCards() {
    auto* prototype = dynamic_cast<sprite::AnimateSprite*>(part("CardBackPrototype"));
    if (prototype == nullptr) return;  // a scene without the card deals nothing
    prototype->setFrameRange(0, kOpen);
    prototype->setFrameInterval(kTurnInterval, 0);
    cards_.reset(new util::Vector(MaxCards));
    faces_.reset(new util::Vector(MaxCards));
    for (int i = 0; i < cardCount_; ++i) {
        lang::Ref<sprite::AnimateSprite> back(static_cast<sprite::AnimateSprite*>(prototype->clone()));
        back->setFrame(kOpen);
        back->setVisible(true);
        addNamed(numberedName("CardBack_", i), back.get());
        cards_->addElement(back.get());
        // Every card a picture of its own; the mode gives more pictures than cards.
        cardTiles_[i] = std::max(randomNotIn(tileCount(), cardTiles_, cardCount_), 0);
        if (!scattered_) {
            back->setLocation(grid_->cellX(i), grid_->cellY(i));
        } else {
            const util::RectangleNM& a = scatterArea_;
            int w = back->getWidth(), h = back->getHeight();
            // Up to so many tries for a place clear of the cards placed so far; the last try stands.
            for (int attempt = 0; attempt < PlaceAttempts; ++attempt) {
                int x = a.x + random_.nextInt(std::max(a.width - w, 0));
                int y = a.y + random_.nextInt(std::max(a.height - h, 0));
                back->setLocation(x, y);
                if (!cornerInside(x, y, w, h, i)) break;
            }
        }
        lang::Ref<sprite::ScalerSprite> f(makeFace(numberedName("CardFace_", i), cardTiles_[i], back.get()));
        faces_->addElement(f.get());
    }
}

void SpotChanges::makeChange() {
    std::copy(std::begin(cardTiles_), std::end(cardTiles_), changedTiles_);
    if (cardCount_ <= 0 || !cards_) return;
    int j = random_.nextInt(cardCount_ - 1);
    int fresh = randomNotIn(tileCount(), cardTiles_, cardCount_);
    if (fresh >= 0) changedTiles_[j] = fresh;
    changedFaces_.reset(new util::Vector(MaxCards));
    for (int i = 0; i < cardCount_ && i < cards_->size(); ++i) {
        lang::Ref<sprite::ScalerSprite> f(makeFace(numberedName("CardChange_", i), changedTiles_[i], card(i)));
        f->setVisible(false);
        changedFaces_->addElement(f.get());
    }
}

void SpotChanges::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case PhasePlay:
        if (turnEnded_) break;
        endTurn();
        scheduleNextPhase(kPhaseClose, showTime_);
        break;
    case kPhaseClose:
        for (int i = 0; i < cardCount_; ++i) {
            if (sprite::ScalerSprite* f = face(i)) f->setVisible(false);
            if (sprite::AnimateSprite* c = card(i)) {
                c->setFrame(kOpen);
                c->setFrameStep(-1, false);
                c->setVisible(true);
            }
        }
        scheduleNextPhase(kPhaseOpen, kTurnFrames);
        break;
    case kPhaseOpen:
        for (int i = 0; i < cardCount_; ++i)
            if (sprite::AnimateSprite* c = card(i)) {
                c->setFrame(0);
                c->setFrameStep(1, false);
            }
        scheduleNextPhase(PhaseAnswer, kTurnFrames);
        break;
    case PhaseCorrect:
        ++turnCounter_;
        finishTurn(true, 1);
        break;
    case PhaseWrong: finishTurn(false, 1); break;
    case PhaseNextTurn: scheduleNextPhase(PhasePlay, kNextTurnFrames); break;
    default: break;
    }
}

// Once the cards stand open again the changed pictures show. The answer
// phase looks too: cards that open just as the opening phase ends would
// otherwise stay blank for the whole turn.
void SpotChanges::update(int) {
    if (phase_ != kPhaseOpen && phase_ != PhaseAnswer) return;
    sprite::AnimateSprite* first = card(0);
    sprite::ScalerSprite* firstFace = changedFace(0);
    if (first == nullptr || firstFace == nullptr || first->getFrame() != kOpen || firstFace->isVisible()) return;
    for (int i = 0; i < cardCount_; ++i)
        if (sprite::ScalerSprite* f = changedFace(i)) f->setVisible(true);
    if (phase_ == kPhaseOpen) setPhase(PhaseAnswer);
}

// --- input ---

int SpotChanges::cardAt(int lx, int ly, bool open) const {
    for (int i = 0; i < cardCount_; ++i) {
        sprite::AnimateSprite* c = card(i);
        if (c == nullptr || !c->contains(lx, ly)) continue;
        // A found card's picture stands faded; it takes no second answer.
        sprite::ScalerSprite* f = changedFace(i);
        if (open && f && f->getTargetAlpha() == kFoundAlpha) continue;
        return i;
    }
    return -1;
}

int SpotChanges::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !playingIn({PhaseAnswer})) return answer;
    int i = cardAt(event->x - getX(), event->y - getY(), true);
    if (i < 0) return answer;
    playSound(MentariumCanvas::SoundClick);
    if (cardTiles_[i] == changedTiles_[i]) {
        setPhase(PhaseWrong);
    } else {
        if (sprite::ScalerSprite* f = changedFace(i)) f->fadeTo(kFoundAlpha, kFoundFadeSteps, false);
        setPhase(PhaseCorrect);
    }
    return TAKEN;
}

void SpotChanges::setHighlighted(int i) {
    if (sprite::AnimateSprite* old = card(highlighted_))
        old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    if (sprite::AnimateSprite* now = card(i)) now->setColorFactors(now->getAlpha(), kHighlight, kHighlight, kHighlight);
    highlighted_ = i;
}

bool SpotChanges::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({PhaseAnswer, PhaseCorrect, PhaseWrong})) return false;
        int i = cardAt(lx, ly, false);
        setHighlighted(i);
        return i >= 0;
    });
}

// --- description: "board COUNT SHOWTIME TILEMODE SCATTERED CHANGED", then
// "card I X Y W H TILE CHANGEDTILE FRAME CHANGEDSHOWN" in scene coordinates ---

void SpotChanges::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "board " + std::to_string(cardCount_) + " " + std::to_string(showTime_) + " " + std::to_string(tileMode_) +
            " " + std::to_string(scattered_ ? 1 : 0) + " " + std::to_string(changedCard()) + "\n";
    for (int i = 0; i < cardCount_; ++i) {
        sprite::AnimateSprite* c = card(i);
        if (c == nullptr) continue;
        sprite::ScalerSprite* f = changedFace(i);
        text += "card " + std::to_string(i) + " " + std::to_string(getX() + c->getX()) + " " +
                std::to_string(getY() + c->getY()) + " " + std::to_string(c->getWidth()) + " " +
                std::to_string(c->getHeight()) + " " + std::to_string(cardTiles_[i]) + " " +
                std::to_string(changedTiles_[i]) + " " + std::to_string(c->getFrame()) + " " +
                std::to_string(f && f->isVisible() ? 1 : 0) + "\n";
    }
}
