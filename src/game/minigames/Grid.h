#pragma once

#include "lang/Object.h"

// Cells in rows and columns from an origin, a fixed step apart; cell i lies
// in column i mod columns and row i / columns.
class Grid : public lang::Object {
public:
    Grid(int originX, int originY, int columns, int rows, int stepX, int stepY)
        : originX_(originX),
          originY_(originY),
          columns_(columns < 1 ? 1 : columns),
          rows_(rows < 1 ? 1 : rows),
          stepX_(stepX),
          stepY_(stepY) {}
    MENTARIUM_CLASS(Grid, lang::Object)

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int cellCount() const { return columns_ * rows_; }
    int cellWidth() const { return stepX_; }
    int cellHeight() const { return stepY_; }
    int column(int i) const { return i % columns_; }
    int row(int i) const { return i / columns_; }
    int cellX(int i) const { return column(i) * stepX_ + originX_; }
    int cellY(int i) const { return row(i) * stepY_ + originY_; }

private:
    int originX_, originY_;
    int columns_, rows_;
    int stepX_, stepY_;
};
