#pragma once

#include "sprite/AnimateSprite.h"

namespace sprite {

class BitmapScaler;

// Zooms, rotates and fades its picture over a number of render passes. Its
// position, glide target and glide refer to the picture's centre. Scaled
// pictures are made only when the zoom or angle changes: nearest-neighbour
// while the animation runs, area-averaged once it rests.
class ScalerSprite : public AnimateSprite {
    MENTARIUM_METACLASS(ScalerSprite)

public:
    ScalerSprite() = default;
    ~ScalerSprite() override;
    MENTARIUM_CLASS(ScalerSprite, AnimateSprite)

    // Picture; numbers: centre x, y, (grid), zoom percent, alpha, angle in degrees.
    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    void setLocation(int cx, int cy) override;
    void setImage(window::Image* picture) override;
    void moveTo(int cx, int cy, int steps) override;
    int getTargetX() override { return targetX + width / 2; }
    int getTargetY() override { return targetY + height / 2; }
    Sprite* clone() override;

    // Zoom in percent, alpha in 1/128 units, angles in degrees.
    void startScale(int fromZoom, int toZoom, int steps, bool fade, int fromAlpha, int toAlpha, bool rotate,
                    int fromAngle, int toAngle);
    int getCentreX() const { return x + width / 2; }
    int getCentreY() const { return y + height / 2; }
    int getZoom() const { return zoom; }
    bool isScaling() const { return source != nullptr && step != steps; }

    static constexpr int MovingQuality = 0;
    static constexpr int RestingQuality = 1;

private:
    // Makes the displayed picture for the current zoom and angle.
    void rebuild(bool zoomChanged, int quality);
    // Shows picture (or keeps the size when null), keeping the centre and any glide.
    void showScaled(window::Image* picture, int newWidth, int newHeight);
    double currentAngle() const;

    window::Image* source = nullptr;
    BitmapScaler* scaler = nullptr;
    int fromZoom = 100, toZoom = 100;
    int steps = 0, step = 0;
    int fromAlpha = 128, toAlpha = 128;
    bool rotating = false;
    double fromAngle = 0, toAngle = 0;
    double zoomStep = 0, angleStep = 0;
    int zoom = 100;
};

}  // namespace sprite
