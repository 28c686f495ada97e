#include "game/minigames/Simon.h"

#include <algorithm>

#include "game/ColourPalette.h"
#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "lang/ObjectLock.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(Simon)

namespace {

constexpr int kPhaseNewTurn = 2;
constexpr int kFewestChoices = 3;
constexpr int kTurnedAngle = 45;
constexpr int kLit = 192, kHover = 160, kNeutral = 128;
constexpr int kNextTurnDelay = 10;

}  // namespace

Simon::~Simon() {
    for (auto& faces : faces_)
        for (window::Image*& face : faces)
            if (face) face->release();
}

void Simon::onLoaded(sprite::DataLoader* loader) {
    GameBase::onLoaded(loader);
    readLayouts();
    // Each button's face in either palette; the colour-blind twins keep the shapes.
    for (int kind = 0; kind < ColourPalette::Kinds; ++kind)
        for (int k = 0; k < Buttons; ++k)
            if (faces_[kind][k] == nullptr) {
                lang::String name("+iSimonButton");
                name.append(ColourPalette::pictureSuffix(static_cast<ColourPalette::Kind>(kind)))
                    .append("_")
                    .append(k + 1);
                faces_[kind][k] = new window::Image(name);
            }
    for (int k = 1; k <= Buttons; ++k)
        if (sprite::ScalerSprite* b = button(k)) b->setVisible(false);
}

sprite::ScalerSprite* Simon::button(int number) const {
    return dynamic_cast<sprite::ScalerSprite*>(findChild(numberedName("bChoice", number)));
}

// --- layouts ---

void Simon::readLayouts() {
    positions_.clear();
    if (parameters_.length() == 0) return;
    int pairs = 0;
    for (int g = 0; g < 4; ++g) {
        layoutCounts_[g] = std::max(param(ParamLayoutCounts + g), 0);
        pairs += (kFewestChoices + g) * layoutCounts_[g];
    }
    // A list cut short holds fewer layouts; those it lacks are never used.
    pairs = std::min(pairs, std::max(parameters_.length() - ParamFirstPosition, 0) / 2);
    for (int j = 0; j < pairs; ++j)
        positions_.push_back(
            {param(ParamFirstPosition + 2 * j) * 500 / 800, param(ParamFirstPosition + 2 * j + 1) * 375 / 600});
}

int Simon::layoutCount(int choiceCount) const {
    int g = choiceCount >= kFewestChoices && choiceCount < kFewestChoices + 3 ? choiceCount - kFewestChoices : 3;
    return layoutCounts_[g];
}

int Simon::layoutStart(int choiceCount, int layoutIndex) const {
    int g = choiceCount >= kFewestChoices && choiceCount < kFewestChoices + 3 ? choiceCount - kFewestChoices : 3;
    int offset = 0;
    for (int h = 0; h < g; ++h) offset += (kFewestChoices + h) * layoutCounts_[h];
    int start = layoutIndex * choiceCount + offset;
    if (layoutIndex < 0 || layoutIndex >= layoutCounts_[g] || start + choiceCount > static_cast<int>(positions_.size()))
        return -1;
    return start;
}

// --- the rules of a turn ---

Simon::TurnSize Simon::turnSizeAt(int level) const {
    TurnSize size;
    size.sequenceLength = param(ParamSequenceLength);
    size.showTime = param(ParamShowTimeAtStart);
    size.choiceCount = param(ParamChoiceCount);
    const int showLevels = param(ParamShowLevelsPerStep);
    int k = showLevels > 0 ? level / showLevels : 0;
    if (k > 0)
        size.showTime = std::max(param(ParamShowTimeAtStart) - param(ParamShowTimeStep) * k, param(ParamShortestShow));
    int whole = level;  // each quantity grows with the whole level
    growParam(size.sequenceLength, whole, ParamSequenceLength);
    whole = level;
    // More buttons also quicken the lights a little.
    if (growParam(size.choiceCount, whole, ParamChoiceCount) && size.choiceCount > param(ParamChoiceCount) &&
        size.showTime > param(ParamShortestShow))
        --size.showTime;
    // The screen has six buttons and the sequence a hundred places; a light
    // shorter than a frame would never go out.
    size.choiceCount = std::clamp(size.choiceCount, kFewestChoices, Buttons);
    size.sequenceLength = std::clamp(size.sequenceLength, 1, MaxSequence);
    size.showTime = std::max(size.showTime, 1);
    return size;
}

// --- buttons ---

int Simon::toneOf(int i) const { return i >= 0 && i < choiceCount_ ? buttonOrder_[i] : -1; }

void Simon::light(int i) {
    sprite::ScalerSprite* b = choice(i);
    if (b == nullptr) return;
    b->setColorFactors(b->getAlpha(), kLit, kLit, kLit);
    b->startScale(100, 100, 1, false, 128, 128, true, 0, kTurnedAngle);
    turned_[i] = true;
}

void Simon::putOut(int i) {
    sprite::ScalerSprite* b = choice(i);
    if (b == nullptr) return;
    b->setColorFactors(b->getAlpha(), kNeutral, kNeutral, kNeutral);
    b->startScale(100, 100, 1, false, 128, 128, true, kTurnedAngle, 0);
    turned_[i] = false;
}

void Simon::showEntry(int entry) {
    int i = sequenceAt(entry);
    if (i < 0) return;
    playSound(toneOf(i));
    light(i);
}

void Simon::placeChoices() {
    int start = layoutStart(choiceCount_, layoutIndex_);
    if (start < 0) return;  // no layout for this count: the buttons stay where the scene put them
    for (int i = 0; i < choiceCount_; ++i) {
        const Position& p = positions_[start + i];
        choices_[i]->setLocation(p.x + choices_[i]->getWidth() / 2, p.y + choices_[i]->getHeight() / 2);
    }
}

// --- a turn ---

void Simon::clearTiles() {
    ObjectLock hold(this, true);
    for (int i = 0; i < choiceCount_; ++i) {
        putOut(i);
        choices_[i]->setVisible(false);
    }
    std::fill(std::begin(choices_), std::end(choices_), nullptr);
    std::fill(std::begin(turned_), std::end(turned_), false);
    choiceCount_ = 0;
    sequenceLength_ = 0;
    std::fill(std::begin(sequence_), std::end(sequence_), -1);
    playIndex_ = inputIndex_ = 0;
    GameBase::clearTiles();
}

void Simon::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    TurnSize size = turnSizeAt(getLevel());
    sequenceLength_ = size.sequenceLength;
    showTime_ = size.showTime;
    int count = size.choiceCount;
    layoutIndex_ = random_.nextInt(layoutCount(count) - 1);
    for (int e = 0; e < sequenceLength_; ++e) sequence_[e] = random_.nextInt(count - 1);
    shuffle(buttonOrder_, Buttons);
    for (int k = 1; k <= Buttons; ++k)
        if (sprite::ScalerSprite* b = button(k)) b->setVisible(false);
    for (int i = 0; i < count; ++i) {
        sprite::ScalerSprite* b = button(buttonOrder_[i] + 1);
        if (b == nullptr) break;  // a scene short of buttons plays with those it has
        b->setImage(faces_[ColourPalette::current()][buttonOrder_[i]]);
        b->setVisible(true);
        choices_[choiceCount_++] = b;
    }
    // The sequence only names buttons that are on the screen.
    for (int e = 0; e < sequenceLength_; ++e) sequence_[e] = std::min(sequence_[e], std::max(choiceCount_ - 1, 0));
    placeChoices();
    GameBase::endTurn();
}

bool Simon::isTimerRunning() {
    return GameBase::isTimerRunning() || phase_ == PhaseShowFirst || phase_ == PhaseLightOut || phase_ == PhaseShowNext;
}

void Simon::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case kPhaseNewTurn:
        hideSuccessFailure();
        endTurn();
        // A schedule of no frames would never come due.
        scheduleNextPhase(PhaseShowFirst, std::max(param(ParamLeadFrames), 1));
        break;
    case PhasePlay: scheduleNextPhase(kPhaseNewTurn, 1); break;
    case PhaseShowFirst:
        playIndex_ = 0;
        showEntry(0);
        scheduleNextPhase(PhaseLightOut, showTime_);
        break;
    case PhaseLightOut:
        putOut(sequenceAt(playIndex_));
        scheduleNextPhase(PhaseShowNext, showTime_);
        break;
    case PhaseShowNext:
        if (playIndex_ >= sequenceLength_ - 1) {
            setPhase(PhaseAnswer);
            break;
        }
        showEntry(++playIndex_);
        scheduleNextPhase(PhaseLightOut, showTime_);
        break;
    case PhaseCorrect:
        if (++inputIndex_ < sequenceLength_) {
            setPhase(PhaseAnswer);
            break;
        }
        inputIndex_ = 0;
        finishTurn(true, 1);
        break;
    case PhaseWrong: finishTurn(false, 1); break;
    case PhaseNextTurn:
        layoutTurn();
        scheduleNextPhase(kPhaseNewTurn, kNextTurnDelay);
        break;
    default: break;
    }
}

// --- input ---

int Simon::choiceAt(int lx, int ly) const {
    for (int i = 0; i < choiceCount_; ++i)
        if (choices_[i]->contains(lx, ly)) return i;
    return -1;
}

int Simon::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !playingIn({PhaseAnswer}) || choiceCount_ == 0) return answer;
    int i = choiceAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    light(i);
    if (i == sequenceAt(inputIndex_)) {
        playSound(toneOf(i));
        setPhase(PhaseCorrect);
    } else {
        setPhase(PhaseWrong);
    }
    return TAKEN;
}

bool Simon::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({PhaseAnswer})) return false;
        bool over = false;
        for (int i = 0; i < choiceCount_; ++i) {
            if (turned_[i]) putOut(i);
            bool under = choices_[i]->contains(lx, ly);
            int factor = under ? kHover : kNeutral;
            choices_[i]->setColorFactors(choices_[i]->getAlpha(), factor, factor, factor);
            over = over || under;
        }
        return over;
    });
}

// --- description: the turn, the sequence, then "choice I X Y W H LIT TONE" per button ---

void Simon::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "simon " + std::to_string(choiceCount_) + " " + std::to_string(sequenceLength_) + " " +
            std::to_string(inputIndex_) + " " + std::to_string(playIndex_) + " " + std::to_string(showTime_) + "\n";
    text += "sequence";
    for (int e = 0; e < sequenceLength_; ++e) text += " " + std::to_string(sequence_[e]);
    text += "\n";
    for (int i = 0; i < choiceCount_; ++i)
        text += "choice " + std::to_string(i) + " " + std::to_string(getX() + choices_[i]->getX()) + " " +
                std::to_string(getY() + choices_[i]->getY()) + " " + std::to_string(choices_[i]->getWidth()) + " " +
                std::to_string(choices_[i]->getHeight()) + " " + std::to_string(turned_[i] ? 1 : 0) + " " +
                std::to_string(toneOf(i)) + "\n";
}
