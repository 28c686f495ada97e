#pragma once

#include "sprite/GlideStepper.h"
#include "sprite/Pausable.h"
#include "sprite/Sprite.h"

namespace window {
class Receiver;
}

namespace sprite {

// A sprite whose picture is a grid of equal frames. Each render pass steps the
// frame range (looping, bouncing or stopping), glides toward a target, fades
// the alpha, and tells a receiver once everything has come to rest.
class AnimateSprite : public Sprite, public Pausable {
    MENTARIUM_METACLASS(AnimateSprite)

public:
    AnimateSprite() = default;
    ~AnimateSprite() override;
    MENTARIUM_CLASS(AnimateSprite, Sprite)

    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    void paint(window::Graphics* g) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    void setLocation(int nx, int ny) override;
    void setLocationQuiet(int nx, int ny) override;
    Sprite* clone() override;
    void setImage(window::Image* picture) override;
    bool hitTest(int px, int py) override;
    void setColorFactors(int alpha, int red, int green, int blue) override;
    void setAlpha(int alpha) override;

    virtual void setFrames(window::Image* picture, int cols, int rowCount);
    virtual bool isAnimating() { return animating; }
    void setPaused(bool flag) override;
    virtual bool isPaused() { return paused; }
    virtual void moveTo(int tx, int ty, int steps);
    virtual void fadeTo(int alpha, int steps, bool hideWhenDone);
    virtual int getTargetAlpha() { return targetAlpha; }
    virtual int getTargetX() { return targetX; }
    virtual int getTargetY() { return targetY; }
    virtual int nextX();
    virtual int nextY();
    virtual int getMoveSteps() { return moveSteps; }

    void setFrame(int n);
    int getFrame() const { return frame; }
    int getFrameCount() const { return frameCount; }
    int getFrameStep() const { return frameStep; }
    void setFrameRange(int first, int last);
    void setFrameInterval(int interval, int phase);
    void setBounce(bool flag);
    void setBounceCount(int count);
    void setLoopCount(int count);
    void setLoopDelay(int delay);
    void setFrameStep(int step, bool looping);
    // Pauses for a number of passes; the pause ends by itself afterwards.
    void pauseFor(int passes);
    // The receiver is not owned; the argument is kept with a reference.
    void setNotify(window::Receiver* receiver, lang::Object* argument);

protected:
    // Grid from numbers[2] and numbers[3], then the frame size.
    void applyGrid(lang::IntArray* numbers);
    void setGrid(int cols, int rowCount);
    // Sends the end notification to the receiver, when one is set.
    void sendEndNotification();
    // The glide's move of this pass, when one is running; true while steps remain.
    bool glideStep();
    // Copies the animation fields into a clone.
    void copyAnimationTo(AnimateSprite* copy) const;
    // At the glide target and the fade's alpha, with neither running.
    bool isStill();

    int moveSteps = 0;
    int fadeSteps = 0;
    int frameCount = 0;
    int columns = 1, rows = 1;
    int targetX = 0, targetY = 0;
    GlideStepper stepX, stepY;
    int targetAlpha = 128;
    bool hideAfterFade = false;
    int frame = 0;
    int frameStep = 0;
    int frameInterval = 0;
    int loopDelay = 0;
    int loopsLeft = 0;
    int bouncesLeft = 0;
    int framePhase = 0;
    int firstFrame = 0, lastFrame = -1;
    int pauseCountdown = -1;
    window::Receiver* notifyReceiver = nullptr;
    lang::Object* notifyArgument = nullptr;
    bool loop = true;
    bool bounce = false;
    bool animating = false;
    bool paused = false;
    int pausedTicks = 0;

private:
    // Steps the frame by frameStep and handles the ends of the range.
    void advanceFrame(int ticks);
    // Makes (nx, ny) the glide target with no glide running.
    void stopGlideAt(int nx, int ny);
};

}  // namespace sprite
