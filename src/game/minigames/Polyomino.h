#pragma once

#include <array>
#include <compare>
#include <vector>

namespace util {
class Random;
}

// A figure of unit squares joined by their sides, kept normalised: its cells
// sorted, the smallest x and y at 0. Two figures are the same shape when a
// quarter turn or more makes one the other; a mirror image need not be.
class Polyomino {
public:
    struct Cell {
        int x = 0, y = 0;
        auto operator<=>(const Cell&) const = default;
    };
    // A side of a cell on the figure's outline, from (x1, y1) to (x2, y2).
    struct Edge {
        int x1, y1, x2, y2;
    };

    Polyomino() = default;
    explicit Polyomino(std::vector<Cell> cells);

    // The four cells that share a side with c.
    static std::array<Cell, 4> neighbours(Cell c) {
        return {{{c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}}};
    }
    // A connected figure of count cells grown one neighbour at a time at random.
    static Polyomino grow(util::Random& random, int count);

    Polyomino turned() const;    // a quarter turn clockwise
    Polyomino mirrored() const;  // flipped left to right
    bool sameShape(const Polyomino& other) const;
    // Whether no turn makes the figure its own mirror image.
    bool isChiral() const { return !sameShape(mirrored()); }
    bool has(int x, int y) const;
    // Whether every cell reaches every other through shared sides.
    bool isConnected() const;
    bool operator==(const Polyomino& other) const { return cells_ == other.cells_; }

    const std::vector<Cell>& cells() const { return cells_; }
    int size() const { return static_cast<int>(cells_.size()); }
    int width() const { return width_; }
    int height() const { return height_; }
    // The sides of cells whose neighbour is empty.
    std::vector<Edge> outline() const;

private:
    std::vector<Cell> cells_;
    int width_ = 0, height_ = 0;
};
