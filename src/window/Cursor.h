#pragma once

#include <cstdint>

#include "lang/Object.h"
#include "platform/Cursors.h"

namespace window {

// One pointer shape. The process has eight, made on first use: the program's
// hand (resource 104) with a built-in picture until a real one is given, three
// program cursors without a picture (105, 106 the open hand, 107), and the
// system arrow, text beam, wait and cross. A cursor without a picture hides the
// pointer while it is set.
class Cursor : public lang::Object {
public:
    static constexpr int Hand = 104;
    static constexpr int Program105 = 105;
    static constexpr int OpenHand = 106;
    static constexpr int Program107 = 107;
    static constexpr int Arrow = platform::cursorId::Arrow;
    static constexpr int TextBeam = platform::cursorId::TextBeam;
    static constexpr int Wait = platform::cursorId::Wait;
    static constexpr int Cross = platform::cursorId::Cross;

    explicit Cursor(platform::CursorHandle handle) : handle_(handle) {}
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;
    ~Cursor() override;
    MENTARIUM_CLASS(Cursor, lang::Object)

    platform::CursorHandle getHandle() const;
    bool hasImage() const { return getHandle() != nullptr; }
    // Replaces the picture (0xAARRGGBB pixels, copied) of a program cursor.
    void setPicture(const uint32_t* pixels, int width, int height, int hotX, int hotY);

    // The shared cursor of that id (borrowed; lives as long as the process), or null.
    static Cursor* get(int id);
    static Cursor* getHand() { return get(Hand); }
    static Cursor* getOpenHand() { return get(OpenHand); }
    static Cursor* getArrow() { return get(Arrow); }
    static Cursor* getTextBeam() { return get(TextBeam); }
    static Cursor* getWait() { return get(Wait); }
    static Cursor* getCross() { return get(Cross); }

private:
    platform::CursorHandle handle_;
    bool ownsHandle_ = false;
};

}  // namespace window
