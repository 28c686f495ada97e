#pragma once

#include <atomic>

#include "lang/IntArray.h"
#include "lang/ObjectArray.h"
#include "lang/String.h"
#include "lang/StringArray.h"
#include "util/RectangleNM.h"
#include "util/Region.h"
#include "util/Vector.h"
#include "window/Component.h"

namespace window {
class AudioClip;
class Event;
class Graphics;
class GraphicsI;
class Image;
}  // namespace window

namespace sprite {

class CanvasThread;
class InputThread;
class RenderThread;
class SpriteBase;
class User;

// The component the game runs on. Sprites never draw to the window: every tick
// the render thread asks the roots what changed, gathers that in the dirty
// region, repaints only the roots meeting it into the off-screen frame, and
// copies the frame to the window through the same region. Input events are
// queued by the window thread and handed out one at a time by the input thread.
//
// Lock order: the canvas's own monitor, then the render lock (the dirty
// region's monitor), then the overlay, notification and fading-sound lists. The
// event queue's monitor is always taken alone.
//
// Threads: the window thread (the host's, when the host pumps) sizes and paints
// the canvas and posts input; the loader thread loads and starts it; the render
// thread ticks and renders; the input thread handles the queued events. The size,
// the off-screen frame, its graphics, the dirty area and the render flags belong
// to the render lock: whoever reads or changes them holds it. The started and
// stopped flags are atomic, so the window thread may look at them unlocked.
class GameCanvas : public window::Component {
public:
    GameCanvas();
    ~GameCanvas() override;
    MENTARIUM_CLASS(GameCanvas, window::Component)

    // Component slots.
    void setSize(int width, int height) override;  // (re)makes the off-screen frame
    void onSize(platform::WParam wParam, platform::LParam lParam) override;
    bool mouseDown(window::Event* event, int x, int y) override;
    bool mouseUp(window::Event* event, int x, int y) override;
    bool mouseMove(window::Event* event, int x, int y) override;
    bool mouseDrag(window::Event* event, int x, int y) override;
    bool keyDown(window::Event* event, int key) override;
    bool keyUp(window::Event* event, int key) override;
    void paint(window::Graphics* g) override;
    void update(window::Graphics* g) override;
    using window::Component::repaint;

    virtual void forwardToAnimations(bool paused);
    virtual void onMinimised() {}
    virtual void onCloseRequest() {}
    virtual void renderFrame();
    virtual bool prepare() { return true; }
    virtual void stop();
    virtual void destroy();
    virtual void start();
    virtual void initialise(const lang::String& directory, User* profile, const lang::String& item, int flags);
    virtual void setSoundOn(bool on);
    virtual void playSound(window::AudioClip* clip);
    virtual void playSound(int index);
    virtual void loopSound(window::AudioClip* clip);
    virtual void loopSound(int index);
    virtual void stopSound(window::AudioClip* clip);
    virtual void stopSound(int index);
    virtual void glideSound(window::AudioClip* clip, float target, int ticks);
    virtual void glideSound(int index, float target, int ticks);
    virtual void fadeSound(window::AudioClip* clip, int target, int ticks, bool stopAtEnd);
    virtual void fadeSound(int index, int target, int ticks, bool stopAtEnd);
    virtual void update();
    virtual void repaint(const util::RectangleNM* area);
    virtual bool processEvent();
    virtual void compose();
    virtual void renderStep();

    // Queues an event for the input thread (one reference kept); ignored unless started.
    void post(window::Event* event);
    void addRoot(SpriteBase* root);  // painted bottom first
    window::AudioClip* getSound(int index) const;

    int getLoadingTotal() const { return loadingTotal_; }
    int getLoadingDone() const { return loadingDone_; }
    bool isLoadingComplete() const { return loadingDone_ >= loadingTotal_; }
    void setLoadingTotal(int total) { loadingTotal_ = total; }
    void stepLoading() { ++loadingDone_; }
    // Loading is over: every counted step is done, also those of sprite lines
    // that made no sprite (their class is unknown) and so raised no step.
    void finishLoading() { loadingDone_ = loadingTotal_.load(); }
    int getTick() const { return tick_; }
    int getFramePeriod() const { return framePeriod_; }
    bool isStarted() const { return started_; }
    bool isStopped() const { return stopped_; }
    bool isSoundOn() const { return soundOn_; }
    window::Image* getFrameImage() const { return offscreen_; }
    util::Region* getDirtyRegion() { return &dirtyRegion_; }  // its monitor is the render lock
    const util::RectangleNM& getDirtyRect() const { return dirtyRect_; }
    bool needsRender() const { return needsRender_; }
    int queuedEvents() const { return queue_.size(); }
    lang::IntArray* getNumbers() const { return numbers_; }
    User* getProfile() const { return profile_; }
    const lang::String& getSceneItem() const { return sceneItem_; }
    const lang::String& getBaseDirectory() const { return baseDirectory_; }

    // Process-wide flags of the running game (set by the loader frame, read here).
    static bool testerMode();
    static void setTesterMode(bool on);
    static bool debugPaused();
    static void setDebugPaused(bool on);

protected:
    friend class InputThread;
    friend class RenderThread;

    // Takes the first queued event as the current event; false when none.
    bool takeEvent();
    void finishEvent();
    // Waits on the queue while it is empty and no stop is asked (3 s at a time).
    void waitForEvents(const InputThread* thread);
    void drainQueue();
    // Waits until the queued input has been handled (a stepped frame comes after
    // the input given before it), or the canvas or the thread is stopping.
    void awaitInputHandled(const CanvasThread* thread);
    // Collects the dirty area of one sprite; true when it changed something
    // that counts (onCanvasOnly: only changes that meet the canvas).
    bool collectFrom(SpriteBase* root, bool onCanvasOnly);
    void stepFadingSounds();
    // Frees the off-screen frame and its graphics (under the render lock).
    void dropOffscreen();
    void paintRoots(window::Graphics* g, bool shownOnly);
    // What compose paints, bottom first, where it meets the dirty region.
    virtual void paintLayers(window::Graphics* g) { paintRoots(g, false); }
    void replaceSounds(lang::ObjectArray* sounds);
    void replaceStrings(lang::StringArray* strings);
    void replaceNumbers(lang::IntArray* numbers);

    // Written by the loader thread, read by the window thread while it paints.
    std::atomic<int> loadingTotal_{0};
    std::atomic<int> loadingDone_{0};
    lang::String webAddress_;
    util::Vector queue_{10};
    window::Event* current_ = nullptr;
    util::RectangleNM updateRect_;
    window::Graphics* screen_ = nullptr;
    int framePeriod_ = 40;
    bool frameSkipping_ = true;
    bool soundOn_ = true;
    bool needsRender_ = false;
    window::Image* offscreen_ = nullptr;
    window::GraphicsI* offscreenGraphics_ = nullptr;
    util::RectangleNM dirtyRect_;
    bool clearBackground_ = false;
    util::Vector roots_{10};
    util::Region dirtyRegion_;
    int tick_ = 0;
    InputThread* input_ = nullptr;
    RenderThread* render_ = nullptr;
    std::atomic<bool> started_{false};
    bool renderPending_ = false;
    std::atomic<bool> stopped_{false};
    lang::ObjectArray* sounds_ = nullptr;  // clips, one reference each
    lang::String baseDirectory_;
    lang::String sceneItem_;
    lang::IntArray* numbers_ = nullptr;
    lang::StringArray* strings_ = nullptr;  // one reference per string
    util::Vector fading_{10};
    User* profile_ = nullptr;
};

}  // namespace sprite
