#include "sprite/LoaderFrame2.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "lang/Exception.h"
#include "lang/ObjectLock.h"
#include "lang/Thread.h"
#include "platform/Clock.h"
#include "platform/WindowSystem.h"
#include "sound/Engine.h"
#include "sprite/GameCanvas2.h"
#include "sprite/User.h"
#include "window/AudioClip.h"
#include "window/Cursor.h"
#include "window/KeyCodes.h"

namespace sprite {

namespace {

std::atomic<bool> exiting{false};
std::atomic<int> soundRetryDelay{3000};

}  // namespace

bool LoaderFrame2::isExiting() { return exiting; }
bool LoaderFrame2::isSoundReady() { return window::AudioClip::isEngineReady(); }
void LoaderFrame2::setSoundRetryDelay(int ms) { soundRetryDelay = ms; }

LoaderFrame2::LoaderFrame2() {
    exiting = false;
    setWantedSize(640, 480);
}

LoaderFrame2::~LoaderFrame2() {
    stopLoaderThread();
    if (canvas_) {
        canvas_->stop();
        canvas_->destroy();
        canvas_->release();
    }
    if (profile_) profile_->release();
}

bool LoaderFrame2::isInstanceOf(const char* name) const {
    return std::strcmp(name, "LoaderFrame2") == 0 || window::Frame::isInstanceOf(name) ||
           lang::Runnable::isInstanceOf(name);
}

void LoaderFrame2::initialise(GameCanvas2* canvas, const lang::String& item, const lang::String& product) {
    if (baseDirectory_.isEmpty()) {
        // The directory of the running program.
        char path[2048];
        ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        if (n > 0) {
            path[n] = 0;
            lang::String full(path);
            int slash = full.lastIndexOf('/');
            baseDirectory_ = slash >= 0 ? full.substring(0, slash) : full;
        }
    }
    if (profile_) profile_->release();
    profile_ = new User();
    profile_->open(product);

    GameCanvas::setTesterMode(profile_->getString("Debug", "").equals("XK"));

    int depth = platform::screenDepth();
    int fullScreen = 1;
    if (depth == 15 || depth == 16 || depth == 24 || depth == 32)
        fullScreen = profile_->getInt("FULLSCREEN", depth == 24 ? 1 : 0);
    // A host may ask for full screen for this run alone.
    if (const char* asked = std::getenv("MENTARIUM_FULLSCREEN"); asked && std::strcmp(asked, "1") == 0) fullScreen = 1;
    if (profile_->getInt("NORMALEXIT", 1) == 0) {
        // The previous run did not end normally: start windowed from now on.
        profile_->setInt("FULLSCREEN", 0);
    } else {
        profile_->setInt("NORMALEXIT", 0);
        if (fullScreen == 1) setFullScreen(true, false);
    }
    if (canvas) canvas->initialise(baseDirectory_, profile_, item, -1);
    setCanvas(canvas);
}

void LoaderFrame2::setCanvas(GameCanvas2* canvas) {
    if (canvas_) {
        canvas_->stop();
        canvas_->destroy();
        canvas_->release();
        stopLoaderThread();
        stopped_ = true;
    }
    canvas_ = canvas;
    if (canvas_) canvas_->addRef();
    canvasChanged();
}

bool LoaderFrame2::initSoundEngine(int mixBuffer, bool plainOutput) {
    if (window::AudioClip::isEngineReady()) return true;
    if (mixBuffer != -1) sound::Engine::setBufferSize(mixBuffer);
    sound::Engine::setOutput(plainOutput ? sound::Engine::PlainOutput : sound::Engine::DefaultOutput);
    bool ok = sound::Engine::init(22050, 32, 0);
    window::AudioClip::setEngineReady(ok);
    return ok;
}

bool LoaderFrame2::startSound() {
    int mixBuffer = profile_ ? profile_->getInt("MIXBUFFER", -1) : -1;
    bool plain = profile_ ? profile_->getInt("USEWINMM", 0) != 0 : false;
    if (initSoundEngine(mixBuffer, plain)) return true;
    platform::sleepMs(soundRetryDelay);
    if (initSoundEngine(mixBuffer, plain)) return true;
    return initSoundEngine(mixBuffer, true);
}

void LoaderFrame2::start() {
    if (!stopped_) return;
    startSound();
    stopLoaderThread();
    stopped_ = false;
    loader_ = new lang::Thread(static_cast<lang::Runnable*>(this));
    loader_->start();
}

void LoaderFrame2::runHere() {
    startSound();
    stopped_ = false;
    run();
}

void LoaderFrame2::stop() {
    // Raised before the canvas stops: a loader that starts the canvas after
    // this sees it and stops the canvas again (run).
    stopped_ = true;
    if (canvas_) canvas_->stop();
}

void LoaderFrame2::showCanvas() {
    if (canvas_) canvas_->setVisible(true);
}

void LoaderFrame2::run() {
    GameCanvas2* canvas = canvas_;
    if (canvas == nullptr || exiting) return;
    if (canvas->getLoadingTotal() == 0 || !canvas->isLoadingComplete()) {
        bool loaded = false;
        try {
            loaded = canvas->prepare() && canvas->loadScene();
        } catch (lang::Exception* e) {
            e->release();  // a scene cut short by an exception is no scene to show
        }
        if (!loaded) {
            loadFailed_ = true;
            if (window_) platform::postMessage(window_, platform::msg::Close, 0, 0);
            return;
        }
    }
    if (stopped_) return;
    canvas->setCursor(window::Cursor::getArrow());
    canvas->start();
    if (stopped_) {
        canvas->stop();  // stop() came while the canvas started
        return;
    }
    showCanvas();
}

void LoaderFrame2::stopLoaderThread() {
    if (loader_ == nullptr) return;
    loader_->join(0);
    loader_->release();
    loader_ = nullptr;
}

bool LoaderFrame2::keyDown(window::Event* event, int key) {
    if (window::keys::togglesFullScreen(key, event ? event->modifiers : 0)) {
        toggleFullScreen();
        return true;
    }
    if (isFullScreen() && key == window::keys::Escape) {
        setFullScreen(false, false);
        return true;
    }
    return false;
}

void LoaderFrame2::toggleFullScreen() {
    setFullScreen(!isFullScreen(), false);
    // The player's choice holds for the next start too.
    if (profile_) profile_->setInt("FULLSCREEN", isFullScreen() ? 1 : 0);
}

void LoaderFrame2::beforeDestroy() {
    if (isFullScreen()) setFullScreen(false, true);
}

void LoaderFrame2::onPositionChanged() {
    if (window_ == nullptr) return;
    if (!platform::isIconic(window_)) {
        if (restoreFullScreen_ && isVisible()) {
            setFullScreen(true, false);
            restoreFullScreen_ = false;
        }
    } else if (canvas_) {
        canvas_->onMinimised();
    }
}

void LoaderFrame2::destroyLater() {
    exiting = true;
    markNormalExit();
    window::Frame::destroyLater();
}

void LoaderFrame2::markNormalExit() {
    if (profile_) profile_->setInt("NORMALEXIT", 1);
}

void LoaderFrame2::onDestroy() {
    stop();
    stopLoaderThread();
    if (canvas_) canvas_->destroy();
    ObjectLock hold(window::AudioClip::getSoundLock(), true);
    if (window::AudioClip::isEngineReady()) {
        sound::Engine::close();
        window::AudioClip::setEngineReady(false);
    }
}

void LoaderFrame2::onClose() {
    if (canvas_) canvas_->onCloseRequest();
}

void LoaderFrame2::onActivate(bool active) {
    if (isFullScreen() && !active && window_) {
        bool wasVisible = platform::isWindowVisible(window_);
        setFullScreen(false, true);
        platform::showWindow(window_, platform::show::MinNoActive);
        if (!wasVisible) platform::showWindow(window_, platform::show::Hide);
        restoreFullScreen_ = true;
    }
    window::Frame::onActivate(active);
}

}  // namespace sprite
