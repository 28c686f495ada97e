#pragma once

#include "game/minigames/MatchGame.h"

// Match Maker: find the card that is the target's twin.
// The rules are the matching game's; the scene's numbers make this one.
class MatchMaker : public MatchGame {
    MENTARIUM_METACLASS(MatchMaker)

public:
    MatchMaker() = default;
    MENTARIUM_CLASS(MatchMaker, MatchGame)
};
