#include "game/minigames/GetInShape.h"

MENTARIUM_DEFINE_METACLASS(GetInShape)
