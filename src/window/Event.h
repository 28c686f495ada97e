#pragma once

#include <cstdint>

#include "lang/Object.h"

namespace window {

// One input record: a mouse or key event made from a window message, or a
// message (kind 7) that sprites send to the canvas. The argument and the source
// are counted references.
class Event : public lang::Object {
public:
    enum Kind {
        MouseDown = 1,
        MouseMove = 2,
        MouseUp = 3,
        MouseDrag = 4,
        KeyPress = 5,
        KeyRelease = 6,
        Message = 7,
    };
    // Modifier bits; right-button events carry RightButton (Ctrl bit plus bit 4).
    static constexpr int ModCtrl = 1;
    static constexpr int ModShift = 2;
    static constexpr int ModRightBit = 4;
    static constexpr int ModAlt = 8;  // key events only
    static constexpr int RightButton = ModCtrl | ModRightBit;

    Event(lang::Object* source, int kind, lang::Object* argument);
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    ~Event() override;
    MENTARIUM_CLASS(Event, lang::Object)

    lang::Object* getArgument() const { return argument_; }
    lang::Object* getSource() const { return source_; }

    int kind;
    int x = 0, y = 0;
    int modifiers = 0;
    int key = 0;
    int count = 0;
    uint32_t when;  // ms on the tick-count clock

private:
    lang::Object* argument_;
    lang::Object* source_;
};

}  // namespace window
