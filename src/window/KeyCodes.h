#pragma once

#include "window/Event.h"

// The key values that key events carry (Event::key): characters for the keys
// that make one, 1000 + the virtual-key code for arrows, Delete and F1-F15.
namespace window::keys {

constexpr int Tab = 9;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int Right = 1039;
constexpr int Down = 1040;
constexpr int F1 = 1112;
constexpr int F11 = 1122;

// F11 and Alt+Return switch full screen: a key of the frame, which the canvas
// lets pass.
inline bool togglesFullScreen(int key, int modifiers) {
    return key == F11 || (key == Return && (modifiers & Event::ModAlt) != 0);
}

// The answer number of the keys 1 to 9 (1 for the leftmost answer), or 0.
inline int answerNumber(int key) { return key >= '1' && key <= '9' ? key - '0' : 0; }

}  // namespace window::keys
