#pragma once

#include <atomic>

#include "lang/Runnable.h"
#include "lang/String.h"
#include "window/Frame.h"

namespace lang {
class Thread;
}

namespace sprite {

class GameCanvas2;
class User;

// The top-level frame that brings a game canvas to life: opens the player
// profile, applies the start-up options (full screen, crash guard, tester mode,
// sound settings), starts the sound engine, and loads and starts the canvas on a
// loader thread while the window thread keeps painting.
//
// Threads: the window thread owns the frame and calls start, stop and the
// window handlers; the loader thread only runs run(), which reads the canvas
// and the stopped flag (atomic) and starts the canvas unless a stop came first.
class LoaderFrame2 : public window::Frame, private lang::Runnable {
public:
    LoaderFrame2();
    ~LoaderFrame2() override;

    bool isInstanceOf(const char* name) const override;
    const char* getClassName() const override { return "LoaderFrame2"; }

    // The Runnable face forwards to the object.
    int addRef() const override { return Object::addRef(); }
    void release() const override { Object::release(); }
    void lock() const override { Object::lock(); }
    void unlock() const override { Object::unlock(); }
    int hashCode() const override { return Object::hashCode(); }
    bool equals(const Object* other) const override { return Object::equals(other); }
    lang::String toString() const override { return Object::toString(); }
    void wait(int timeoutMs) const override { Object::wait(timeoutMs); }
    void wait() const override { Object::wait(); }
    void notify() const override { Object::notify(); }
    void notifyAll() const override { Object::notifyAll(); }

    // F11 and Alt+Return switch full screen and keep the choice as "FULLSCREEN";
    // Escape leaves full screen.
    bool keyDown(window::Event* event, int key) override;
    void toggleFullScreen();
    void beforeDestroy() override;
    void onPositionChanged() override;
    void destroyLater() override;
    // The game closes normally (the player left, or the host stopped it): the
    // crash guard "NORMALEXIT" goes back to 1 for the next start.
    void markNormalExit();
    void onDestroy() override;
    void onClose() override;
    void onActivate(bool active) override;

    virtual void initialise(GameCanvas2* canvas, const lang::String& item, const lang::String& product);
    virtual void setCanvas(GameCanvas2* canvas);
    virtual void canvasChanged() {}
    virtual bool startSound();
    virtual void start();
    virtual void runHere();
    virtual void stop();
    virtual void showCanvas();

    void setBaseDirectory(const lang::String& directory) { baseDirectory_ = directory; }
    const lang::String& getBaseDirectory() const { return baseDirectory_; }
    GameCanvas2* getCanvas() const { return canvas_; }
    User* getProfile() const { return profile_; }
    bool hasLoadFailed() const { return loadFailed_; }
    bool isStopped() const { return stopped_; }

    // Process-wide: the game is closing normally; the sound engine is up.
    static bool isExiting();
    static bool isSoundReady();

    // How long startSound waits before its second attempt (tests shorten it).
    static void setSoundRetryDelay(int ms);

private:
    void run() override;
    // One sound engine start-up with these settings; true when it runs.
    static bool initSoundEngine(int mixBuffer, bool plainOutput);
    void stopLoaderThread();

    lang::Thread* loader_ = nullptr;
    GameCanvas2* canvas_ = nullptr;
    std::atomic<bool> stopped_{true};
    bool restoreFullScreen_ = false;
    std::atomic<bool> loadFailed_{false};  // written by the loader thread, read by the window thread
    User* profile_ = nullptr;
    lang::String baseDirectory_;
};

}  // namespace sprite
