#pragma once

#include "lang/Object.h"

namespace window {

// Process-wide drawing values and the drawing lock (the default face name lives in TextSettings).

// Held while a graphics object puts back and releases its device context, so no
// context is restored and released by two threads at once.
lang::Object& drawingLock();

// The game's window, on which window graphics and temporary contexts are made.
void setGameWindow(void* window);
void* getGameWindow();

// Text is always drawn anti-aliased.
bool isFontSmoothingOn();
// Bits per pixel of the screen: our surfaces are 32-bit.
int getScreenDepth();

}  // namespace window
