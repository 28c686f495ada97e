#include "game/minigames/ShadowShift.h"

MENTARIUM_DEFINE_METACLASS(ShadowShift)
