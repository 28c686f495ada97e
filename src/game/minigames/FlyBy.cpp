#include "game/minigames/FlyBy.h"

MENTARIUM_DEFINE_METACLASS(FlyBy)
