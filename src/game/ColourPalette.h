#pragma once

#include <cstdint>

// The colours the colour games ask the player to tell apart, in two sets: the
// house colours, and a set chosen so that every pair stays clearly apart for
// players with a red, green or blue colour-vision deficiency. One process-wide
// choice says which set the games use; the menus switch it and the profile
// keeps it. The content build draws the pictures of the second set (choice
// buttons, tile faces: content/pictures/palette.txt) from the same table.
class ColourPalette {
public:
    enum Kind { Normal = 0, ColourBlind = 1, Kinds = 2 };

    struct Rgb {
        uint8_t red, green, blue;
    };
    // Colour factors in 1/128 units, applied to the light pictures of the
    // colour games (128 leaves a channel unchanged).
    struct Factors {
        int red, green, blue;
    };

    // The colours of the word games, in the order of their word pictures:
    // red, green, blue, pink (purple in the colour-blind set), yellow, orange, black.
    static constexpr int Colours = 7;

    // The colour-blind set, as drawn. Dark red, teal green, navy blue,
    // lavender purple, bright yellow, amber orange and black keep a CIEDE2000
    // distance above 24 between every pair under simulated protanopia,
    // deuteranopia and tritanopia (and normal vision), each colour staying in
    // the hue and lightness range its name calls for.
    static constexpr Rgb kSafe[Colours] = {
        {0x97, 0x20, 0x02}, {0x26, 0x8B, 0x82}, {0x13, 0x37, 0x84}, {0xC1, 0x9A, 0xFF},
        {0xF9, 0xFF, 0x11}, {0xC3, 0x81, 0x15}, {0x0F, 0x0C, 0x0F},
    };

    // The process-wide choice.
    static Kind current();
    static void setCurrent(Kind kind);

    // "normal" or "colour-blind" (also "colourblind", "color-blind"); false
    // for anything else, leaving kind as it was.
    static bool parse(const char* text, Kind& kind);
    static const char* name(Kind kind);

    // The paint and ink of Stroop Test's colour c, and Colour Labels' ink c.
    static Factors paint(Kind kind, int colour);
    static Factors ink(Kind kind, int colour);
    // The number of the word picture that names colour c.
    static int word(Kind kind, int colour);
    // The suffix the pictures of a set carry after their base name ("" or "Safe").
    static const char* pictureSuffix(Kind kind);

    // The factors that turn a white picture into the colour rgb.
    static constexpr Factors factorsFor(Rgb rgb) { return {up(rgb.red), up(rgb.green), up(rgb.blue)}; }

private:
    static constexpr int up(int channel) { return (channel * 128 + 254) / 255; }
};
