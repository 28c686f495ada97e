#include "game/minigames/MatchMaker.h"

MENTARIUM_DEFINE_METACLASS(MatchMaker)
