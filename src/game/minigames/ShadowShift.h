#pragma once

#include "game/minigames/MatchGame.h"

// Shadow Shift: find the shape that casts the target's shadow.
// The rules are the matching game's; the scene's numbers make this one.
class ShadowShift : public MatchGame {
    MENTARIUM_METACLASS(ShadowShift)

public:
    ShadowShift() = default;
    MENTARIUM_CLASS(ShadowShift, MatchGame)
};
