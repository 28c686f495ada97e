#pragma once

#include "platform/WindowMessages.h"

namespace platform {

// Where a source picture of srcW x srcH lands when scaled to fit a destination of
// dstW x dstH with its aspect kept and black bars on the remaining sides.
struct FitRect {
    int x = 0, y = 0, width = 0, height = 0;
};
FitRect fitInside(int srcW, int srcH, int dstW, int dstH);
// The source pixel under a destination point (may lie outside the source when the
// point is on a bar).
PointI mapToSource(const FitRect& fit, int srcW, int srcH, int dstX, int dstY);

}  // namespace platform
