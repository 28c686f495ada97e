#include "game/ColourPalette.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

using Factors = ColourPalette::Factors;
using F = ColourPalette;

// The house colours of the word games as colour factors. Colour Labels' yellow
// and orange are brighter than Stroop Test's, as its words stand on light cards.
constexpr Factors kHousePaints[ColourPalette::Colours] = {
    {120, 25, 25}, {36, 111, 18}, {0, 87, 128}, {128, 41, 92}, {121, 118, 30}, {128, 78, 0}, {40, 40, 40},
};
constexpr Factors kHouseInks[ColourPalette::Colours] = {
    {120, 25, 25}, {36, 111, 18}, {0, 87, 128}, {128, 41, 92}, {240, 120, 11}, {249, 75, 20}, {40, 40, 40},
};
constexpr Factors kSafeFactors[ColourPalette::Colours] = {
    F::factorsFor(F::kSafe[0]), F::factorsFor(F::kSafe[1]), F::factorsFor(F::kSafe[2]), F::factorsFor(F::kSafe[3]),
    F::factorsFor(F::kSafe[4]), F::factorsFor(F::kSafe[5]), F::factorsFor(F::kSafe[6]),
};
// The colour-blind set's fourth colour is a purple, named by its own word picture.
constexpr int kWords[ColourPalette::Kinds][ColourPalette::Colours] = {{0, 1, 2, 3, 4, 5, 6}, {0, 1, 2, 7, 4, 5, 6}};

std::atomic<int> chosen{ColourPalette::Normal};

int colourIndex(int colour) { return std::clamp(colour, 0, ColourPalette::Colours - 1); }

}  // namespace

ColourPalette::Kind ColourPalette::current() { return static_cast<Kind>(chosen.load()); }

void ColourPalette::setCurrent(Kind kind) { chosen.store(kind == ColourBlind ? ColourBlind : Normal); }

bool ColourPalette::parse(const char* text, Kind& kind) {
    if (text == nullptr) return false;
    if (std::strcmp(text, "normal") == 0) {
        kind = Normal;
        return true;
    }
    for (const char* blind : {"colour-blind", "colourblind", "color-blind", "colorblind"})
        if (std::strcmp(text, blind) == 0) {
            kind = ColourBlind;
            return true;
        }
    return false;
}

const char* ColourPalette::name(Kind kind) { return kind == ColourBlind ? "colour-blind" : "normal"; }

ColourPalette::Factors ColourPalette::paint(Kind kind, int colour) {
    return kind == ColourBlind ? kSafeFactors[colourIndex(colour)] : kHousePaints[colourIndex(colour)];
}

ColourPalette::Factors ColourPalette::ink(Kind kind, int colour) {
    return kind == ColourBlind ? kSafeFactors[colourIndex(colour)] : kHouseInks[colourIndex(colour)];
}

int ColourPalette::word(Kind kind, int colour) { return kWords[kind == ColourBlind ? 1 : 0][colourIndex(colour)]; }

const char* ColourPalette::pictureSuffix(Kind kind) { return kind == ColourBlind ? "Safe" : ""; }
