#pragma once

#include "game/minigames/RecallGame.h"

// Memo Random: a few pictures stand for a moment; pick each of them out of the grid.
// The rules are the recall game's; the scene's numbers make this one.
class MemoRandom : public RecallGame {
    MENTARIUM_METACLASS(MemoRandom)

public:
    MemoRandom() = default;
    MENTARIUM_CLASS(MemoRandom, RecallGame)
};
