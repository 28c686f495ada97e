#pragma once

#include "lang/Object.h"
#include "lang/String.h"

namespace sprite {

// One entry of a score table. It answers class-name tests as a plain object.
class ScoreObject : public lang::Object {
public:
    ScoreObject(const lang::String& entryName, int entryScore, int entryLevel, int entrySetting)
        : name(entryName), score(entryScore), level(entryLevel), setting(entrySetting) {}

    lang::String name;
    int score;
    int level;
    int setting;
};

}  // namespace sprite
