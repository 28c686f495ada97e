#pragma once

#include "lang/ObjectArray.h"

namespace sprite {

// An array of sprite pointers (no references held), told apart by its class name.
class SpriteArray : public lang::ObjectArray {
public:
    using lang::ObjectArray::ObjectArray;
    MENTARIUM_CLASS(SpriteArray, lang::ObjectArray)
};

}  // namespace sprite
