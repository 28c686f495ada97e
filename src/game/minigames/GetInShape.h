#pragma once

#include <vector>

#include "game/minigames/ChoiceGame.h"
#include "game/minigames/Polyomino.h"

// Get in Shape, a game of fitting parts together: a board has a hole cut in
// it; of the pieces below, exactly one fills the hole as it stands. The
// others differ from it by a notch or a tab, by their size or, at higher
// levels, by a turn. With the level come more notches and tabs on the piece,
// more pieces, closer sizes and more turned pieces.
class GetInShape : public ChoiceGame {
    MENTARIUM_METACLASS(GetInShape)

public:
    // The parameters after the base's, each four: at level 0, largest, levels per step, step.
    static constexpr int ParamOptions = 39;
    static constexpr int ParamFeatures = 43;   // notches and tabs on the piece
    static constexpr int ParamCloseness = 47;  // an index into the size differences below
    static constexpr int ParamTurned = 51;     // turned pieces among the wrong choices
    static constexpr int MaxOptions = 6;
    static constexpr int SizeDifferences[] = {30, 22, 16, 12};  // percent

    // How a wrong piece differs from the one that fits.
    enum Kind { Fits, Notch, Size, Turn };
    struct Choice {
        Polyomino piece;
        Kind kind = Fits;
        int percent = 100;  // its size against the hole's
    };

    GetInShape() = default;
    MENTARIUM_CLASS(GetInShape, ChoiceGame)

    void endTurn() override;

    // A block of cells with features notches cut into its sides and tabs set on them.
    static Polyomino piece(util::Random& random, int features);
    // The piece with one notch or tab added, taken away or moved; another piece.
    static Polyomino notchVariant(util::Random& random, const Polyomino& piece);
    // The choices of a turn: the piece that fits first, then turned ones, one
    // of another size, the rest with a notch changed; no two alike.
    static std::vector<Choice> dealChoices(util::Random& random, const Polyomino& piece, int count, int turned,
                                           int sizeDifference);
    // The size difference in percent at a level.
    int sizeDifference(int level) const;

    const Polyomino& hole() const { return hole_; }

private:
    Polyomino hole_;
};
