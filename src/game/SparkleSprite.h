#pragma once

#include "sprite/AnimateSprite.h"
#include "util/Random.h"

// A twinkling particle that circles outwards around a centre, used for the
// rank celebration.
class SparkleSprite : public sprite::AnimateSprite {
    MENTARIUM_METACLASS(SparkleSprite)

public:
    SparkleSprite() = default;
    MENTARIUM_CLASS(SparkleSprite, sprite::AnimateSprite)

    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    sprite::Sprite* clone() override;

    void start(int centreX, int centreY, int radiusLimit, double radiusSpeed);

    double getAngle() const { return angle_; }
    double getRadius() const { return radius_; }
    int getDelay() const { return static_cast<int>(delay_); }

private:
    void place();
    void twinkle(int target);

    double centreX_ = 0, centreY_ = 0;
    double delay_ = 0;
    double angle_ = 0;
    double radius_ = 0;
    double radiusSpeed_ = 0;
    double angularSpeed_ = 0;
    util::Random random_;
};
