#include "game/minigames/MemoRandom.h"

MENTARIUM_DEFINE_METACLASS(MemoRandom)
