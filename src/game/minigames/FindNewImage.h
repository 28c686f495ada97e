#pragma once

#include <vector>

#include "game/GameBase.h"

namespace sprite {
class ScalerSprite;
}

// The memory game of the newcomer: pictures appear one at a time on a grid
// of places; each time every picture shown so far pops in again with one
// more, and the player clicks the one just added. A right click adds the
// next picture; a wrong click or a full board ends the turn with the
// pictures bursting. With the level the pictures shrink, so the board holds
// more of them, and the picture set changes.
class FindNewImage : public GameBase {
    MENTARIUM_METACLASS(FindNewImage)

public:
    // Scene parameters. The growth slots (0, 1 or 2) order how the size and
    // the picture mode take their share of the level.
    static constexpr int ParamSizeSlot = 39;
    static constexpr int ParamModeSlot = 40;
    static constexpr int ParamSmallestSize = 41;  // size in percent, at least ...
    static constexpr int ParamSizeAtStart = 42;   // ... and at level 0,
    static constexpr int ParamSizeLevelsPerStep = 43;
    static constexpr int ParamSizeStep = 44;  // taken off per step
    static constexpr int ParamModeAtStart = 45;
    static constexpr int ParamLargestMode = 46;
    static constexpr int ParamModeLevelsPerStep = 47;
    static constexpr int ParamModeStep = 48;
    // The board of a turn: places on a grid of square cells, centred in the area.
    struct Board {
        int cell = 0, columns = 0, rows = 0, left = 0, top = 0;
        int places() const { return columns * rows; }
    };

    FindNewImage() = default;
    ~FindNewImage() override;
    MENTARIUM_CLASS(FindNewImage, GameBase)

    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    void update(int frame) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;

    // The board for a picture size (percent) in an area.
    static Board boardFor(int size, int areaX, int areaY, int areaW, int areaH);
    // Size and picture mode of a level: each growth slot in turn takes its
    // steps from the level and leaves the rest to the next slot.
    void sizeAndModeFor(int level, int& size, int& mode) const;

    int placeCount() const { return static_cast<int>(shapes_.size()); }
    int shownCount() const { return shown_; }
    // The place whose picture appeared last, or -1.
    int newestPlace() const { return shown_ > 0 ? order_[shown_ - 1] : -1; }
    sprite::ScalerSprite* shape(int place) const;
    sprite::ScalerSprite* burst(int place) const;
    bool hasBurst() const { return burstDone_; }
    int getSize() const { return size_; }
    int getPictureMode() const { return pictureMode_; }

private:
    void zoomShown(int from, int to, int steps);
    int shapeAt(int lx, int ly, bool shownOnly) const;
    void hover(sprite::ScalerSprite* s);
    void releaseSprites();

    std::vector<sprite::ScalerSprite*> shapes_;  // one reference each
    std::vector<sprite::ScalerSprite*> pops_;    // one reference each
    std::vector<int> order_;
    int shown_ = 0;
    int zoom_ = 0, size_ = 0, bigZoom_ = 0, popZoom_ = 0;
    int frameCounter_ = 0;
    int pictureMode_ = 0;
    bool burstDone_ = false;
    sprite::ScalerSprite* hovered_ = nullptr;  // borrowed from shapes_
};
