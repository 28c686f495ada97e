#pragma once

namespace platform {

// Virtual-key codes with their classic Windows values.
namespace vk {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Menu = 0x12;
constexpr int Pause = 0x13, Capital = 0x14, Escape = 0x1B, Space = 0x20;
constexpr int Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24;
constexpr int Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
constexpr int Insert = 0x2D, Delete = 0x2E;
constexpr int Numpad0 = 0x60, Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D, Decimal = 0x6E, Divide = 0x6F;
constexpr int F1 = 0x70, F15 = 0x7E, F24 = 0x87;
constexpr int NumLock = 0x90, Scroll = 0x91;
constexpr int Oem1 = 0xBA, OemPlus = 0xBB, OemComma = 0xBC, OemMinus = 0xBD, OemPeriod = 0xBE;
constexpr int Oem2 = 0xBF, Oem3 = 0xC0, Oem4 = 0xDB, Oem5 = 0xDC, Oem6 = 0xDD, Oem7 = 0xDE;
}  // namespace vk

// The virtual-key code of an SDL key code (SDL_Keycode), or 0 for keys without one.
int virtualKeyFromSdl(int sdlKey);

// The character a key gives on a US layout with the given Shift state, or 0 when it
// gives none (arrows, function keys, modifiers).
int characterOfKey(int virtualKey, bool shift);

}  // namespace platform
