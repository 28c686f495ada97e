#include "sprite/AnimateSprite.h"

#include <algorithm>

#include "lang/IntArray.h"
#include "lang/Ref.h"
#include "sprite/EffectBlit.h"
#include "window/Event.h"
#include "window/Receiver.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(AnimateSprite)

AnimateSprite::~AnimateSprite() {
    if (notifyArgument) notifyArgument->release();
}

void AnimateSprite::applyGrid(lang::IntArray* numbers) {
    int n = numbers ? numbers->length() : 0;
    setGrid(n > 2 ? (*numbers)[2] : 1, n > 3 ? (*numbers)[3] : 1);
}

void AnimateSprite::setGrid(int cols, int rowCount) {
    columns = std::max(1, cols);
    rows = std::max(1, rowCount);
    frameCount = columns * rows;
    firstFrame = 0;
    lastFrame = frameCount - 1;
    if (image) setSize(image->getWidth() / columns, image->getHeight() / rows);
}

bool AnimateSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    Sprite::init(pictures, numbers);
    applyGrid(numbers);
    int n = numbers ? numbers->length() : 0;
    if (n >= 5) {
        setVisible((*numbers)[4] != -1);
        setFrame((*numbers)[4]);
    }
    if (n >= 8) {
        frameInterval = (*numbers)[5];
        framePhase = 0;
        setBounce((*numbers)[6] != 0);
        setFrameStep((*numbers)[7], true);
    }
    return true;
}

void AnimateSprite::setImage(window::Image* picture) { setFrames(picture, 1, 1); }

void AnimateSprite::setFrames(window::Image* picture, int cols, int rowCount) {
    Sprite::setImage(picture);
    setGrid(cols, rowCount);
}

void AnimateSprite::setFrame(int n) {
    n = std::max(0, std::min(n, frameCount - 1));
    if (n == frame) return;
    repaint();
    frame = n;
    repaint();
}

void AnimateSprite::setFrameRange(int first, int last) {
    firstFrame = std::max(0, first);
    lastFrame = std::min(last, frameCount - 1);
    requestLook();
}

void AnimateSprite::setFrameInterval(int interval, int phase) {
    frameInterval = interval;
    framePhase = phase;
    requestLook();
}

void AnimateSprite::setBounce(bool flag) {
    bounce = flag;
    if (flag) animating = false;
    requestLook();
}

void AnimateSprite::setBounceCount(int count) {
    bouncesLeft = count;
    requestLook();
}

void AnimateSprite::setLoopCount(int count) {
    loopsLeft = count;
    requestLook();
}

void AnimateSprite::setLoopDelay(int delay) {
    loopDelay = delay;
    requestLook();
}

void AnimateSprite::setFrameStep(int step, bool looping) {
    frameStep = step;
    loop = looping;
    animating = !((loop && loopsLeft == 0) || (bounce && bouncesLeft == 0));
    requestLook();
}

void AnimateSprite::setPaused(bool flag) {
    paused = flag;
    // A paused sprite still counts its passes, so it stays on the walk.
    requestLook();
}

void AnimateSprite::pauseFor(int passes) {
    pauseCountdown = passes;
    paused = true;
    requestLook();
}

void AnimateSprite::setNotify(window::Receiver* receiver, lang::Object* argument) {
    if (argument) argument->addRef();
    if (notifyArgument) notifyArgument->release();
    notifyReceiver = receiver;
    notifyArgument = argument;
}

void AnimateSprite::sendEndNotification() {
    if (notifyReceiver == nullptr) return;
    lang::Ref<window::Event> event(new window::Event(this, window::Event::Message, notifyArgument));
    notifyReceiver->handleEvent(event.get());
}

void AnimateSprite::stopGlideAt(int nx, int ny) {
    targetX = nx;
    targetY = ny;
    stepX.clear();
    stepY.clear();
    moveSteps = 0;
}

void AnimateSprite::setLocation(int nx, int ny) {
    Sprite::setLocation(nx, ny);
    stopGlideAt(nx, ny);
}

void AnimateSprite::setLocationQuiet(int nx, int ny) {
    Sprite::setLocationQuiet(nx, ny);
    stopGlideAt(nx, ny);
}

void AnimateSprite::moveTo(int tx, int ty, int steps) {
    steps = std::max(1, steps);
    targetX = tx;
    targetY = ty;
    stepX.start(x, tx, steps);
    stepY.start(y, ty, steps);
    moveSteps = steps;
    animating = true;
    requestLook();
}

void AnimateSprite::fadeTo(int alpha, int steps, bool hideWhenDone) {
    ensureFancy();
    targetAlpha = alpha;
    if (steps != -1) fadeSteps = steps == 0 ? 1 : steps;
    hideAfterFade = hideWhenDone;
    animating = true;
    requestLook();
}

int AnimateSprite::nextX() {
    if (moveSteps <= 0) return x;
    return moveSteps == 1 ? targetX : x + stepX.peek();
}

int AnimateSprite::nextY() {
    if (moveSteps <= 0) return y;
    return moveSteps == 1 ? targetY : y + stepY.peek();
}

bool AnimateSprite::glideStep() {
    if (moveSteps <= 0) return false;
    int nx = nextX(), ny = nextY();
    stepX.take();
    stepY.take();
    // The base move keeps the glide target and the steppers.
    Sprite::setLocation(nx, ny);
    --moveSteps;
    return moveSteps > 0;
}

void AnimateSprite::setColorFactors(int alpha, int red, int green, int blue) {
    Sprite::setColorFactors(alpha, red, green, blue);
    // An alpha set from outside is where a fade would have to go.
    if (fadeSteps == 0) targetAlpha = alpha;
}

void AnimateSprite::setAlpha(int alpha) {
    Sprite::setAlpha(alpha);
    if (fadeSteps == 0) targetAlpha = alpha;
}

void AnimateSprite::advanceFrame(int ticks) {
    frame += frameStep;
    bool pastEnd = frame > lastFrame, beforeStart = frame < firstFrame;
    if (!pastEnd && !beforeStart) return;
    if (loopsLeft == 1) loop = false;
    // Backwards play counts its bounces at the first frame only.
    if (beforeStart && bouncesLeft == 1) bounce = false;
    if (bounce) {
        if (beforeStart && bouncesLeft > 0) --bouncesLeft;
        // Reflect off the end so the frame before it shows next.
        frame -= 2 * frameStep;
        frameStep = -frameStep;
    } else if (loop) {
        if (loopDelay != 0 && ticks % loopDelay != 0) {
            frame -= frameStep;  // hold the end frame until the delay is met
        } else {
            if (loopsLeft > 0) --loopsLeft;
            if (loopDelay != 0 && loopsLeft == 0) sendEndNotification();
            int span = lastFrame - firstFrame + 1;
            frame = pastEnd ? (frame - firstFrame) % span + firstFrame : frame + span;
        }
    } else {
        frame -= frameStep;
        frameStep = 0;
    }
    // A range shorter than the step keeps the frame inside it.
    frame = std::max(firstFrame, std::min(frame, lastFrame));
}

bool AnimateSprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (paused) {
        if (pauseCountdown >= 0 && --pauseCountdown < 0) setPaused(false);
        if (paused) {
            ++pausedTicks;
            requestLook();
            return Sprite::collectDirty(tick, total, region);
        }
    }
    int ticks = tick - pausedTicks;
    bool advanceDue = frameStep != 0 && (frameInterval == 0 || (framePhase + ticks) % frameInterval == 0);
    bool moving = false;
    bool atRest = !advanceDue && isStill();
    if (!atRest) {
        repaint();
        if (advanceDue) advanceFrame(ticks);
        moving = (!loop || loopsLeft > 0) && frameStep != 0 && (!bounce || bouncesLeft > 0);
        if (glideStep()) moving = true;
        if (fadeSteps == 1) {
            Sprite::setAlpha(targetAlpha);
            fadeSteps = 0;
            if (targetAlpha == 0 && hideAfterFade) setVisible(false);
        } else if (fadeSteps > 1) {
            int current = getAlpha();
            Sprite::setAlpha(current + (targetAlpha - current) / fadeSteps);
            --fadeSteps;
            moving = true;
        }
        repaint();
    }
    bool collected = Sprite::collectDirty(tick, total, region);
    if (!moving && animating) {
        animating = false;
        sendEndNotification();
    }
    // Frames still to step, or a glide or fade under way: the next pass is wanted too.
    if (frameStep != 0 || animating || !isStill()) requestLook();
    return collected;
}

bool AnimateSprite::isStill() {
    return x == targetX && y == targetY && getAlpha() == targetAlpha && moveSteps <= 0 && fadeSteps <= 0;
}

void AnimateSprite::paint(window::Graphics* g) {
    if (image == nullptr || !shown) return;
    int column = frame % columns, row = frame / columns;
    window::Graphics* g2 = narrowedGraphics(g, x, y, width, height, clip, exclude);
    drawThroughEffects(g2, image, x - column * width, y - row * height, fancy);
    g2->dispose();
    g2->release();
}

bool AnimateSprite::hitTest(int px, int py) {
    if (image == nullptr) return contains(px, py);
    int dx = px - getX(), dy = py - getY();
    if (dx < 0 || dy < 0 || dx >= width || dy >= height) return false;
    // The pixel of the frame on show.
    dx += (frame % columns) * width;
    dy += (frame / columns) * height;
    uint32_t* pixels = image->getPixels();
    if (pixels == nullptr || dx >= image->getWidth() || dy >= image->getHeight()) return false;
    return pixels[dy * (image->getBytesPerRow() / 4) + dx] >= 0x01000000u;
}

void AnimateSprite::copyAnimationTo(AnimateSprite* copy) const {
    copy->shown = shown;
    copy->visible = visible;
    copy->x = x;
    copy->y = y;
    if (image) image->addRef();
    copy->image = image;
    if (clip) copy->clip = new util::RectangleNM(*clip);
    if (exclude) copy->exclude = new util::RectangleNM(*exclude);
    copy->width = width;
    copy->height = height;
    copy->columns = columns;
    copy->rows = rows;
    copy->frameCount = frameCount;
    copy->frame = frame;
    copy->firstFrame = firstFrame;
    copy->lastFrame = lastFrame;
    copy->frameStep = frameStep;
    copy->frameInterval = frameInterval;
    copy->framePhase = framePhase;
    copy->loopDelay = loopDelay;
    copy->loop = loop;
    copy->bounce = bounce;
    copy->targetX = x;
    copy->targetY = y;
    copy->targetAlpha = targetAlpha;
    if (fancy) copy->Sprite::setColorFactors(fancy->alpha, fancy->red, fancy->green, fancy->blue);
}

Sprite* AnimateSprite::clone() {
    auto* copy = new AnimateSprite();
    copyAnimationTo(copy);
    return copy;
}

}  // namespace sprite
