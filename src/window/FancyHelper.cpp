#include "window/FancyHelper.h"

#include <algorithm>
#include <atomic>

namespace window {

namespace {
std::atomic<bool> effectsChanged{false};
}

bool FancyHelper::setFactors(int a, int r, int g, int b) {
    effectsChanged.store(true);
    bool changed = a != alpha || r != red || g != green || b != blue;
    alpha = a;
    red = r;
    green = g;
    blue = b;
    return changed;
}

void FancyHelper::copyFrom(const FancyHelper* other) {
    alpha = other->alpha;
    red = other->red;
    green = other->green;
    blue = other->blue;
    shadowOn = other->shadowOn;
    shadowDx = other->shadowDx;
    shadowDy = other->shadowDy;
}

void FancyHelper::reset() {
    alpha = red = green = blue = 128;
    shadowOn = false;
    shadowDx = shadowDy = 0;
}

uint32_t FancyHelper::tint(int r, int g, int b) const {
    auto channel = [](int c, int factor) { return static_cast<uint32_t>(std::min(255, (c * factor) >> 7)); };
    return 0xFF000000u | channel(r, red) << 16 | channel(g, green) << 8 | channel(b, blue);
}

bool FancyHelper::takeEffectsChangedMark() { return effectsChanged.exchange(false); }

}  // namespace window
