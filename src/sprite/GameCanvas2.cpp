#include "sprite/GameCanvas2.h"

#include "lang/ObjectLock.h"
#include "platform/Clock.h"
#include "sprite/ButtonInput.h"
#include "sprite/DataLoader.h"
#include "sprite/DialogSprite.h"
#include "sprite/Pausable.h"
#include "sprite/Sprite.h"
#include "window/Cursor.h"
#include "window/Event.h"
#include "window/KeyCodes.h"

namespace sprite {

GameCanvas2::FrameNotify::~FrameNotify() { setTarget(nullptr, nullptr); }

void GameCanvas2::FrameNotify::setTarget(SpriteBase* newTarget, lang::Object* newArgument) {
    if (newTarget) newTarget->addRef();
    if (newArgument) newArgument->addRef();
    if (target) target->release();
    if (argument) argument->release();
    target = newTarget;
    argument = newArgument;
}

GameCanvas2::GameCanvas2() = default;

GameCanvas2::~GameCanvas2() {
    if (!stopped_ && (input_ || render_)) stop();
    if (overlay_) overlay_->release();
    if (names_) names_->release();
}

// --- keys from the window thread: every key goes to the input thread ---
// Escape also goes on to the frame (which leaves full screen on it), and the
// full-screen switch is the frame's alone.

bool GameCanvas2::keyDown(window::Event* event, int key) {
    if (window::keys::togglesFullScreen(key, event ? event->modifiers : 0)) return false;
    post(event);
    return key != window::keys::Escape;
}

bool GameCanvas2::keyUp(window::Event* event, int) {
    post(event);
    return true;
}

// --- overlay ---

void GameCanvas2::addToOverlay(SpriteBase* sprite) {
    ObjectLock hold(this, true);
    if (overlay_ == nullptr) overlay_ = new util::Vector();
    ObjectLock list(overlay_, true);
    overlay_->addElement(sprite);
    sprite->requestLook();
}

void GameCanvas2::removeFromOverlay(SpriteBase* sprite) {
    ObjectLock hold(&removals_, true);
    removals_.addElement(sprite);
}

SpriteBase* GameCanvas2::findSprite(const char* name) const {
    if (names_ == nullptr) return nullptr;
    return static_cast<SpriteBase*>(names_->get(name));
}

void GameCanvas2::forwardToAnimations(bool paused) {
    GameCanvas::forwardToAnimations(paused);
    if (overlay_ == nullptr) return;
    ObjectLock list(overlay_, true);
    for (int i = 0; i < overlay_->size(); ++i) {
        lang::Object* s = overlay_->elementAt(i);
        if (s->isInstanceOf("AnimateSprite"))
            if (auto* animated = dynamic_cast<Pausable*>(s)) animated->setPaused(paused);
    }
}

void GameCanvas2::paintLayers(window::Graphics* g) {
    paintRoots(g, true);
    if (overlay_ == nullptr) return;
    ObjectLock list(overlay_, true);
    for (int i = 0; i < overlay_->size(); ++i) {
        auto* s = static_cast<SpriteBase*>(overlay_->elementAt(i));
        if (s->isShown() && dirtyRegion_.intersects(*s->getBounds())) s->paint(g);
    }
}

// --- the tick ---

void GameCanvas2::deliver(FrameNotify* notify) {
    if (notify->target == nullptr) onMessage(notify->argument, notify->message);
    else if (notify->target->isInstanceOf("SpriteBase"))
        notify->target->onMessage(notify->argument, notify->message);
}

void GameCanvas2::update() {
    ObjectLock canvas(this, true);
    if (!notificationsHeld_) {
        // Due notifications are taken under the list's monitor and delivered after,
        // so a receiver may schedule or cancel others.
        util::Vector due;
        {
            ObjectLock list(&notifications_, true);
            for (int i = notifications_.size() - 1; i >= 0; --i) {
                auto* n = static_cast<FrameNotify*>(notifications_.elementAt(i));
                if (n->repeating) {
                    if (n->frames > 0 && (tick_ - n->phase) % n->frames == 0) due.addElement(n);
                } else if (--n->frames <= 0) {
                    due.addElement(n);
                    notifications_.removeElementAt(i);
                }
            }
        }
        for (int i = 0; i < due.size(); ++i) deliver(static_cast<FrameNotify*>(due.elementAt(i)));
    }
    {
        ObjectLock render(&dirtyRegion_, true);
        for (int i = 0; i < roots_.size(); ++i) collectFrom(static_cast<SpriteBase*>(roots_.elementAt(i)), true);
        if (overlay_) {
            ObjectLock list(overlay_, true);
            for (int i = 0; i < overlay_->size(); ++i)
                collectFrom(static_cast<SpriteBase*>(overlay_->elementAt(i)), true);
            ObjectLock gone(&removals_, true);
            for (int i = 0; i < removals_.size(); ++i) overlay_->removeElement(removals_.elementAt(i));
            removals_.removeAllElements();
        }
    }
    stepFadingSounds();
    ++tick_;
}

void GameCanvas2::schedule(int delay, const lang::String& message, int flags, lang::Object* argument,
                           SpriteBase* target) {
    ObjectLock list(&notifications_, true);
    auto matches = [&](FrameNotify* n) {
        if (!n->message.equals(message)) return false;
        return !(flags & MATCH_TARGET) || (n->argument == argument && n->target == target);
    };
    FrameNotify* reused = nullptr;
    if (flags & (REUSE | CANCEL)) {
        for (int i = notifications_.size() - 1; i >= 0; --i) {
            auto* n = static_cast<FrameNotify*>(notifications_.elementAt(i));
            if (!matches(n)) continue;
            if (flags & CANCEL) notifications_.removeElementAt(i);
            else if (reused == nullptr)
                reused = n;
        }
        if (flags & CANCEL) return;
    }
    FrameNotify* n = reused;
    if (n == nullptr) {
        n = new FrameNotify();
        notifications_.addElement(n);
        n->release();  // the list keeps it
    }
    int frames = (flags & IN_SECONDS) ? delay * 1000 / framePeriod_ : delay;
    n->frames = frames;
    n->setTarget(target, argument);
    n->message = message;
    n->repeating = (flags & REPEAT) != 0;
    n->phase = n->repeating && frames > 0 ? (tick_ % frames) - 1 : 0;
}

// --- scene loading (loader thread) ---

void GameCanvas2::takeSceneResults(DataLoader* loader) {
    ObjectLock hold(this, true);
    replaceSounds(loader->getSounds());
    replaceStrings(loader->getStrings());
    replaceNumbers(loader->getData());
    if (util::Vector* sprites = loader->getSprites()) {
        sprites->addRef();
        if (overlay_) overlay_->release();
        overlay_ = sprites;
        for (int i = 0; i < sprites->size(); ++i) static_cast<SpriteBase*>(sprites->elementAt(i))->requestLook();
    }
    if (util::Hashtable* names = loader->getNames()) {
        names->addRef();
        if (names_) names_->release();
        names_ = names;
    }
}

bool GameCanvas2::loadScene() {
    auto* loader = new DataLoader(baseDirectory_, this, profile_);
    if (wholeScene_) loader->requireWholeScene();
    setLoadingTotal(loader->countItems(sceneItem_));
    bool ok = loader->load(sceneItem_);
    if (!ok) {
        // The loader has told the player what was wrong; a partial scene is dropped.
        loader->release();
        return false;
    }
    finishLoading();
    takeSceneResults(loader);
    while (!ready_) platform::sleepMs(1);
    sceneLoaded(loader);
    loader->release();
    return true;
}

// --- input (input thread) ---

bool GameCanvas2::processEvent() {
    window::Event* e = current_;
    if (e == nullptr) return true;
    lang::Object* object = nullptr;
    lang::String message;
    bool fire = false;
    switch (e->kind) {
    case window::Event::MouseDown: fire = onMouseDown(e, object, message); break;
    case window::Event::MouseMove:
    case window::Event::MouseDrag: fire = onMouseMove(e, object, message); break;
    case window::Event::MouseUp: fire = onMouseUp(e, object, message); break;
    case window::Event::KeyRelease: fire = onKeyUp(e, object, message); break;
    case window::Event::KeyPress:
        if (testerMode()) {
            if (e->key == window::keys::F1) {
                setDebugPaused(!debugPaused());
                return true;
            }
            if (debugPaused() && (e->key == window::keys::Right || e->key == window::keys::Down)) {
                update();
                return true;
            }
        }
        fire = onKeyDown(e, object, message);
        break;
    case window::Event::Message:
        if (lang::Object* arg = e->getArgument(); arg && arg->isInstanceOf("String")) {
            onMessage(e->getSource(), *static_cast<lang::String*>(arg));
        }
        return true;
    default: break;
    }
    if (fire) onMessage(object, message);
    if (object) object->release();
    return true;
}

bool GameCanvas2::takeAnswer(DialogSprite* dialog, int answer, lang::Object*& object, lang::String& message) {
    if (answer == DialogSprite::RESULT) message = dialog->getClickedName();
    else if (answer == DialogSprite::CLOSE)
        message = "CLOSED";
    if (message.isEmpty()) return false;  // taken, nothing to report
    dialog->addRef();
    object = dialog;
    return true;
}

bool GameCanvas2::routePointer(Pointer kind, window::Event* e, lang::Object*& object, lang::String& message) {
    if (overlay_ == nullptr) return false;
    ObjectLock list(overlay_, true);
    for (int i = overlay_->size() - 1; i >= 0; --i) {
        auto* s = static_cast<SpriteBase*>(overlay_->elementAt(i));
        if (s->isInstanceOf("DialogSprite")) {
            auto* dialog = static_cast<DialogSprite*>(s);
            if (!dialog->isShown()) continue;
            int answer = DialogSprite::NOT_TAKEN;
            if (kind == Pointer::Press) answer = dialog->mousePressed(e);
            else if (kind == Pointer::Release)
                answer = dialog->mouseReleased(e);
            else
                answer = dialog->mouseMoved(e) ? DialogSprite::TAKEN : DialogSprite::NOT_TAKEN;
            if (answer == DialogSprite::NOT_TAKEN) continue;
            return takeAnswer(dialog, answer, object, message);
        }
        if (!s->isInstanceOf("ButtonSprite") || !s->isShown()) continue;
        auto* button = dynamic_cast<ButtonInput*>(s);
        if (button == nullptr) continue;
        bool fire = false;
        if (kind == Pointer::Move) {
            button->hover(e->x, e->y);
            continue;  // every button follows the pointer
        }
        if (!s->contains(e->x, e->y)) continue;
        fire = kind == Pointer::Press ? button->press() : button->releaseAt(e->x, e->y);
        if (!fire) return false;
        message = s->getName();
        s->addRef();
        object = s;
        return true;
    }
    return false;
}

bool GameCanvas2::onMouseDown(window::Event* e, lang::Object*& object, lang::String& message) {
    return routePointer(Pointer::Press, e, object, message);
}

bool GameCanvas2::onMouseUp(window::Event* e, lang::Object*& object, lang::String& message) {
    return routePointer(Pointer::Release, e, object, message);
}

bool GameCanvas2::onMouseMove(window::Event* e, lang::Object*& object, lang::String& message) {
    bool empty = overlay_ == nullptr || overlay_->size() == 0;
    if (empty && getCursor() == window::Cursor::getHand()) {
        message = "normalCursor";
        return true;
    }
    return routePointer(Pointer::Move, e, object, message);
}

bool GameCanvas2::onKeyUp(window::Event*, lang::Object*&, lang::String&) { return false; }

bool GameCanvas2::onKeyDown(window::Event* e, lang::Object*& object, lang::String& message) {
    if (overlay_ == nullptr) return false;
    ObjectLock list(overlay_, true);
    for (int i = overlay_->size() - 1; i >= 0; --i) {
        lang::Object* s = overlay_->elementAt(i);
        if (!s->isInstanceOf("DialogSprite")) continue;
        auto* dialog = static_cast<DialogSprite*>(s);
        if (!dialog->isShown() || !dialog->acceptsKeys()) continue;
        int answer = dialog->keyPressed(e);
        if (answer == DialogSprite::NOT_TAKEN) continue;
        return takeAnswer(dialog, answer, object, message);
    }
    return false;
}

void GameCanvas2::onMessage(lang::Object*, const lang::String& message) {
    if (message.equals("handCursor")) setCursor(window::Cursor::getHand());
    else if (message.equals("normalCursor"))
        setCursor(window::Cursor::getArrow());
    else if (message.equals("openHandCursor"))
        setCursor(window::Cursor::getOpenHand());
    else if (!message.isEmpty() && overlay_) {
        ObjectLock list(overlay_, true);
        for (int i = overlay_->size() - 1; i >= 0; --i) {
            lang::Object* s = overlay_->elementAt(i);
            if (!s->isInstanceOf("DialogSprite")) continue;
            auto* dialog = static_cast<DialogSprite*>(s);
            if (!dialog->isShown()) continue;
            int answer = dialog->handleMessage(message);
            if (answer >= 1 && answer <= 3) break;
        }
    }
}

}  // namespace sprite
