// The colours the colour games ask the player to tell apart, measured as
// players with a colour-vision deficiency see them: with the colour-blind
// palette every pair stays at least 20 apart (CIEDE2000) under simulated
// protanopia, deuteranopia and tritanopia. The word games' colours come from
// the game's own table through the blit's tint; the choice buttons and tile
// faces from the built pictures.

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "ColourVision.h"
#include "ContentFiles.h"
#include "Png.h"
#include "game/ColourPalette.h"
#include "window/FancyHelper.h"

namespace contenttest {
namespace {

using Kind = ColourPalette::Kind;

constexpr double kLeastDistance = 20;

// A white picture pixel as the blit shows it under the factors.
Srgb tinted(const ColourPalette::Factors& f) {
    auto* helper = new window::FancyHelper();
    helper->setFactors(128, f.red, f.green, f.blue);
    const uint32_t shown = helper->tint(255, 255, 255);
    helper->release();
    return {static_cast<int>(shown >> 16 & 0xFF), static_cast<int>(shown >> 8 & 0xFF), static_cast<int>(shown & 0xFF)};
}

Srgb pixel(const std::string& item, int x, int y) {
    const Picture p = decodePng(items().at(item));
    const size_t at = (static_cast<size_t>(y) * p.width + x) * 4;
    EXPECT_EQ(p.rgba[at + 3], 255) << item << " is not opaque at " << x << "," << y;
    return {p.rgba[at], p.rgba[at + 1], p.rgba[at + 2]};
}

struct GameColours {
    std::string game;
    std::vector<Srgb> colours;
};

std::vector<GameColours> coloursOf(Kind kind) {
    const std::string suffix = ColourPalette::pictureSuffix(kind);
    GameColours stroop{"Stroop Test", {}}, labels{"Colour Labels", {}}, simon{"Simon", {}}, tiles{"matching games", {}};
    for (int c = 0; c < ColourPalette::Colours; ++c) {
        stroop.colours.push_back(tinted(ColourPalette::paint(kind, c)));
        labels.colours.push_back(tinted(ColourPalette::ink(kind, c)));
    }
    // The face beside the motif and below the sheen.
    for (int k = 1; k <= 6; ++k)
        simon.colours.push_back(pixel("iSimonButton" + suffix + "_" + std::to_string(k), 14, 60));
    // The middle of the circle motif, in each of its four colours (every motif shares them).
    for (int v = 1; v <= 4; ++v)
        tiles.colours.push_back(pixel("iTileFaceFour" + suffix + "_1_" + std::to_string(v), 32, 32));
    return {stroop, labels, simon, tiles};
}

struct Closest {
    double distance = 1e9;
    int first = -1, second = -1;
};

Closest closestPair(const std::vector<Srgb>& colours, Vision vision) {
    Closest best;
    for (size_t i = 0; i < colours.size(); ++i)
        for (size_t j = i + 1; j < colours.size(); ++j) {
            const double d = ciede2000(seenAs(colours[i], vision), seenAs(colours[j], vision));
            if (d < best.distance) best = {d, static_cast<int>(i), static_cast<int>(j)};
        }
    return best;
}

TEST(ColourVision, Ciede2000AgreesWithPublishedPairs) {
    // Sharma, Wu and Dalal's test data: pairs 1, 7 and 17.
    EXPECT_NEAR(ciede2000({50, 2.6772, -79.7751}, {50, 0, -82.7485}), 2.0425, 1e-4);
    EXPECT_NEAR(ciede2000({50, 0, 0}, {50, -1, 2}), 2.3669, 1e-4);
    EXPECT_NEAR(ciede2000({50, 2.5, 0}, {73, 25, -18}), 27.1492, 1e-4);
}

TEST(ColourVision, DichromatsLoseTheAxisTheyLack) {
    // A red and a green of equal lightness stay far apart for normal vision and
    // for tritanopes, and nearly meet for protanopes and deuteranopes.
    const Srgb red{200, 90, 90}, green{100, 130, 90};
    auto apart = [&](Vision v) { return ciede2000(seenAs(red, v), seenAs(green, v)); };
    EXPECT_GT(apart(Vision::Normal), 40);
    EXPECT_GT(apart(Vision::Tritanopia), 40);
    EXPECT_LT(apart(Vision::Protanopia), 10);
    EXPECT_LT(apart(Vision::Deuteranopia), 10);
}

TEST(ColourPaletteMeasure, EveryPairStaysApartForEveryVisionWithTheColourBlindPalette) {
    const std::vector<GameColours> house = coloursOf(ColourPalette::Normal);
    const std::vector<GameColours> safe = coloursOf(ColourPalette::ColourBlind);
    for (size_t g = 0; g < safe.size(); ++g)
        for (Vision v : kVisions) {
            const Closest before = closestPair(house[g].colours, v);
            const Closest after = closestPair(safe[g].colours, v);
            std::cout << safe[g].game << ", " << visionName(v) << ": closest pair " << before.distance << " (colours "
                      << before.first << ", " << before.second << ") with the house palette, " << after.distance
                      << " (colours " << after.first << ", " << after.second << ") with the colour-blind one\n";
            EXPECT_GE(after.distance, kLeastDistance)
                << safe[g].game << " under " << visionName(v) << ": colours " << after.first << " and " << after.second;
        }
}

}  // namespace
}  // namespace contenttest
