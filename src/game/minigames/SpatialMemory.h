#pragma once

#include <string>
#include <vector>

#include "game/GameBase.h"
#include "lang/Ref.h"

namespace sprite {
class AnimateSprite;
}

// The pattern game: a grid of tiles, some of which light up for a moment;
// the pictures fly off and come back, and the player clicks exactly the tiles
// that were lit. With the level the grid grows, more tiles light up and the
// lights stay on for a different time, in an order the parameters choose.
class SpatialMemory : public GameBase {
    MENTARIUM_METACLASS(SpatialMemory)

public:
    // Tile states.
    static constexpr int TilePlain = 1;
    static constexpr int TileTarget = 2;
    static constexpr int TileLit = 3;  // a target shown lit, or found
    static constexpr int GridSizes = 8;
    static constexpr int TileGap = 3;
    // Scene parameters. The growth slots (0, 1 or 2) order how the quantities
    // take their share of the level; runs of four are start, largest, levels
    // per step and step.
    static constexpr int ParamGridSlot = 39;
    static constexpr int ParamLitCountSlot = 40;
    static constexpr int ParamShowTimeSlot = 41;
    static constexpr int ParamShowTime = 42;         // 42-45: frames the targets stay lit
    static constexpr int ParamShowTimeAtStart = 43;  // the show time at level 0
    static constexpr int ParamGridIndex = 46;        // 46-49: index into the grid sizes
    static constexpr int ParamLitCount = 50;         // 50-53: targets per turn; 50 at level 0

    // What a turn holds at a level.
    struct TurnSize {
        int gridIndex = 0;
        int litCount = 0;
        int showTime = 0;
    };

    SpatialMemory() = default;
    ~SpatialMemory() override;
    MENTARIUM_CLASS(SpatialMemory, GameBase)

    void onLoaded(sprite::DataLoader* loader) override;
    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;

    // The rules of a turn, for the game and its tests.
    static void gridSize(int gridIndex, int& rows, int& columns);
    TurnSize turnSizeAt(int level) const;
    // Forgets the last turn's targets, as at the start of the program.
    static void forgetPreviousTargets();

    int getRows() const { return rows_; }
    int getColumns() const { return columns_; }
    int getTileCount() const { return tileCount_; }
    int getLitCount() const { return litCount_; }
    int getShowTime() const { return showTime_; }
    int getFound() const { return turnCounter_; }
    int getHovered() const { return hovered_; }
    int tileState(int i) const { return i >= 0 && i < tileCount_ ? states_[i] : 0; }
    sprite::AnimateSprite* background(int i) const;
    sprite::AnimateSprite* image(int i) const;

private:
    void buildGrid();
    void chooseTargets();
    void markTile(int i, int state, int frame);
    void flyImagesOff();
    void bringImagesBack();
    int tileAt(int lx, int ly) const;
    void setHovered(int i);
    void findTarget(int i);

    int rows_ = 0, columns_ = 0, tileCount_ = 0;
    std::vector<int> states_;
    int hovered_ = -1;
    lang::Ref<util::Vector> images_;       // picture sprites, tile order
    lang::Ref<util::Vector> backgrounds_;  // background sprites, tile order
    int litCount_ = 0;
    int showTime_ = 0;
};
