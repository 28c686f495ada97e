#include "game/minigames/MatchMaker2.h"

MENTARIUM_DEFINE_METACLASS(MatchMaker2)
