#include "sprite/GameCanvas.h"

#include <atomic>

#include "lang/ObjectLock.h"
#include "platform/Clock.h"
#include "sprite/InputThread.h"
#include "sprite/Pausable.h"
#include "sprite/RenderThread.h"
#include "sprite/SpriteBase.h"
#include "sprite/User.h"
#include "window/AudioClip.h"
#include "window/Event.h"
#include "window/Graphics.h"
#include "window/GraphicsI.h"
#include "window/Image.h"

namespace sprite {

namespace {
std::atomic<bool> testerModeFlag{false};
std::atomic<bool> debugPauseFlag{false};
}  // namespace

bool GameCanvas::testerMode() { return testerModeFlag; }
void GameCanvas::setTesterMode(bool on) { testerModeFlag = on; }
bool GameCanvas::debugPaused() { return debugPauseFlag; }
void GameCanvas::setDebugPaused(bool on) { debugPauseFlag = on; }

GameCanvas::GameCanvas() : webAddress_("https://www.quillory.com/") {}

GameCanvas::~GameCanvas() {
    if (!stopped_ && (input_ || render_)) stop();
    destroy();
    if (screen_) screen_->release();
    if (offscreenGraphics_) offscreenGraphics_->release();
    if (sounds_) sounds_->release();
    if (strings_) strings_->release();
    if (numbers_) numbers_->release();
    if (profile_) profile_->release();
}

void GameCanvas::initialise(const lang::String& directory, User* profile, const lang::String& item, int) {
    ObjectLock hold(this, true);
    baseDirectory_ = directory;
    sceneItem_ = item;
    if (profile) profile->addRef();
    if (profile_) profile_->release();
    profile_ = profile;
}

void GameCanvas::addRoot(SpriteBase* root) {
    ObjectLock hold(this, true);
    roots_.addElement(root);
    root->requestLook();
}

void GameCanvas::setSize(int width, int height) {
    if (window_) {
        // The window answers with a size message (onSize), perhaps from another
        // thread: the render lock is not held across it.
        window::Component::setSize(width, height);
    } else {
        ObjectLock render(&dirtyRegion_, true);
        window::Component::setSize(width, height);
    }
    if (width <= 0 || height <= 0) return;
    ObjectLock hold(&dirtyRegion_, true);
    if (offscreen_ && offscreen_->getWidth() == width && offscreen_->getHeight() == height) return;
    dropOffscreen();
    renderPending_ = false;
    // The frame exists without a window too, so a canvas can compose headless.
    offscreen_ = new window::Image(width, height, 2, true);
}

void GameCanvas::onSize(platform::WParam wParam, platform::LParam lParam) {
    ObjectLock render(&dirtyRegion_, true);
    window::Component::onSize(wParam, lParam);
}

// --- input from the window thread ---

void GameCanvas::post(window::Event* event) {
    if (event == nullptr || !started_ || stopped_) return;
    ObjectLock hold(&queue_, true);
    if (stopped_) return;
    queue_.addElement(event);
    queue_.notify();
}

bool GameCanvas::mouseDown(window::Event* event, int, int) {
    post(event);
    return true;
}
bool GameCanvas::mouseUp(window::Event* event, int, int) {
    post(event);
    return true;
}
bool GameCanvas::mouseMove(window::Event* event, int, int) {
    post(event);
    return true;
}
bool GameCanvas::mouseDrag(window::Event* event, int, int) {
    post(event);
    return true;
}

bool GameCanvas::keyDown(window::Event*, int key) {
    if (started_ && (key == 'S' || key == 's')) {
        setSoundOn(!soundOn_);
        return true;
    }
    return false;
}

bool GameCanvas::keyUp(window::Event*, int) { return false; }

void GameCanvas::paint(window::Graphics* g) {
    if (!started_) {
        g->setColor(&background_);
        g->fillRect(0, 0, size_.width, size_.height);
        return;
    }
    {
        ObjectLock hold(&dirtyRegion_, true);
        if (renderPending_ && offscreen_) g->drawImage(offscreen_, 0, 0);
    }
    if (util::RectangleNM* exposed = g->getClipBounds()) {
        repaint(exposed);
        exposed->release();
    }
}

void GameCanvas::update(window::Graphics* g) {
    bool framed;
    {
        ObjectLock render(&dirtyRegion_, true);
        if (screen_ == nullptr) screen_ = getGraphics();
        framed = offscreen_ != nullptr;
    }
    if (!framed) setSize(size_.width, size_.height);
    paint(g);
}

// --- the input thread's side of the queue ---

bool GameCanvas::takeEvent() {
    ObjectLock hold(&queue_, true);
    if (queue_.size() == 0) return false;
    current_ = static_cast<window::Event*>(queue_.elementAt(0));
    current_->addRef();
    queue_.removeElementAt(0);
    return true;
}

void GameCanvas::finishEvent() {
    window::Event* done;
    {
        ObjectLock hold(&queue_, true);
        done = current_;
        current_ = nullptr;
    }
    if (done) done->release();
}

// Polled, not waited for on the queue's monitor: its one event wakes the input
// thread, and a second waiter resetting it could leave that thread asleep.
void GameCanvas::awaitInputHandled(const CanvasThread* thread) {
    while (!stopped_ && !thread->stopRequested()) {
        {
            ObjectLock hold(&queue_, true);
            if (queue_.size() == 0 && current_ == nullptr) return;
        }
        platform::sleepMs(1);
    }
}

void GameCanvas::waitForEvents(const InputThread* thread) {
    ObjectLock hold(&queue_, true);
    while (queue_.size() == 0 && !thread->stopRequested()) queue_.wait(3000);
}

void GameCanvas::drainQueue() { queue_.removeAllElements(); }

bool GameCanvas::processEvent() { return true; }

// --- life cycle ---

void GameCanvas::start() {
    ObjectLock hold(this, true);
    started_ = true;
    if (input_ == nullptr) {
        input_ = new InputThread(this);
        input_->start();
    }
    if (render_ == nullptr) {
        render_ = new RenderThread(this);
        render_->start();
    }
    stopped_ = false;
    requestFocus();
}

void GameCanvas::stop() {
    InputThread* input;
    RenderThread* render;
    {
        ObjectLock hold(this, true);
        input = input_;
        render = render_;
        input_ = nullptr;
        render_ = nullptr;
        if (input) input->requestStop();
        if (render) render->requestStop();
        for (int i = 0; sounds_ && i < sounds_->length(); ++i)
            if (auto* clip = static_cast<window::AudioClip*>((*sounds_)[i])) clip->stop();
        stopped_ = true;
    }
    {
        // Wake the input thread at once rather than at its next 3 s check.
        ObjectLock hold(&queue_, true);
        queue_.notify();
    }
    if (input) {
        input->join(0);
        input->release();
    }
    if (render) {
        render->join(0);
        render->release();
    }
    ObjectLock hold(&dirtyRegion_, true);
    if (screen_) {
        screen_->dispose();
        screen_->release();
        screen_ = nullptr;
    }
    if (offscreenGraphics_) {
        offscreenGraphics_->dispose();
        offscreenGraphics_->release();
        offscreenGraphics_ = nullptr;
    }
}

void GameCanvas::destroy() {
    if (!stopped_ && (input_ || render_)) stop();
    for (int i = 0; sounds_ && i < sounds_->length(); ++i)
        if (auto* clip = static_cast<window::AudioClip*>((*sounds_)[i])) clip->unload();
    ObjectLock hold(&dirtyRegion_, true);
    dropOffscreen();
}

void GameCanvas::dropOffscreen() {
    if (offscreenGraphics_) {
        offscreenGraphics_->release();
        offscreenGraphics_ = nullptr;
    }
    if (offscreen_) {
        offscreen_->unload();
        offscreen_->release();
        offscreen_ = nullptr;
    }
}

// --- sounds ---

window::AudioClip* GameCanvas::getSound(int index) const {
    if (sounds_ == nullptr || index < 0 || index >= sounds_->length()) return nullptr;
    return static_cast<window::AudioClip*>((*sounds_)[index]);
}

void GameCanvas::replaceSounds(lang::ObjectArray* sounds) {
    if (sounds) sounds->addRef();
    if (sounds_) sounds_->release();
    sounds_ = sounds;
}

void GameCanvas::replaceStrings(lang::StringArray* strings) {
    if (strings) strings->addRef();
    if (strings_) strings_->release();
    strings_ = strings;
}

void GameCanvas::replaceNumbers(lang::IntArray* numbers) {
    if (numbers) numbers->addRef();
    if (numbers_) numbers_->release();
    numbers_ = numbers;
}

void GameCanvas::setSoundOn(bool on) {
    soundOn_ = on;
    if (!on)
        for (int i = 0; sounds_ && i < sounds_->length(); ++i)
            if (auto* clip = getSound(i)) clip->stop();
}

void GameCanvas::playSound(window::AudioClip* clip) {
    if (soundOn_ && clip) clip->play();
}
void GameCanvas::playSound(int index) { playSound(getSound(index)); }

void GameCanvas::loopSound(window::AudioClip* clip) {
    if (soundOn_ && clip) clip->loop();
}
void GameCanvas::loopSound(int index) { loopSound(getSound(index)); }

void GameCanvas::stopSound(window::AudioClip* clip) {
    if (clip) clip->stop();
}
void GameCanvas::stopSound(int index) { stopSound(getSound(index)); }

void GameCanvas::glideSound(window::AudioClip* clip, float target, int ticks) {
    if (clip == nullptr) return;
    clip->glideSpeed(target, ticks);
    ObjectLock hold(&fading_, true);
    if (fading_.indexOf(clip) < 0) fading_.addElement(clip);
}
void GameCanvas::glideSound(int index, float target, int ticks) { glideSound(getSound(index), target, ticks); }

void GameCanvas::fadeSound(window::AudioClip* clip, int target, int ticks, bool stopAtEnd) {
    if (clip == nullptr) return;
    clip->rampVolume(target, ticks, stopAtEnd);
    ObjectLock hold(&fading_, true);
    if (fading_.indexOf(clip) < 0) fading_.addElement(clip);
}
void GameCanvas::fadeSound(int index, int target, int ticks, bool stopAtEnd) {
    fadeSound(getSound(index), target, ticks, stopAtEnd);
}

void GameCanvas::stepFadingSounds() {
    ObjectLock hold(&fading_, true);
    for (int i = fading_.size() - 1; i >= 0; --i)
        if (!static_cast<window::AudioClip*>(fading_.elementAt(i))->step(tick_)) fading_.removeElementAt(i);
}

// --- the frame ---

void GameCanvas::forwardToAnimations(bool paused) {
    ObjectLock hold(this, true);
    for (int i = 0; i < roots_.size(); ++i) {
        lang::Object* root = roots_.elementAt(i);
        if (root->isInstanceOf("AnimateSprite"))
            if (auto* animated = dynamic_cast<Pausable*>(root)) animated->setPaused(paused);
    }
}

bool GameCanvas::collectFrom(SpriteBase* root, bool onCanvasOnly) {
    updateRect_.set(0, 0, 0, 0);
    // A root in which nothing changed and nothing animates is not walked.
    if (!root->takeLookRequest()) return false;
    if (!root->collectDirty(tick_, &updateRect_, &dirtyRegion_)) return false;
    if (onCanvasOnly) {
        const util::RectangleNM& r = updateRect_;
        if (!(r.x + r.width > 0 && r.x < size_.width && r.y + r.height > 0 && r.y < size_.height)) return false;
    }
    needsRender_ = true;
    if (dirtyRect_.width == 0) dirtyRect_ = updateRect_;
    else if (updateRect_.width > 0)
        dirtyRect_.add(updateRect_);
    return true;
}

void GameCanvas::update() {
    ObjectLock canvas(this, true);
    {
        ObjectLock render(&dirtyRegion_, true);
        for (int i = 0; i < roots_.size(); ++i) collectFrom(static_cast<SpriteBase*>(roots_.elementAt(i)), false);
    }
    stepFadingSounds();
    ++tick_;
}

void GameCanvas::repaint(const util::RectangleNM* area) {
    ObjectLock render(&dirtyRegion_, true);
    if (area == nullptr) {
        needsRender_ = true;
        dirtyRect_.set(0, 0, size_.width, size_.height);
        dirtyRegion_.clear();
        dirtyRegion_.addRect(dirtyRect_);
        return;
    }
    if (area->width == 0) return;
    needsRender_ = true;
    if (dirtyRect_.width == 0) dirtyRect_ = *area;
    else
        dirtyRect_.add(*area);
    dirtyRegion_.addRect(*area);
}

void GameCanvas::paintRoots(window::Graphics* g, bool shownOnly) {
    for (int i = 0; i < roots_.size(); ++i) {
        auto* root = static_cast<SpriteBase*>(roots_.elementAt(i));
        if (shownOnly && !root->isShown()) continue;
        if (dirtyRegion_.intersects(*root->getBounds())) root->paint(g);
    }
}

void GameCanvas::compose() {
    ObjectLock canvas(this, true);
    ObjectLock render(&dirtyRegion_, true);
    needsRender_ = false;
    if (offscreen_ == nullptr) return;
    if (offscreenGraphics_ == nullptr) offscreenGraphics_ = offscreen_->getGraphics();
    window::Graphics* child = offscreenGraphics_->create();
    child->setColor(&background_);
    if (dirtyRect_.width > 0) {
        child->clipRect(dirtyRect_.x, dirtyRect_.y, dirtyRect_.width, dirtyRect_.height);
        child->setClip(&dirtyRegion_);
        if (clearBackground_) child->fillRect(dirtyRect_.x, dirtyRect_.y, dirtyRect_.width, dirtyRect_.height);
    }
    paintLayers(child);
    dirtyRect_.set(0, 0, 0, 0);
    dirtyRegion_.clear();
    child->dispose();
    child->release();
}

void GameCanvas::renderStep() {
    ObjectLock canvas(this, true);
    ObjectLock render(&dirtyRegion_, true);
    if (!needsRender_ || offscreen_ == nullptr) {
        renderPending_ = true;
        return;
    }
    if (screen_ == nullptr) {
        // No window to show it on: keep the frame current all the same.
        compose();
        renderPending_ = true;
        return;
    }
    window::Graphics* child = screen_->create();
    child->setClip(&dirtyRegion_);
    compose();
    child->drawImage(offscreen_, 0, 0);
    child->dispose();
    child->release();
}

void GameCanvas::renderFrame() { renderStep(); }

}  // namespace sprite
