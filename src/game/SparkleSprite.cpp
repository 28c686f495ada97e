#include "game/SparkleSprite.h"

#include <cmath>
#include <numbers>

#include "lang/ObjectLock.h"

MENTARIUM_DEFINE_METACLASS(SparkleSprite)

namespace {
constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr int kShownAlpha = 128;
constexpr int kMaxTwinkleSteps = 20;
}  // namespace

void SparkleSprite::start(int centreX, int centreY, int radiusLimit, double radiusSpeed) {
    ObjectLock hold(this, true);
    centreX_ = centreX;
    centreY_ = centreY;
    radiusSpeed_ = radiusSpeed;
    angle_ = random_.nextInt(360) * std::numbers::pi / 180.0;
    radius_ = random_.nextInt(100) * radiusLimit / 100.0;
    angularSpeed_ = random_.nextInt(-500, 500) / 1000.0;
    delay_ = random_.nextInt(15);
    place();
    if (frameCount > 0) setFrame(random_.nextInt(frameCount - 1));
    setFrameStep(angularSpeed_ > 0 ? 1 : -1, true);
    setColorFactors(0, 128, 128, 128);
    setVisible(true);
}

void SparkleSprite::place() {
    int px = static_cast<int>(centreX_ + std::cos(angle_) * radius_);
    int py = static_cast<int>(centreY_ + std::sin(angle_) * radius_);
    setLocation(px - getWidth() / 2, py - getHeight() / 2);
}

void SparkleSprite::twinkle(int target) { fadeTo(target, random_.nextInt(kMaxTwinkleSteps), false); }

bool SparkleSprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (isVisible()) {
        ObjectLock hold(this, true);
        if (delay_ > 0) {
            if (--delay_ <= 0) twinkle(kShownAlpha);
        } else if (getAlpha() == getTargetAlpha()) {
            twinkle(getAlpha() != 0 ? 0 : kShownAlpha);
        }
        radius_ += radiusSpeed_;
        angle_ = std::fmod(angle_ + angularSpeed_, kTwoPi);
        if (angle_ < 0) angle_ += kTwoPi;
        place();
        requestLook();  // it circles on every pass while shown
    }
    return AnimateSprite::collectDirty(tick, total, region);
}

sprite::Sprite* SparkleSprite::clone() {
    auto* copy = new SparkleSprite();
    copyAnimationTo(copy);
    return copy;
}
