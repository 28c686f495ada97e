#include "window/Bezier.h"

#include <cmath>

namespace window {

std::vector<platform::IntPoint> bezierCurve(const int* points, int count, double scale) {
    std::vector<platform::IntPoint> curve;
    if (count < 1) return curve;
    int degree = count - 1;
    std::vector<double> binomial(count);
    binomial[0] = 1.0;
    for (int i = 1; i <= degree; ++i) binomial[i] = binomial[i - 1] * (degree - i + 1) / i;
    for (double t = 0.0; 1.0 > t; t += 0.02) {
        double x = 0, y = 0;
        for (int i = 0; i <= degree; ++i) {
            double weight = binomial[i] * std::pow(1.0 - t, degree - i) * std::pow(t, i);
            x += weight * points[2 * i];
            y += weight * points[2 * i + 1];
        }
        curve.push_back(platform::IntPoint{static_cast<int>(x * scale), static_cast<int>(y * scale)});
    }
    return curve;
}

}  // namespace window
