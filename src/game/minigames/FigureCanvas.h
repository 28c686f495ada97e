#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "game/minigames/Polyomino.h"

namespace window {
class Image;
}

// A picture painted at run time in the house style from flat figures: soft
// edges, a dark outline and a short drop shadow. Layers go over what is
// there; colours are 0xRRGGBB.
class FigureCanvas {
public:
    static constexpr uint32_t Ink = 0x14203A;
    static constexpr uint32_t Cream = 0xFFF7E6;
    // Lagoon, coral, mint, honey, plum, teal, rose, iris: the figures' colours.
    static constexpr uint32_t Brights[] = {0x3E7CB1, 0xD7634D, 0x93D66D, 0xF2C14E,
                                           0x8E5BA8, 0x3FA796, 0xE58FA8, 0x6A74C9};

    // Where a figure stands: its middle at (x, y), cells of scale pixels,
    // turned clockwise by degrees.
    struct Placement {
        double x = 0, y = 0, scale = 10, degrees = 0;
    };

    FigureCanvas(int width, int height);

    // A rounded card with outline and shadow.
    void card(int x, int y, int width, int height, int radius, uint32_t colour);
    // A figure of cells; seams draws the lines between its cells.
    void figure(const Polyomino& f, const Placement& at, uint32_t colour, bool seams);
    // A figure as a hole cut into what is painted: dark inside, its edge outlined.
    void hole(const Polyomino& f, const Placement& at, uint32_t colour);
    // The painted picture (new reference).
    window::Image* picture() const;
    // A cream card size pixels square with a figure in its middle (new reference).
    static window::Image* figureCard(int size, const Polyomino& f, double scale, double degrees, uint32_t colour,
                                     bool seams);

    int width() const { return width_; }
    int height() const { return height_; }
    // Straight-alpha ARGB of a pixel, for tests.
    uint32_t pixel(int x, int y) const;

private:
    // Signed distance in pixels from a pixel centre to a shape's edge, negative inside.
    using Distance = std::function<double(double x, double y)>;
    struct Colour {
        double r = 0, g = 0, b = 0, a = 0;
    };
    void over(int i, uint32_t rgb, double alpha);
    // Shadow, fill and outline of a shape; inner (may be empty) adds lines inside it.
    void layer(const Distance& distance, uint32_t colour, bool shadow, const Distance& inner, uint32_t innerColour);
    static Distance figureDistance(const Polyomino& f, const Placement& at);

    int width_, height_;
    std::vector<Colour> pixels_;
};
