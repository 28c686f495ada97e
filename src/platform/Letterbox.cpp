#include "platform/Letterbox.h"

#include <cmath>

namespace platform {

FitRect fitInside(int srcW, int srcH, int dstW, int dstH) {
    FitRect fit;
    if (srcW <= 0 || srcH <= 0 || dstW <= 0 || dstH <= 0) return fit;
    // Compare the aspect ratios exactly in integers: the wider side gets the bars.
    if (static_cast<long long>(dstW) * srcH >= static_cast<long long>(dstH) * srcW) {
        fit.height = dstH;
        fit.width = static_cast<int>(static_cast<long long>(srcW) * dstH / srcH);
    } else {
        fit.width = dstW;
        fit.height = static_cast<int>(static_cast<long long>(srcH) * dstW / srcW);
    }
    fit.x = (dstW - fit.width) / 2;
    fit.y = (dstH - fit.height) / 2;
    return fit;
}

PointI mapToSource(const FitRect& fit, int srcW, int srcH, int dstX, int dstY) {
    if (fit.width <= 0 || fit.height <= 0) return {dstX, dstY};
    // Floor division keeps points on the left and top bars negative.
    auto scale = [](int offset, int src, int extent) {
        return static_cast<int>(std::floor(static_cast<double>(offset) * src / extent));
    };
    return {scale(dstX - fit.x, srcW, fit.width), scale(dstY - fit.y, srcH, fit.height)};
}

}  // namespace platform
