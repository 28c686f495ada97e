#include "platform/KeyMap.h"

#include <SDL.h>

namespace platform {

namespace {

struct KeyPair {
    int sdl;
    int vk;
};

// Keys whose SDL code does not follow from a simple range.
constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, vk::Back},
    {SDLK_TAB, vk::Tab},
    {SDLK_RETURN, vk::Return},
    {SDLK_KP_ENTER, vk::Return},
    {SDLK_ESCAPE, vk::Escape},
    {SDLK_SPACE, vk::Space},
    {SDLK_PAGEUP, vk::Prior},
    {SDLK_PAGEDOWN, vk::Next},
    {SDLK_END, vk::End},
    {SDLK_HOME, vk::Home},
    {SDLK_LEFT, vk::Left},
    {SDLK_UP, vk::Up},
    {SDLK_RIGHT, vk::Right},
    {SDLK_DOWN, vk::Down},
    {SDLK_INSERT, vk::Insert},
    {SDLK_DELETE, vk::Delete},
    {SDLK_LSHIFT, vk::Shift},
    {SDLK_RSHIFT, vk::Shift},
    {SDLK_LCTRL, vk::Control},
    {SDLK_RCTRL, vk::Control},
    {SDLK_LALT, vk::Menu},
    {SDLK_RALT, vk::Menu},
    {SDLK_PAUSE, vk::Pause},
    {SDLK_CAPSLOCK, vk::Capital},
    {SDLK_NUMLOCKCLEAR, vk::NumLock},
    {SDLK_SCROLLLOCK, vk::Scroll},
    {SDLK_KP_MULTIPLY, vk::Multiply},
    {SDLK_KP_PLUS, vk::Add},
    {SDLK_KP_MINUS, vk::Subtract},
    {SDLK_KP_PERIOD, vk::Decimal},
    {SDLK_KP_DIVIDE, vk::Divide},
    {SDLK_KP_0, vk::Numpad0},
    {SDLK_SEMICOLON, vk::Oem1},
    {SDLK_EQUALS, vk::OemPlus},
    {SDLK_COMMA, vk::OemComma},
    {SDLK_MINUS, vk::OemMinus},
    {SDLK_PERIOD, vk::OemPeriod},
    {SDLK_SLASH, vk::Oem2},
    {SDLK_BACKQUOTE, vk::Oem3},
    {SDLK_LEFTBRACKET, vk::Oem4},
    {SDLK_BACKSLASH, vk::Oem5},
    {SDLK_RIGHTBRACKET, vk::Oem6},
    {SDLK_QUOTE, vk::Oem7},
};

// US layout: unshifted and shifted characters of the punctuation keys.
struct OemChars {
    int vk;
    char plain;
    char shifted;
};
constexpr OemChars kOemChars[] = {
    {vk::Oem1, ';', ':'},      {vk::OemPlus, '=', '+'}, {vk::OemComma, ',', '<'}, {vk::OemMinus, '-', '_'},
    {vk::OemPeriod, '.', '>'}, {vk::Oem2, '/', '?'},    {vk::Oem3, '`', '~'},     {vk::Oem4, '[', '{'},
    {vk::Oem5, '\\', '|'},     {vk::Oem6, ']', '}'},    {vk::Oem7, '\'', '"'},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

int virtualKeyFromSdl(int sdlKey) {
    if (sdlKey >= SDLK_a && sdlKey <= SDLK_z) return 'A' + (sdlKey - SDLK_a);
    if (sdlKey >= SDLK_0 && sdlKey <= SDLK_9) return '0' + (sdlKey - SDLK_0);
    if (sdlKey >= SDLK_F1 && sdlKey <= SDLK_F12) return vk::F1 + (sdlKey - SDLK_F1);
    if (sdlKey >= SDLK_F13 && sdlKey <= SDLK_F24) return vk::F1 + 12 + (sdlKey - SDLK_F13);
    if (sdlKey >= SDLK_KP_1 && sdlKey <= SDLK_KP_9) return vk::Numpad0 + 1 + (sdlKey - SDLK_KP_1);
    for (const KeyPair& pair : kNamedKeys)
        if (pair.sdl == sdlKey) return pair.vk;
    return 0;
}

int characterOfKey(int virtualKey, bool shift) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return shift ? virtualKey : virtualKey + ('a' - 'A');
    if (virtualKey >= '0' && virtualKey <= '9') return shift ? kShiftedDigits[virtualKey - '0'] : virtualKey;
    if (virtualKey >= vk::Numpad0 && virtualKey <= vk::Numpad0 + 9) return '0' + (virtualKey - vk::Numpad0);
    switch (virtualKey) {
    case vk::Back: return 8;
    case vk::Tab: return 9;
    case vk::Return: return 13;
    case vk::Escape: return 27;
    case vk::Space: return ' ';
    case vk::Multiply: return '*';
    case vk::Add: return '+';
    case vk::Subtract: return '-';
    case vk::Decimal: return '.';
    case vk::Divide: return '/';
    default: break;
    }
    for (const OemChars& oem : kOemChars)
        if (oem.vk == virtualKey) return shift ? oem.shifted : oem.plain;
    return 0;
}

}  // namespace platform
