#pragma once

#include "game/GameBase.h"

namespace sprite {
class NumberSprite;
class ScalerSprite;
}  // namespace sprite
namespace window {
class Image;
}

// The number-order game: a pattern of numbered tiles shows for a moment,
// then the numbers hide and the player clicks the tiles from the smallest
// number up. Each right tile shows its number again; a wrong one ends the
// turn. With the level come more tiles, other display times and, later,
// numbers from a wide range instead of 1, 2, 3 and so on.
class NumberOrder : public GameBase {
    MENTARIUM_METACLASS(NumberOrder)

public:
    static constexpr int Side = 9;  // the lattice is Side x Side cells
    static constexpr int Cells = Side * Side;
    static constexpr int MaxCount = 9;
    // Scene parameters. Each growth slot (0, 1 or 2) orders how the three
    // quantities take their share of the level; runs of four are start,
    // largest, levels per step and step.
    static constexpr int ParamCountSlot = 39;
    static constexpr int ParamShowTimeSlot = 40;
    static constexpr int ParamWideSlot = 41;
    static constexpr int ParamCount = 42;            // 42-45: tiles with numbers; 42 at level 0
    static constexpr int ParamShowTime = 46;         // 46-49: frames the numbers show
    static constexpr int ParamShowTimeAtStart = 47;  // the show time at level 0
    static constexpr int ParamWideFromLevel = 50;    // levels before wide numbers are used
    static constexpr int ParamWideLowest = 51;
    static constexpr int ParamWideHighest = 52;

    struct Cell {
        int value = -1;                          // -1: no tile
        int rank = 0;                            // 1 for the smallest number of the turn
        sprite::NumberSprite* number = nullptr;  // borrowed: the screen holds it
        sprite::ScalerSprite* tile = nullptr;    // borrowed: the screen holds it
    };

    // What the level makes of a turn.
    struct TurnShape {
        int count = 0;
        int showTime = 0;
        bool wide = false;
        int low = 1, high = 1;
    };

    NumberOrder();
    ~NumberOrder() override;
    MENTARIUM_CLASS(NumberOrder, GameBase)

    void onLoaded(sprite::DataLoader* loader) override;
    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    void update(int frame) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;

    // The rules of a turn, for the game and its tests.
    TurnShape shapeAt(int level) const;
    // The cells (row * Side + column) of the pattern of count tiles in a variant; answers how many.
    static int pattern(int count, int variant, int* cells);
    // Draws count different numbers from low to high, in ascending order.
    void drawNumbers(int count, int low, int high, int* numbers);

    int getCount() const { return count_; }
    int getShowTime() const { return showTime_; }
    int getFound() const { return turnCounter_; }
    int getVariant() const { return variant_; }
    bool isWide() const { return wide_; }
    int getHovered() const { return hovered_; }
    const Cell& cell(int row, int column) const;
    bool numberShown(int index) const;

private:
    int tileAt(int lx, int ly) const;
    bool acceptsInput() const;
    void setHovered(int index);
    void zoomTiles(int from, int to, int steps);
    void makeNumbers();

    Cell cells_[Cells];
    int count_ = 0;
    int showTime_ = 0;
    int variant_ = 0;
    int previewCounter_ = 0;
    int hovered_ = -1;
    bool wide_ = false;
    window::Image* tilePicture_ = nullptr;  // one reference, loaded once
};
