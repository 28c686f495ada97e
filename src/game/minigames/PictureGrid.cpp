#include "game/minigames/PictureGrid.h"

#include <algorithm>

#include "sprite/ScalerSprite.h"

PictureGrid PictureGrid::fit(int count, int x, int y, int width, int height) {
    PictureGrid best;
    for (int columns = 1; columns <= std::max(count, 1); ++columns) {
        const int rows = (count + columns - 1) / columns;
        const int cell = std::min(width / columns, height / std::max(rows, 1));
        if (cell > best.cell) {
            best.columns = columns;
            best.rows = rows;
            best.cell = cell;
        }
    }
    best.left = x + (width - best.columns * best.cell) / 2;
    best.top = y + (height - best.rows * best.cell) / 2;
    return best;
}

int PictureGrid::zoom() const { return std::min(100, std::max(cell - CellMargin, 8) * 100 / PictureSize); }

sprite::ScalerSprite* PictureGrid::place(window::Image* picture, int i) const {
    auto* s = new sprite::ScalerSprite();
    s->setImage(picture);
    s->startScale(100, zoom(), 1, false, 128, 128, false, 0, 0);
    s->setLocation(centreX(i), centreY(i));
    s->setVisible(true);
    return s;
}
