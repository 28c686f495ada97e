#pragma once

#include <string>
#include <vector>

#include "game/ColourPalette.h"
#include "game/GameBase.h"

namespace sprite {
class ScalerSprite;
}

// The sequence game: three to six buttons light up one after another, each
// with its own tone, and the player clicks them back in the same order. With
// the level the sequence grows, the lights quicken and buttons are added.
class Simon : public GameBase {
    MENTARIUM_METACLASS(Simon)

public:
    static constexpr int MaxSequence = 100;
    static constexpr int Buttons = 6;
    static constexpr int PhaseShowFirst = 13;  // the first entry lights up
    static constexpr int PhaseLightOut = 14;   // the entry on show goes out
    static constexpr int PhaseShowNext = 15;   // the next entry, or the player's turn
    // Scene parameters; runs of four are start, largest, levels per step and step.
    static constexpr int ParamSequenceLength = 39;   // 39-42
    static constexpr int ParamChoiceCount = 43;      // 43-46: buttons in play
    static constexpr int ParamShortestShow = 47;     // frames a light shows, at least ...
    static constexpr int ParamShowTimeAtStart = 48;  // ... and at level 0,
    static constexpr int ParamShowLevelsPerStep = 49;
    static constexpr int ParamShowTimeStep = 50;   // taken off per step
    static constexpr int ParamLeadFrames = 51;     // from a new turn to its first light
    static constexpr int ParamLayoutCounts = 52;   // 52-55: layouts for 3, 4, 5 and 6 buttons
    static constexpr int ParamFirstPosition = 56;  // then the layouts' x, y pairs

    // What a turn holds at a level.
    struct TurnSize {
        int sequenceLength = 0;
        int choiceCount = 0;
        int showTime = 0;
    };
    struct Position {
        int x = 0, y = 0;
    };

    Simon() = default;
    ~Simon() override;
    MENTARIUM_CLASS(Simon, GameBase)

    void onLoaded(sprite::DataLoader* loader) override;
    void clearTiles() override;
    void endTurn() override;
    bool isTimerRunning() override;
    void setPhase(int phase) override;
    int mousePressed(window::Event* event) override;
    bool mouseMoved(window::Event* event) override;
    void describe(std::string& text) override;

    // Reads the layouts' button positions from the parameters, scaled from
    // the 800 x 600 design to the scene; done when the scene is loaded.
    void readLayouts();
    // The rules of a turn, for the game and its tests.
    TurnSize turnSizeAt(int level) const;
    // The first pair of a layout in the position table, or -1 when the
    // choice count has no such layout.
    int layoutStart(int choiceCount, int layoutIndex) const;
    int layoutCount(int choiceCount) const;
    const std::vector<Position>& positions() const { return positions_; }

    int getSequenceLength() const { return sequenceLength_; }
    int getChoiceCount() const { return choiceCount_; }
    int getShowTime() const { return showTime_; }
    int getPlayIndex() const { return playIndex_; }
    int getInputIndex() const { return inputIndex_; }
    int getLayoutIndex() const { return layoutIndex_; }
    int sequenceAt(int i) const { return i >= 0 && i < MaxSequence ? sequence_[i] : -1; }
    sprite::ScalerSprite* choice(int i) const { return i >= 0 && i < choiceCount_ ? choices_[i] : nullptr; }
    // The tone of a choice button: its number after "bChoice", less one.
    int toneOf(int i) const;
    bool isLit(int i) const { return i >= 0 && i < choiceCount_ && turned_[i]; }

private:
    sprite::ScalerSprite* button(int number) const;
    void placeChoices();
    void light(int i);
    void putOut(int i);
    void showEntry(int entry);
    int choiceAt(int lx, int ly) const;

    std::vector<Position> positions_;
    int playIndex_ = 0;
    int sequenceLength_ = 0;
    int inputIndex_ = 0;
    int layoutCounts_[4] = {};
    int sequence_[MaxSequence] = {};
    sprite::ScalerSprite* choices_[Buttons] = {};  // borrowed from the screen
    bool turned_[Buttons] = {};
    window::Image* faces_[ColourPalette::Kinds][Buttons] = {};  // one reference each, loaded once
    int buttonOrder_[Buttons] = {0, 1, 2, 3, 4, 5};
    int showTime_ = 0;
    int choiceCount_ = 0;
    int layoutIndex_ = 0;
};
