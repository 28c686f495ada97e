#pragma once

#include "game/minigames/RecallGame.h"

// Fly By: pictures fly past one after another; pick each of them out of the grid.
// The rules are the recall game's; the scene's numbers make this one.
class FlyBy : public RecallGame {
    MENTARIUM_METACLASS(FlyBy)

public:
    FlyBy() = default;
    MENTARIUM_CLASS(FlyBy, RecallGame)
};
