#pragma once

#include <vector>

#include "platform/DrawingTools.h"

namespace window {

// A Bezier curve of degree count - 1 through the (x, y) pairs of points, sampled
// at t = 0, 0.02, ... 0.98 (50 points), each multiplied by scale and truncated.
std::vector<platform::IntPoint> bezierCurve(const int* points, int count, double scale);

}  // namespace window
