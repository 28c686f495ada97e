#pragma once

#include <vector>

#include "game/minigames/ChoiceGame.h"
#include "game/minigames/Polyomino.h"

// Shadow Shift, a game of turning shapes in the mind: the target is a
// figure's shadow standing at some turn; the choices show figures of the
// same size in colour at other turns, and exactly one of them is the
// shadow's figure. The others are its mirror image (which no turn can make
// the figure) or other figures. With the level come finer turns, figures of
// more cells, more choices and more mirror images among them.
class ShadowShift : public ChoiceGame {
    MENTARIUM_METACLASS(ShadowShift)

public:
    // The parameters after the base's, each four: at level 0, largest, levels per step, step.
    static constexpr int ParamOptions = 39;
    static constexpr int ParamCells = 43;
    static constexpr int ParamFineness = 47;  // an index into the turn steps below
    static constexpr int ParamMirrors = 51;   // mirror images among the wrong choices
    static constexpr int MaxOptions = 8;
    static constexpr int MinCells = 4, MaxCells = 8;
    static constexpr int TurnSteps[] = {90, 45, 30, 15};

    // A choice of a turn: its figure (0 the target's, 1 its mirror image, 2 on
    // other figures), how it stands, and whether it is the target's figure.
    struct Choice {
        Polyomino figure;
        int shape = 0;
        int degrees = 0;
    };

    ShadowShift() = default;
    MENTARIUM_CLASS(ShadowShift, ChoiceGame)

    void endTurn() override;

    // A figure of count cells that differs from its mirror image.
    static Polyomino chiralFigure(util::Random& random, int count);
    // The choices of a turn: the target's figure once (first), mirrors of it,
    // the rest other figures of as many cells; turns are multiples of step degrees.
    static std::vector<Choice> dealChoices(util::Random& random, const Polyomino& figure, int count, int mirrors,
                                           int step);
    // The turn step in degrees at a level.
    int turnStep(int level) const;

    const Polyomino& figure() const { return figure_; }
    int targetDegrees() const { return targetDegrees_; }

private:
    Polyomino figure_;
    int targetDegrees_ = 0;
};
