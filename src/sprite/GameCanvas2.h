#pragma once

#include "sprite/GameCanvas.h"
#include "sprite/LoadListener.h"
#include "util/Hashtable.h"

namespace sprite {

class DataLoader;
class DialogSprite;

// The canvas of a scene: loads its scene data, keeps an overlay of top-level
// sprites (dialogs and buttons) above the roots, routes input to them from the
// top down, and delivers scheduled notifications on the render thread's ticks.
class GameCanvas2 : public GameCanvas, public LoadListener {
public:
    // A notification due after a number of ticks, once or every period.
    class FrameNotify : public lang::Object {
    public:
        MENTARIUM_CLASS(FrameNotify, lang::Object)
        ~FrameNotify() override;
        void setTarget(SpriteBase* target, lang::Object* argument);

        SpriteBase* target = nullptr;  // null: the canvas itself
        int frames = 0;                // countdown, or the period when repeating
        lang::Object* argument = nullptr;
        lang::String message;
        bool repeating = false;
        int phase = 0;
    };

    // Flags of schedule().
    static constexpr int IN_SECONDS = 1;
    static constexpr int REUSE = 2;
    static constexpr int REPEAT = 4;
    static constexpr int CANCEL = 8;
    static constexpr int MATCH_TARGET = 16;

    GameCanvas2();
    ~GameCanvas2() override;
    MENTARIUM_CLASS(GameCanvas2, GameCanvas)

    bool keyDown(window::Event* event, int key) override;
    bool keyUp(window::Event* event, int key) override;
    void forwardToAnimations(bool paused) override;
    void update() override;
    bool processEvent() override;

    virtual void sceneLoaded(DataLoader* loader) {}
    virtual bool loadScene();
    SpriteBase* offerSprite(const lang::String& classField, lang::IntArray* numbers, lang::ObjectArray* pictures,
                            DataLoader* loader) override {
        return nullptr;
    }
    virtual void schedule(int delay, const lang::String& message, int flags, lang::Object* argument,
                          SpriteBase* target);
    virtual void holdNotifications(bool held) { notificationsHeld_ = held; }
    virtual void onMessage(lang::Object* argument, const lang::String& message);
    virtual bool onMouseDown(window::Event* e, lang::Object*& object, lang::String& message);
    virtual bool onMouseUp(window::Event* e, lang::Object*& object, lang::String& message);
    virtual bool onMouseMove(window::Event* e, lang::Object*& object, lang::String& message);
    virtual bool onKeyUp(window::Event* e, lang::Object*& object, lang::String& message);
    virtual bool onKeyDown(window::Event* e, lang::Object*& object, lang::String& message);

    void itemLoaded() override { stepLoading(); }

    // The overlay: top-level sprites above the roots, bottom first.
    void addToOverlay(SpriteBase* sprite);
    void removeFromOverlay(SpriteBase* sprite);  // at the next update
    util::Vector* getOverlay() const { return overlay_; }
    SpriteBase* findSprite(const char* name) const;  // borrowed, or null
    int pendingNotifications() const { return notifications_.size(); }
    void setReady(bool ready) { ready_ = ready; }
    // The scene must load whole (see DataLoader::requireWholeScene); a game's
    // own canvas asks for this, so a damaged archive never shows a partial game.
    void requireWholeScene() { wholeScene_ = true; }

protected:
    void paintLayers(window::Graphics* g) override;
    void deliver(FrameNotify* notify);
    void takeSceneResults(DataLoader* loader);
    // Offers an input answer from the overlay, top down; see the handlers.
    enum class Pointer { Press, Release, Move };
    // A dialog's input answer as the handlers report it: its result name, or
    // "CLOSED"; false when it took the event without a result.
    static bool takeAnswer(DialogSprite* dialog, int answer, lang::Object*& object, lang::String& message);
    bool routePointer(Pointer kind, window::Event* e, lang::Object*& object, lang::String& message);

    std::atomic<bool> ready_{true};
    util::Vector* overlay_ = nullptr;
    util::Hashtable* names_ = nullptr;
    util::RectangleNM overlayUpdateRect_;
    util::Vector removals_{10};
    util::Vector notifications_{10};
    bool notificationsHeld_ = false;
    bool wholeScene_ = false;
};

}  // namespace sprite
