#pragma once

#include <vector>

#include "game/GameBase.h"

namespace sprite {
class ScalerSprite;
}

// Fly By, a game of attention and counting: pictures of a few kinds fly
// across the board one after another; then the game asks how many of one
// kind flew by, and the player answers with a number button. With the level
// come more flights, more kinds, quicker flights and, later, a look-alike of
// the asked kind (its motif in another colour) among them.
class FlyBy : public GameBase {
    MENTARIUM_METACLASS(FlyBy)

public:
    // The parameters after the base's.
    static constexpr int ParamFlights = 39;       // 39-42: pictures that fly by, grown with the level
    static constexpr int ParamKinds = 43;         // 43-46: kinds among them, grown
    static constexpr int ParamFlightFrames = 47;  // 47-50: frames one flight takes, grown (a negative step)
    static constexpr int ParamFewestFrames = 51;  // the fewest frames a flight takes
    static constexpr int ParamGapTenths = 52;     // frames between two flights, in tenths of a flight
    static constexpr int ParamAlikeLevel = 53;    // the level from which a look-alike of the asked kind flies too
    static constexpr int MaxCount = 7;            // number buttons 1 to 7
    static constexpr int MaxFlights = 16;
    static constexpr int MaxKinds = 5;

    FlyBy() = default;
    ~FlyBy() override;
    MENTARIUM_CLASS(FlyBy, GameBase)

    void clearTiles() override;
    void endTurn() override;
    void setPhase(int phase) override;
    void update(int frame) override;
    int mousePressed(window::Event* event) override;
    void describe(std::string& text) override;
    std::vector<sprite::Sprite*> answerRow() override;

    // Frames one flight takes, and between two flights, at a level.
    int flightFramesAt(int level) const;
    int gapFramesAt(int level) const;
    // The frames all flights of a turn take.
    int showingFrames() const;
    // The flights of a turn: table A pictures of kinds kinds, the first kind
    // the asked one (put in asked), flying 1 to MaxCount times; with alike,
    // the second kind is the asked kind's motif in another colour. In flying order.
    std::vector<int> chooseFlights(int flights, int kinds, bool alike, int& asked);

    int flightCount() const { return static_cast<int>(flights_.size()); }
    int flightPicture(int i) const { return i >= 0 && i < flightCount() ? flights_[i] : -1; }
    int askedPicture() const { return asked_; }
    // How many times the asked picture flew by: the right answer.
    int rightCount() const;
    sprite::ScalerSprite* flightSprite(int i) const;

private:
    void deal();
    void ask();
    void answer(int count);
    void setButtonsLive(bool live);
    void showQuestion(bool shown);
    void removeSprites();

    std::vector<int> flights_;                     // table A indices, in flying order
    std::vector<sprite::ScalerSprite*> flying_;    // one reference each
    sprite::ScalerSprite* askedSprite_ = nullptr;  // one reference
    int asked_ = -1;
    int flightFrames_ = 1, gapFrames_ = 1;
    int showFrame_ = 0;
};
