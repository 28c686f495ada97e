#pragma once

#include "lang/Object.h"
#include "lang/String.h"
#include "sprite/LookRequest.h"
#include "window/Receiver.h"

namespace lang {
class IntArray;
class ObjectArray;
}  // namespace lang
namespace util {
class RectangleNM;
class Region;
}  // namespace util
namespace window {
class Event;
class Graphics;
}  // namespace window

namespace sprite {

// The abstract root of everything drawn in a scene: a named object that can be
// initialised from scene data, painted, moved, shown and hidden.
class SpriteBase : public lang::Object, public window::Receiver {
public:
    SpriteBase() = default;
    SpriteBase(const SpriteBase&) = delete;
    SpriteBase& operator=(const SpriteBase&) = delete;
    MENTARIUM_CLASS(SpriteBase, lang::Object)

    virtual bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) = 0;
    virtual void paint(window::Graphics* g) = 0;
    virtual void paintOutline(window::Graphics* g) = 0;
    virtual void onMessage(lang::Object* argument, const lang::String& message) {}
    virtual bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) { return false; }
    virtual void setLocation(int x, int y) = 0;
    virtual void setLocationQuiet(int x, int y) = 0;
    virtual void translate(int dx, int dy) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool contains(int x, int y) = 0;
    virtual util::RectangleNM* getBounds() = 0;
    virtual bool isVisible() = 0;
    virtual bool isShown() = 0;

    // Sprites take pointer and key input through their containers; only screens
    // that wait for notifications answer events here.
    bool handleEvent(window::Event* event) override { return false; }

    const lang::String& getName() const { return name; }
    void setName(const lang::String& value) { name = value; }

    // Asks the next dirty collection to visit this sprite and its containers.
    void requestLook() { look.raise(); }
    // Answers whether the collection should visit this sprite now; it asks
    // again only after a further change.
    bool takeLookRequest() { return look.take(); }
    LookRequest& lookRequest() { return look; }

protected:
    lang::String name;

private:
    LookRequest look;
};

}  // namespace sprite
