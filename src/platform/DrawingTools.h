#pragma once

#include <cstdint>

namespace platform {

// Colours handed to a device context are 0x00RRGGBB; it draws them opaque.

struct Pen {
    enum Style { Solid, None };
    Style style = Solid;
    int width = 1;
    uint32_t color = 0;
    static Pen solid(int width, uint32_t rgb) { return Pen{Solid, width, rgb}; }
    static Pen none() { return Pen{None, 1, 0}; }
    bool operator==(const Pen&) const = default;
};

struct Brush {
    enum Style { Solid, None };
    Style style = Solid;
    uint32_t color = 0xFFFFFF;
    static Brush solid(uint32_t rgb) { return Brush{Solid, rgb}; }
    static Brush none() { return Brush{None, 0}; }
    bool operator==(const Brush&) const = default;
};

// Where a text's reference point lies.
enum class TextAlign { TopLeft, BaselineLeft };

struct IntPoint {
    int x = 0, y = 0;
};

// What the text metrics record tells of a font, in pixels.
struct TextMetrics {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = 400;
};

}  // namespace platform
