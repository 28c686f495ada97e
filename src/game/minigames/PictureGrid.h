#pragma once

namespace sprite {
class ScalerSprite;
}
namespace window {
class Image;
}

// Square cells for a number of pictures, as large as fit in an area and
// centred in it; pictures are placed by their centres, zoomed to the cell.
class PictureGrid {
public:
    static constexpr int PictureSize = 64;  // tiles and shapes are drawn 64 pixels square
    static constexpr int CellMargin = 10;

    PictureGrid() = default;
    // The grid for count pictures in the area (x, y, width, height).
    static PictureGrid fit(int count, int x, int y, int width, int height);

    int centreX(int i) const { return columns > 0 ? left + (i % columns) * cell + cell / 2 : left; }
    int centreY(int i) const { return columns > 0 ? top + (i / columns) * cell + cell / 2 : top; }
    // The zoom (percent, at most 100) that fits a picture into a cell with a margin.
    int zoom() const;
    // A new picture sprite in cell i at the grid's zoom, shown (new reference).
    sprite::ScalerSprite* place(window::Image* picture, int i) const;

    int columns = 0, rows = 0, cell = 0, left = 0, top = 0;
};
