#pragma once

#include "lang/String.h"

// The name of the i-th of a series of sprites ("Panel_" 3 -> "Panel_3").
inline lang::String numberedName(const char* prefix, int i) {
    lang::String name(prefix);
    name.append(i);
    return name;
}
