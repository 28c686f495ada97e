#pragma once

#include "game/GameBase.h"
#include "lang/Ref.h"
#include "util/RectangleNM.h"

namespace sprite {
class AnimateSprite;
class ScalerSprite;
}  // namespace sprite
namespace util {
class Vector;
}

class Grid;

// The spot-the-change game: open cards show pictures for a moment, close,
// and open again with exactly one picture changed; the player clicks the
// card that changed. With the level the board grows, the pictures show for
// a shorter time and the picture set gets harder; at high levels the cards
// lie scattered instead of standing in a grid.
class SpotChanges : public GameBase {
    MENTARIUM_METACLASS(SpotChanges)

public:
    static constexpr int Sizes = 9;
    static constexpr int MaxCards = 12;
    static constexpr int CellSize = 62;
    static constexpr int CellGap = 10;
    static constexpr int ScatterLevel = 54;
    static constexpr int PlaceAttempts = 1000;
    // Scene parameters. The order places (0 to 3) say in which order the
    // quantities take their share of the level.
    static constexpr int ParamCardsPlace = 39;
    static constexpr int ParamShowTimePlace = 40;
    static constexpr int ParamTileModePlace = 41;
    static constexpr int ParamCards = 42;              // 42-45: size table index: start, largest, levels per step, step
    static constexpr int ParamShortestShow = 46;       // frames the changed board shows, at least ...
    static constexpr int ParamShowTimeAtStart = 47;    // ... and at level 0,
    static constexpr int ParamShowLevelsPerStep = 48;  // shortened every this many levels
    static constexpr int ParamShowTimeStep = 49;       // by this many frames
    static constexpr int ParamTileMode = 50;           // 50-53: start, largest, levels per step, step
    static constexpr int ParamScatterDivisor = 55;

    // What the level makes of a turn.
    struct TurnShape {
        int cards = 0;
        int showTime = 0;
        int tileMode = 0;
        bool scattered = false;
    };

    SpotChanges();
    ~SpotChanges() override;
    MENTARIUM_CLASS(SpotChanges, GameBase)

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
    // Rows and columns of a board; draw (0 or 1) picks between the two layouts of four cards.
    static void layoutFor(int cards, int draw, int& rows, int& columns);
    // Where scattered cards may stand in the play area.
    static util::RectangleNM scatterArea(const util::RectangleNM& bounds, int cards);
    // Whether a corner of any of the first count cards lies in the rectangle.
    bool cornerInside(int x, int y, int w, int h, int count) const;

    int getCardCount() const { return cardCount_; }
    int getShowTime() const { return showTime_; }
    int getTileMode() const { return tileMode_; }
    bool isScattered() const { return scattered_; }
    int getHighlighted() const { return highlighted_; }
    const util::RectangleNM& getScatterArea() const { return scatterArea_; }
    const Grid* grid() const { return grid_.get(); }
    int tileOf(int i) const { return i >= 0 && i < cardCount_ ? cardTiles_[i] : -1; }
    int changedTileOf(int i) const { return i >= 0 && i < cardCount_ ? changedTiles_[i] : -1; }
    // The card that changed in this turn, or -1.
    int changedCard() const;
    sprite::AnimateSprite* card(int i) const;
    sprite::ScalerSprite* face(int i) const;
    sprite::ScalerSprite* changedFace(int i) const;

private:
    void placeCards();
    void makeChange();
    // A face of tile picture t centred on card i, added on top of the screen.
    sprite::ScalerSprite* makeFace(const lang::String& childName, int t, sprite::AnimateSprite* on);
    int cardAt(int lx, int ly, bool open) const;
    void setHighlighted(int i);
    void forget(lang::Ref<util::Vector>& sprites);

    int cardCount_ = 0;
    int showTime_ = 0;
    bool scattered_ = false;
    int sizeTable_[Sizes] = {};
    int tileMode_ = 0;
    util::RectangleNM scatterArea_;
    int cardTiles_[MaxCards] = {};
    int changedTiles_[MaxCards] = {};
    lang::Ref<util::Vector> faces_;
    lang::Ref<util::Vector> changedFaces_;
    lang::Ref<util::Vector> cards_;
    int highlighted_ = -1;
    lang::Ref<Grid> grid_;
};
