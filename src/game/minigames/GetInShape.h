#pragma once

#include "game/minigames/MatchGame.h"

// Get in Shape: find the shape that fits the turned outline.
// The rules are the matching game's; the scene's numbers make this one.
class GetInShape : public MatchGame {
    MENTARIUM_METACLASS(GetInShape)

public:
    GetInShape() = default;
    MENTARIUM_CLASS(GetInShape, MatchGame)
};
