#include "game/minigames/NumberOrder.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/MentariumCanvas.h"
#include "lang/ObjectLock.h"
#include "sprite/NumberSprite.h"
#include "sprite/ScalerSprite.h"
#include "window/Event.h"
#include "window/Image.h"

MENTARIUM_DEFINE_METACLASS(NumberOrder)

namespace {

constexpr int kPhaseLead = 2;  // timer runs: leads into answering
constexpr int kPhaseHide = 4;  // the numbers hide
constexpr int kHighlight = 160;
constexpr int kNeutral = 128;
constexpr int kZoomFrame = 5;     // preview frame that settles the tiles at full size
constexpr int kNumbersFrame = 6;  // preview frame that puts the numbers on
// The numbers come on at the sixth frame of the display; a shorter display
// would hide them before they were ever shown.
constexpr int kShortestShow = 3;

struct Spot {
    int row, column;
};

// Patterns by count (1 .. 9) and variant, as (row, column).
constexpr Spot kPatterns[NumberOrder::MaxCount][2][NumberOrder::MaxCount] = {
    {{{4, 4}}, {{4, 4}}},
    {{{4, 4}, {4, 3}}, {{4, 4}, {3, 3}}},
    {{{4, 4}, {3, 5}, {5, 3}}, {{4, 4}, {5, 5}, {3, 3}}},
    {{{2, 4}, {3, 4}, {5, 4}, {6, 4}}, {{5, 3}, {3, 5}, {5, 5}, {3, 3}}},
    {{{5, 3}, {4, 4}, {3, 5}, {5, 2}, {3, 6}}, {{5, 3}, {4, 4}, {3, 5}, {5, 5}, {3, 3}}},
    {{{2, 2}, {3, 2}, {4, 2}, {5, 2}, {5, 3}, {5, 4}}, {{3, 4}, {4, 5}, {6, 5}, {3, 5}, {5, 5}, {3, 3}}},
    {{{5, 3}, {4, 4}, {5, 4}, {3, 4}, {3, 5}, {5, 2}, {3, 6}},
     {{5, 3}, {4, 4}, {2, 2}, {6, 2}, {4, 5}, {4, 6}, {3, 3}}},
    {{{2, 2}, {3, 3}, {5, 5}, {5, 6}, {5, 2}, {2, 6}, {5, 3}, {3, 5}},
     {{2, 2}, {3, 3}, {5, 5}, {5, 6}, {2, 3}, {3, 4}, {4, 4}, {5, 4}}},
    {{{4, 4}, {4, 3}, {3, 4}, {5, 4}, {4, 5}, {5, 3}, {3, 5}, {5, 5}, {3, 3}},
     {{4, 4}, {2, 2}, {6, 2}, {2, 6}, {6, 6}, {5, 3}, {3, 5}, {5, 5}, {3, 3}}},
};

lang::String cellName(const char* prefix, int row, int column) {
    lang::String name(prefix);
    name.append(row).append("_").append(column);
    return name;
}

}  // namespace

NumberOrder::NumberOrder() = default;

NumberOrder::~NumberOrder() {
    if (tilePicture_) tilePicture_->release();
}

// --- the rules of a turn ---

NumberOrder::TurnShape NumberOrder::shapeAt(int level) const {
    TurnShape shape;
    shape.count = param(ParamCount);
    shape.showTime = param(ParamShowTimeAtStart);
    int rest = level;
    const int wideFrom = param(ParamWideFromLevel);
    // Each growth slot takes its steps from what the slots before it left over.
    for (int slot = 0; slot < 3; ++slot) {
        if (slot == param(ParamCountSlot)) growParam(shape.count, rest, ParamCount);
        if (slot == param(ParamShowTimeSlot)) growParam(shape.showTime, rest, ParamShowTime);
        if (slot == param(ParamWideSlot) && wideFrom > 0 && rest / wideFrom > 0) shape.wide = true;
    }
    // Only 1 .. 9 tiles have a pattern; a turn without tiles could never end.
    shape.count = std::clamp(shape.count, 1, MaxCount);
    shape.low = shape.wide ? param(ParamWideLowest) : 1;
    shape.high = shape.wide ? param(ParamWideHighest) : shape.count;
    if (shape.count >= 5)
        shape.showTime = std::max(shape.showTime, (shape.count - 2 + (shape.wide ? 2 : 0)) * 3 + param(ParamShowTime));
    shape.showTime = std::max(shape.showTime, kShortestShow);
    return shape;
}

int NumberOrder::pattern(int count, int variant, int* cells) {
    if (count < 1 || count > MaxCount) return 0;
    const Spot* spots = kPatterns[count - 1][variant & 1];
    for (int i = 0; i < count; ++i) cells[i] = spots[i].row * Side + spots[i].column;
    return count;
}

void NumberOrder::drawNumbers(int count, int low, int high, int* numbers) {
    // A range narrower than the count could never give distinct numbers: it is widened.
    int span = std::max(std::abs(high - low), count - 1);
    for (int i = 0; i < count; ++i) {
        int v;
        do {
            v = low + random_.nextInt(span);
        } while (std::find(numbers, numbers + i, v) != numbers + i);
        numbers[i] = v;
    }
    std::sort(numbers, numbers + count);
}

// --- set-up ---

void NumberOrder::onLoaded(sprite::DataLoader* loader) {
    GameBase::onLoaded(loader);
    if (sprite::Sprite* bounds = part("GridBounds")) bounds->setVisible(false);
    if (sprite::Sprite* prototype = part("gridTileNumbers")) prototype->setVisible(false);
    if (tilePicture_ == nullptr)
        tilePicture_ = new window::Image(lang::String("+iNumberOrderGridTile|+NumberOrder_tileMask"));
}

const NumberOrder::Cell& NumberOrder::cell(int row, int column) const {
    return cells_[std::clamp(row, 0, Side - 1) * Side + std::clamp(column, 0, Side - 1)];
}

bool NumberOrder::numberShown(int index) const {
    if (index < 0 || index >= Cells) return false;
    return cells_[index].number && cells_[index].number->isVisible();
}

// --- a turn ---

void NumberOrder::clearTiles() {
    ObjectLock hold(this, true);
    GameBase::clearTiles();
    for (Cell& c : cells_) {
        if (c.tile) remove(c.tile);
        if (c.number) remove(c.number);
        c = Cell();
    }
    turnCounter_ = 0;
    previewCounter_ = 0;
    hovered_ = -1;
}

void NumberOrder::endTurn() {
    ObjectLock hold(this, true);
    clearTiles();
    TurnShape shape = shapeAt(getLevel());
    count_ = shape.count;
    showTime_ = shape.showTime;
    wide_ = shape.wide;
    int spots[MaxCount];
    pattern(count_, variant_, spots);
    variant_ ^= 1;

    int numbers[MaxCount], order[MaxCount];
    drawNumbers(count_, shape.low, shape.high, numbers);
    for (int i = 0; i < count_; ++i) order[i] = i;
    shuffle(order, count_);
    for (int k = 0; k < count_; ++k) {
        Cell& c = cells_[spots[order[k]]];
        c.value = numbers[k];
        c.rank = k + 1;
    }

    sprite::Sprite* bounds = part("GridBounds");
    int left = bounds ? bounds->getX() : 0, top = bounds ? bounds->getY() : 0;
    int width = bounds ? bounds->getWidth() / Side : 0, height = bounds ? bounds->getHeight() / Side : 0;
    for (int i = 0; i < Cells; ++i) {
        if (cells_[i].value < 0) continue;
        int row = i / Side, column = i % Side;
        auto* tile = new sprite::ScalerSprite();
        tile->setImage(tilePicture_);
        tile->setLocation(left + width * column + width / 2, top + height * row + height / 2);
        addNamed(cellName("gridTile_", row, column), tile);
        cells_[i].tile = tile;
        tile->release();
    }
    GameBase::endTurn();
}

void NumberOrder::zoomTiles(int from, int to, int steps) {
    for (Cell& c : cells_)
        if (c.tile) c.tile->startScale(from, to, steps, false, kNeutral, kNeutral, false, 0, 0);
}

void NumberOrder::makeNumbers() {
    auto* prototype = dynamic_cast<sprite::NumberSprite*>(part("gridTileNumbers"));
    if (prototype == nullptr) return;
    for (int i = 0; i < Cells; ++i) {
        Cell& c = cells_[i];
        if (c.tile == nullptr || c.number) continue;
        auto* number = static_cast<sprite::NumberSprite*>(prototype->clone());
        number->setAlignment(1);  // centred on its x
        number->setValue(c.value);
        number->setVisible(true);
        number->setLocation(c.tile->getCentreX(), c.tile->getCentreY() - number->getHeight() / 2);
        addNamed(cellName("gridTileNumber_", i / Side, i % Side), number);  // in front of the tiles
        c.number = number;
        number->release();
    }
}

void NumberOrder::setPhase(int phase) {
    ObjectLock hold(this, true);
    GameBase::setPhase(phase);
    switch (phase) {
    case PhasePlay:
        if (turnEnded_) break;
        endTurn();
        zoomTiles(0, 110, 3);
        scheduleNextPhase(kPhaseHide, showTime_ + 3);
        break;
    case kPhaseHide:
        for (Cell& c : cells_)
            if (c.number) c.number->setVisible(false);
        scheduleNextPhase(kPhaseLead, 1);
        break;
    case kPhaseLead: scheduleNextPhase(PhaseAnswer, 1); break;
    case PhaseCorrect:
        if (++turnCounter_ >= count_) finishTurn(true, 8);
        else
            scheduleNextPhase(PhaseAnswer, 8);
        break;
    case PhaseWrong: finishTurn(false, 8); break;
    case PhaseNextTurn: scheduleNextPhase(PhasePlay, 1); break;
    default: break;
    }
}

void NumberOrder::update(int frame) {
    if (phase_ != PhasePlay || count_ == 0) return;
    ++previewCounter_;
    if (previewCounter_ == kZoomFrame) zoomTiles(110, 100, 1);
    else if (previewCounter_ == kNumbersFrame)
        makeNumbers();
}

// --- input ---

bool NumberOrder::acceptsInput() const {
    MentariumCanvas* c = canvas();
    return c && c->getState() == MentariumCanvas::StatePlaying;
}

int NumberOrder::tileAt(int lx, int ly) const {
    for (int i = 0; i < Cells; ++i) {
        const Cell& c = cells_[i];
        if (c.tile && !numberShown(i) && c.tile->contains(lx, ly)) return i;
    }
    return -1;
}

int NumberOrder::mousePressed(window::Event* event) {
    int answer = GameBase::mousePressed(event);
    ObjectLock hold(this, true);
    if (answer == RESULT || !acceptsInput() || (phase_ != PhaseAnswer && phase_ != PhaseCorrect)) return answer;
    int i = tileAt(event->x - getX(), event->y - getY());
    if (i < 0) return answer;
    playSound(MentariumCanvas::SoundClick);
    if (cells_[i].rank == turnCounter_ + 1) {
        if (cells_[i].number) cells_[i].number->setVisible(true);
        setPhase(PhaseCorrect);
    } else {
        setPhase(PhaseWrong);
    }
    return TAKEN;
}

void NumberOrder::setHovered(int index) {
    if (index == hovered_) return;
    if (hovered_ >= 0 && cells_[hovered_].tile) {
        sprite::Sprite* old = cells_[hovered_].tile;
        old->setColorFactors(old->getAlpha(), kNeutral, kNeutral, kNeutral);
    }
    if (index >= 0 && cells_[index].tile) {
        sprite::Sprite* now = cells_[index].tile;
        now->setColorFactors(now->getAlpha(), kHighlight, kHighlight, kHighlight);
    }
    hovered_ = index;
}

bool NumberOrder::mouseMoved(window::Event* event) {
    return hoverOrPass(event, [this](int lx, int ly) {
        if (!acceptsInput() || (phase_ != PhaseAnswer && phase_ != PhaseCorrect && phase_ != PhaseWrong)) return false;
        int i = tileAt(lx, ly);
        setHovered(i);
        return i >= 0;
    });
}

// --- description: "numbers COUNT FOUND WIDE SHOWTIME", then
// "tile ROW COLUMN X Y W H VALUE RANK SHOWN" per tile, in scene coordinates ---

void NumberOrder::describe(std::string& text) {
    ObjectLock hold(this, true);
    GameBase::describe(text);
    text += "numbers " + std::to_string(count_) + " " + std::to_string(turnCounter_) + " " +
            std::to_string(wide_ ? 1 : 0) + " " + std::to_string(showTime_) + "\n";
    for (int i = 0; i < Cells; ++i) {
        const Cell& c = cells_[i];
        if (c.tile == nullptr) continue;
        text += "tile " + std::to_string(i / Side) + " " + std::to_string(i % Side) + " " +
                std::to_string(getX() + c.tile->getX()) + " " + std::to_string(getY() + c.tile->getY()) + " " +
                std::to_string(c.tile->getWidth()) + " " + std::to_string(c.tile->getHeight()) + " " +
                std::to_string(c.value) + " " + std::to_string(c.rank) + " " + std::to_string(numberShown(i) ? 1 : 0) +
                "\n";
    }
}
