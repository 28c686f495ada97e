#include "sprite/ScalerSprite.h"

#include <cmath>

#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "lang/Ref.h"
#include "sprite/BitmapScaler.h"
#include "window/Image.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(ScalerSprite)

ScalerSprite::~ScalerSprite() {
    if (scaler) scaler->release();
    if (source) source->release();
}

bool ScalerSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    if (pictures && pictures->length() > 0) setImage(static_cast<window::Image*>((*pictures)[0]));
    int n = numbers ? numbers->length() : 0;
    auto number = [&](int i, int fallback) { return i < n ? (*numbers)[i] : fallback; };
    int percent = number(4, 100), alpha = number(5, 128), angle = number(6, 0);
    startScale(percent, percent, 1, true, alpha, alpha, angle != 0, angle, angle);
    setLocation(number(0, getCentreX()), number(1, getCentreY()));
    return true;
}

void ScalerSprite::setImage(window::Image* picture) {
    if (picture) picture->addRef();
    if (source) source->release();
    source = picture;
    if (scaler) scaler->release();
    scaler = nullptr;
    requestLook();
    int cx = getCentreX(), cy = getCentreY();
    AnimateSprite::setImage(picture);
    setLocation(cx, cy);
}

void ScalerSprite::setLocation(int cx, int cy) { AnimateSprite::setLocation(cx - width / 2, cy - height / 2); }

void ScalerSprite::moveTo(int cx, int cy, int n) { AnimateSprite::moveTo(cx - width / 2, cy - height / 2, n); }

double ScalerSprite::currentAngle() const {
    double angle = fromAngle + step * angleStep;
    // Never past the end angle, whichever way the turn goes.
    if ((angleStep > 0 && angle > toAngle) || (angleStep < 0 && angle < toAngle)) angle = toAngle;
    return angle;
}

void ScalerSprite::startScale(int zoomFrom, int zoomTo, int stepCount, bool fade, int alphaFrom, int alphaTo,
                              bool rotate, int angleFrom, int angleTo) {
    fromZoom = zoomFrom;
    toZoom = zoomTo;
    steps = stepCount < 1 ? 1 : stepCount;
    fromAlpha = alphaFrom;
    toAlpha = alphaTo;
    rotating = rotate;
    fromAngle = angleFrom * M_PI / 180.0;
    toAngle = angleTo * M_PI / 180.0;
    zoomStep = static_cast<double>(toZoom - fromZoom) / steps;
    angleStep = rotating ? (toAngle - fromAngle) / steps : 0;
    step = 0;
    zoom = fromZoom;
    requestLook();
    if (fade) {
        if (image) image->setHasAlpha(true);
        setColorFactors(fromAlpha, 128, 128, 128);
        fadeTo(toAlpha, steps, false);
    }
    if (source == nullptr) return;
    // Keep the centre on a whole pixel: each side keeps the parity it had.
    int w = source->getWidth() * fromZoom / 100, h = source->getHeight() * fromZoom / 100;
    if ((w & 1) != (width & 1)) ++w;
    if ((h & 1) != (height & 1)) ++h;
    showScaled(nullptr, w, h);
}

void ScalerSprite::showScaled(window::Image* picture, int newWidth, int newHeight) {
    int cx = getCentreX(), cy = getCentreY();
    int glideX = getTargetX(), glideY = getTargetY(), glideSteps = moveSteps;
    if (picture) {
        // The displayed picture changes; the source stays.
        Sprite::setImage(picture);
        setGrid(1, 1);
    } else {
        setSize(newWidth, newHeight);
    }
    setLocation(cx, cy);
    if (glideSteps > 0) moveTo(glideX, glideY, glideSteps);
    repaint();
}

void ScalerSprite::rebuild(bool zoomChanged, int quality) {
    if (scaler == nullptr) scaler = new BitmapScaler(source);
    double z = zoom / 100.0;
    int w = static_cast<int>(source->getWidth() * z), h = static_cast<int>(source->getHeight() * z);
    if (w <= 0 || h <= 0) {
        setVisible(false);
        return;
    }
    lang::Ref<window::Image> made;
    if (!rotating) {
        if (zoomChanged || quality == RestingQuality) made.reset(scaler->scale(w, h, quality));
    } else {
        made.reset(scaler->rotate(currentAngle(), z, quality));
    }
    if (!made) return;
    showScaled(made.get(), made->getWidth(), made->getHeight());
}

bool ScalerSprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (!visible || source == nullptr) {
        if (scaler) scaler->release();
        scaler = nullptr;
    } else if (step != steps) {
        source->ensureLoaded();
        ++step;
        int previous = zoom;
        zoom = step == steps ? toZoom : fromZoom + static_cast<int>(step * zoomStep);
        if (zoom != previous) repaint();
        rebuild(zoom != previous, step == steps ? RestingQuality : MovingQuality);
        // A running fade or glide reports the end itself when it stops, so the
        // receiver hears of the animation once.
        if (step == steps && !animating) sendEndNotification();
        if (step != steps) requestLook();
    }
    return AnimateSprite::collectDirty(tick, total, region);
}

void ScalerSprite::paint(window::Graphics* g) {
    if (image && !image->hasPixels() && source && (zoom != 100 || rotating)) {
        // The scaled pixels were dropped: make them again from the source.
        source->ensureLoaded();
        if (scaler == nullptr) scaler = new BitmapScaler(source);
        double z = zoom / 100.0;
        lang::Ref<window::Image> made(
            rotating
                ? scaler->rotate(currentAngle(), z, step == steps ? RestingQuality : MovingQuality)
                : scaler->scale(static_cast<int>(source->getWidth() * z), static_cast<int>(source->getHeight() * z),
                                step == steps ? RestingQuality : MovingQuality));
        if (made) Sprite::setImage(made.get());
    }
    AnimateSprite::paint(g);
}

Sprite* ScalerSprite::clone() {
    auto* copy = new ScalerSprite();
    copyAnimationTo(copy);
    if (source) source->addRef();
    copy->source = source;
    copy->fromZoom = fromZoom;
    copy->toZoom = toZoom;
    copy->steps = steps;
    copy->step = step;
    copy->fromAlpha = fromAlpha;
    copy->toAlpha = toAlpha;
    copy->rotating = rotating;
    copy->fromAngle = fromAngle;
    copy->toAngle = toAngle;
    copy->zoomStep = zoomStep;
    copy->angleStep = angleStep;
    copy->zoom = zoom;
    return copy;
}

}  // namespace sprite
