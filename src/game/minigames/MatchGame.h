#pragma once

#include <vector>

#include "game/minigames/ChoiceGame.h"

// The game of "which of these is that one": a target card stands in its
// slot and a row or grid of cards below; the player clicks the card that is
// its twin. With the level come more cards and look-alikes: the target's
// motif in its other colours. A choice's shape number is its picture of table A.
class MatchGame : public ChoiceGame {
public:
    // The parameters after the base's.
    static constexpr int ParamOptions = 39;     // 39-42: options, grown with the level
    static constexpr int ParamAlike = 44;       // 44-47: same-motif look-alikes among card options, grown
    static constexpr int ParamSameColour = 50;  // 1: the other card options share the target's colour
    static constexpr int MaxOptions = 12;

    MENTARIUM_CLASS(MatchGame, ChoiceGame)

    void endTurn() override;

    // Card options: the target's group and variant first, then alike other
    // variants of its group, then other groups (in the target's colour when
    // sameColour), all distinct. Picture indices of table A.
    std::vector<int> chooseCards(int count, int alike, bool sameColour);

protected:
    MatchGame() = default;
};
