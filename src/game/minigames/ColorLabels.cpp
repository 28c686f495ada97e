#include "game/minigames/ColorLabels.h"

#include <algorithm>
#include <string>

#include "game/ColourPalette.h"
#include "game/MentariumCanvas.h"
#include "game/SpriteNames.h"
#include "game/minigames/ColorLabelCell.h"
#include "game/minigames/Grid.h"
#include "lang/ObjectLock.h"
#include "sprite/AnimateSprite.h"
#include "sprite/NewFontSprite.h"
#include "sprite/NumberSprite.h"
#include "util/Vector.h"
#include "window/Event.h"

MENTARIUM_DEFINE_METACLASS(ColorLabels)

namespace {

constexpr int kPhaseTurnOver = 2;  // timer runs: the cards with words turn face up
constexpr int kFaceUp = 2;
constexpr int kTurnInterval = 2;
constexpr int kShowTaskFrames = 24;
constexpr int kTurnFrames = 4;
constexpr int kHighlight = 160;
constexpr int kNeutral = 128;

}  // namespace

ColorLabels::ColorLabels() = default;

ColorLabels::~ColorLabels() = default;

// --- the rules of a turn ---

void ColorLabels::inkFactors(int colour, int& red, int& green, int& blue) {
    const ColourPalette::Factors f = ColourPalette::ink(ColourPalette::current(), colour);
    red = f.red;
    green = f.green;
    blue = f.blue;
}

ColorLabels::TurnShape ColorLabels::shapeAt(int level) const {
    TurnShape shape;
    // At most one word a card; at least one word to find, or the turn would never end.
    shape.labels = std::clamp(grownParam(level, ParamLabels), 1, Cells);
    // A wrong ink needs a second colour, and there are only seven inks.
    shape.colours = std::clamp(grownParam(level, ParamColours), 2, Colours);
    shape.matches = std::clamp(grownParam(level, ParamMatches), 1, shape.labels);
    return shape;
}

int ColorLabels::drawInk(int word, int colours, int& mismatches) {
    if (mismatches <= 0 || colours < 2) return word;
    --mismatches;
    int ink;
    do {
        ink = random_.nextInt(colours - 1);
    } while (ink == word);
    return ink;
}

// --- set-up ---

void ColorLabels::onLoaded(sprite::DataLoader* loader) {
    GameBase::onLoaded(loader);
    if (sprite::Sprite* bounds = part("GridBounds")) bounds->setVisible(false);
}

ColorLabelCell* ColorLabels::cell(int i) const {
    if (!cells_ || i < 0 || i >= cells_->size()) return nullptr;
    return static_cast<ColorLabelCell*>(cells_->elementAt(i));
}

int ColorLabels::getHovered() const { return hovered_ ? hovered_->index : -1; }

void ColorLabels::startGame() {
    ObjectLock hold(this, true);
    GameBase::startGame();
    removeCards();  // a play that was never stopped leaves no second set of cards
    sprite::Sprite* bounds = part("GridBounds");
    auto* prototype = dynamic_cast<sprite::AnimateSprite*>(part("ColorLabelFlipVertical"));
    if (bounds == nullptr || prototype == nullptr) return;  // a scene without the grid deals nothing
    grid_.reset(new Grid(bounds->getX(), bounds->getY(), Columns, Rows, bounds->getWidth() / Columns,
                         bounds->getHeight() / Rows));
    prototype->setFrame(0);
    prototype->setFrameRange(0, kFaceUp);
    prototype->setFrameInterval(kTurnInterval, 0);
    cells_.reset(new util::Vector(10));
    for (int i = 0; i < Cells; ++i) {
        lang::Ref<sprite::AnimateSprite> card(static_cast<sprite::AnimateSprite*>(prototype->clone()));
        card->setLocation(grid_->cellX(i), grid_->cellY(i));
        card->setVisible(true);
        addNamedBefore(numberedName("textBG_", i), card.get(), prototype);
        lang::Ref<ColorLabelCell> c(new ColorLabelCell(i, card.get()));
        cells_->addElement(c.get());
    }
}

void ColorLabels::removeCards() {
    clearTiles();
    for (int i = 0; cells_ && i < cells_->size(); ++i) remove(cell(i)->background);
    cells_.reset();
    grid_.reset();
}

void ColorLabels::stopGame() {
    ObjectLock hold(this, true);
    removeCards();
    GameBase::stopGame();
}

// --- a turn ---

void ColorLabels::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    for (int i = 0; cells_ && i < cells_->size(); ++i) {
        ColorLabelCell* c = cell(i);
        if (c->label) remove(c->label);
        c->setLabel(nullptr);
    }
    turnCounter_ = 0;
    setHovered(nullptr);
}

void ColorLabels::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    TurnShape shape = shapeAt(getLevel());
    labelCount_ = shape.labels;
    colourCount_ = shape.colours;
    matchCount_ = shape.matches;
    layOutWords();
    GameBase::endTurn();
    if (auto* toFind = number("MatchesToFind")) toFind->setValue(matchCount_);
    if (auto* found = number("FoundMatches")) found->setValue(0);
}

void ColorLabels::layOutWords() {
    if (!cells_ || cells_->size() < Cells) return;
    for (int i = 0; i < Cells; ++i) {
        cell(i)->ink = ColorLabelCell::NoInk;
        cell(i)->matches = false;
    }
    int mismatches = labelCount_ - matchCount_;
    for (int n = 0; n < labelCount_; ++n) {
        ColorLabelCell* c;
        do {
            c = cell(random_.nextInt(Cells - 1));
        } while (c->label);
        int word = random_.nextInt(colourCount_ - 1);
        // The word picture that names the colour in the palette in use.
        sprite::Sprite* prototype =
            part(numberedName("Label_", ColourPalette::word(ColourPalette::current(), word)).c_str());
        if (prototype == nullptr) continue;
        lang::Ref<sprite::Sprite> label(prototype->clone());
        label->setLocation(c->background->getX(), c->background->getY());
        label->setVisible(false);
        int ink = drawInk(word, colourCount_, mismatches);
        int r, g, b;
        inkFactors(ink, r, g, b);
        label->setColorFactors(label->getAlpha(), r, g, b);
        c->setLabel(label.get());
        addNamedBefore(numberedName("text_", c->index), label.get(), prototype);
        c->ink = ink;
        c->matches = ink == word;
    }
}

void ColorLabels::turnCards(int step) {
    for (int i = 0; cells_ && i < cells_->size(); ++i)
        if (ColorLabelCell* c = cell(i); c->label) c->background->setFrameStep(step, false);
}

void ColorLabels::showWords(bool shown) {
    for (int i = 0; cells_ && i < cells_->size(); ++i)
        if (ColorLabelCell* c = cell(i); c->label) c->label->setVisible(shown);
}

void ColorLabels::showTask(bool shown) {
    for (const char* name : {"findTotalText", "findTotalPanel"})
        if (sprite::Sprite* s = part(name)) s->setVisible(shown);
}

void ColorLabels::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    sprite::Sprite* task = part("findTotalText");
    switch (phase) {
    case PhaseStarting: showTask(false); break;
    case PhasePlay:
        endTurn();
        showWords(false);
        if (auto* text = dynamic_cast<sprite::NewFontSprite*>(task)) {
            MentariumCanvas* c = canvas();
            lang::String templ = c ? c->text(lang::String("TXT_FIND_CORRECT_MATCHES")) : lang::String();
            lang::String count;
            count.append(matchCount_);
            text->setText(lang::String::format(templ.c_str(), "%", count.c_str(), nullptr));
            showTask(true);
        }
        scheduleNextPhase(kPhaseTurnOver, kShowTaskFrames);
        break;
    case kPhaseTurnOver:
        showTask(false);
        turnCards(1);
        scheduleNextPhase(PhaseAnswer, kTurnFrames);
        break;
    case PhaseCorrect:
        ++turnCounter_;
        if (auto* found = number("FoundMatches")) found->setValue(turnCounter_);
        if (turnCounter_ != matchCount_) scheduleNextPhase(PhaseAnswer, 1);
        else
            finishTurn(true, kTurnFrames);
        break;
    case PhaseWrong: finishTurn(false, kTurnFrames); break;
    case PhaseNextTurn:
        showWords(false);
        turnCards(-1);
        setHovered(nullptr);
        scheduleNextPhase(PhasePlay, kTurnFrames);
        break;
    default: break;
    }
}

// Cards that stand face up show their words. The answer phase reveals too:
// a card that reaches its last frame just as the turn-over ends would
// otherwise keep its word hidden for the whole turn.
void ColorLabels::update(int) {
    if (phase_ != kPhaseTurnOver && phase_ != PhaseAnswer) return;
    for (int i = 0; cells_ && i < cells_->size(); ++i) {
        ColorLabelCell* c = cell(i);
        if (c->label && !c->label->isVisible() && c->background->getFrame() == kFaceUp) c->label->setVisible(true);
    }
}

// --- input ---

int ColorLabels::cellAt(int lx, int ly, bool byLabel) const {
    for (int i = 0; cells_ && i < cells_->size(); ++i) {
        ColorLabelCell* c = cell(i);
        sprite::Sprite* s = byLabel ? c->label : c->background;
        if (s && s->contains(lx, ly)) return i;
    }
    return -1;
}

int ColorLabels::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !playingIn({PhaseAnswer})) return answer;
    ColorLabelCell* c = cell(cellAt(event->x - getX(), event->y - getY(), false));
    if (c == nullptr) return answer;
    if (c->label == nullptr || c->ink == ColorLabelCell::Checked) return TAKEN;
    playSound(MentariumCanvas::SoundClick);
    if (!c->matches) {
        setPhase(PhaseWrong);
        return TAKEN;
    }
    c->ink = ColorLabelCell::Checked;
    if (sprite::Sprite* prototype = part("CheckMark")) {
        lang::Ref<sprite::Sprite> check(prototype->clone());
        check->setLocation(c->background->getX(), c->background->getY());
        check->setVisible(true);
        remove(c->label);
        insertBefore(check.get(), prototype);
        c->setLabel(check.get());
    }
    setPhase(PhaseCorrect);
    return TAKEN;
}

void ColorLabels::setHovered(ColorLabelCell* c) {
    if (hovered_) {
        sprite::Sprite* old = hovered_->background;
        old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    }
    if (c) c->background->setColorFactors(c->background->getAlpha(), kHighlight, kHighlight, kHighlight);
    hovered_ = c;
}

bool ColorLabels::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!playingIn({PhaseAnswer, PhaseCorrect})) return false;
        ColorLabelCell* c = cell(cellAt(lx, ly, true));
        if (c == nullptr) {
            setHovered(nullptr);
            return false;
        }
        if (c != hovered_) setHovered(c);
        return true;
    });
}

// --- description: "labels COUNT COLOURS MATCHES FOUND", then for every card
// with a word "label I X Y W H INK MATCHES SHOWN" in scene coordinates
// (ink -2 once checked) ---

void ColorLabels::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "labels " + std::to_string(labelCount_) + " " + std::to_string(colourCount_) + " " +
            std::to_string(matchCount_) + " " + std::to_string(turnCounter_) + "\n";
    text += "hovered " + std::to_string(getHovered()) + "\n";
    for (int i = 0; cells_ && i < cells_->size(); ++i) {
        ColorLabelCell* c = cell(i);
        if (c->label == nullptr) continue;
        sprite::AnimateSprite* card = c->background;
        text += "label " + std::to_string(i) + " " + std::to_string(getX() + card->getX()) + " " +
                std::to_string(getY() + card->getY()) + " " + std::to_string(card->getWidth()) + " " +
                std::to_string(card->getHeight()) + " " + std::to_string(c->ink) + " " +
                std::to_string(c->matches ? 1 : 0) + " " + std::to_string(c->label->isVisible() ? 1 : 0) + "\n";
    }
}
