#pragma once

#include <algorithm>

#include "game/GameBase.h"

namespace sprite {
class AnimateSprite;
}

// The memory game: a board of face-down cards hides pairs of equal pictures;
// the player turns two at a time and removes the pairs that match. A new
// board may first show its cards face up, all at once or in waves. As the
// level rises the boards grow and the pictures and previews change.
class Concentration : public GameBase {
    MENTARIUM_METACLASS(Concentration)

public:
    // Scene parameters, each a run of four: the value at level 0, the largest,
    // the levels per step and the steps taken per level step.
    static constexpr int ParamDealSize = 39;     // 39-42: index into the deal sizes
    static constexpr int ParamFaceMode = 43;     // 43-46: the buildTiles mode of the faces
    static constexpr int ParamPreviewMode = 47;  // 47-50
    // Preview modes: how the faces are shown before play.
    static constexpr int PreviewAll = 0;       // all face up, then all face down together
    static constexpr int PreviewByRow = 1;     // row after row
    static constexpr int PreviewByColumn = 2;  // column after column
    static constexpr int PreviewByHalves = 3;  // the left half of the columns, then the right
    static constexpr int PreviewByCard = 4;    // card after card
    static constexpr int PreviewNone = 5;      // dealt face down
    static constexpr int ParamShowTime = 51;   // 51-54: frames the preview shows the faces
    static constexpr int MaxCards = 24;
    static constexpr int DealSizes = 9;

    struct CardSlot {
        int pair = -1;
        bool turningDown = false;
        bool matched = false;
        int timer = 0;
        bool open = false;
        bool closePending = false;
        int group = 0;
        int groupDelay = 0;
    };

    Concentration();
    ~Concentration() override;
    MENTARIUM_CLASS(Concentration, GameBase)

    void onLoaded(sprite::DataLoader* loader) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    void buildTiles(int mode, int count) override;
    void describe(std::string& text) override;

    // The board as the player sees it, for tests and for the demonstration bot.
    int getCardCount() const { return cardCount_; }
    int getRows() const { return rows_; }
    int getColumns() const { return columns_; }
    int getPreviewMode() const { return previewMode_; }
    int getPreviewTime() const { return previewTime_; }
    int getFaceMode() const { return faceMode_; }
    int getShowTime() const { return showTime_; }
    int getFirstCard() const { return firstCard_; }
    const CardSlot& slot(int i) const { return slots_[std::clamp(i, 0, MaxCards - 1)]; }
    sprite::AnimateSprite* cardBack(int i) const;
    // The value a quantity of the board takes at a level, from its four parameters from first.
    int quantityAt(int level, int first) const;
    static void gridFor(int cards, int& rows, int& columns);

private:
    void clearBoard();
    void resetPreviewState(CardSlot& s);
    void preparePreview();
    void wavePreview();
    void settleCards();
    void syncFaces();
    void turnDown(int i);
    void turnUp(int i);
    // Every card of the group (row, column, half or card) of card i.
    template <typename Visit>
    void forGroupOf(int i, Visit visit);
    void revealGroup(int i);
    void concealGroup(int i);
    void explode(int i);
    int cardAt(int lx, int ly) const;
    bool acceptsInput() const;
    void setHovered(int i);

    CardSlot slots_[MaxCards];
    util::Vector* cards_ = nullptr;  // card backs of the board, card order
    int firstCard_ = -1;
    int hoveredCard_ = -1;
    int previewTime_ = 0;
    int cardCount_ = 0;
    int dealSizes_[DealSizes] = {4, 6, 8, 10, 12, 16, 18, 20, 24};
    int faceMode_ = 0;
    int previewMode_ = 0;
    int previewCounter_ = 0;
    int showTime_ = 0;
    int previewSpeed_ = 100;
    int excludedGroup_ = 8;
    int excludedPair_ = 6;
    int rows_ = 0, columns_ = 0;
};
