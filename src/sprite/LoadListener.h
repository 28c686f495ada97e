#pragma once

#include "lang/String.h"

namespace lang {
class IntArray;
class ObjectArray;
}  // namespace lang

namespace sprite {

class DataLoader;
class SpriteBase;

// What the scene loader asks of the object that owns a load (the canvas):
// progress steps, and a first say on every sprite line.
class LoadListener {
public:
    // One more loading step is done.
    virtual void itemLoaded() = 0;
    // A sprite for the line, with one reference for the loader, or null to let
    // the loader create it by class name.
    virtual SpriteBase* offerSprite(const lang::String& classField, lang::IntArray* numbers,
                                    lang::ObjectArray* pictures, DataLoader* loader) = 0;

protected:
    ~LoadListener() = default;
};

}  // namespace sprite
