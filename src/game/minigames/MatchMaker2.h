#pragma once

#include "game/minigames/MatchGame.h"

// Match Maker II: the target's twin among look-alikes of its colour and shape.
// The rules are the matching game's; the scene's numbers make this one.
class MatchMaker2 : public MatchGame {
    MENTARIUM_METACLASS(MatchMaker2)

public:
    MatchMaker2() = default;
    MENTARIUM_CLASS(MatchMaker2, MatchGame)
};
