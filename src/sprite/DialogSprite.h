#pragma once

#include <vector>

#include "lang/String.h"
#include "sprite/FancyContainer.h"
#include "sprite/FocusRing.h"

namespace util {
class Hashtable;
}
namespace window {
class Event;
}

namespace sprite {

class ButtonSprite;

// The interactive container: routes presses, releases, moves and keys to its
// children (buttons and nested dialogs), turns a click into a result name, can be
// modal or draggable, finds children by name, and keeps no decoded pictures
// while hidden.
//
// Input answers: 0 not taken, 1 a result is ready in clickedName, 2 close,
// 3 taken without a result. filterButton answers 0 keep the name, 1 use the
// text left in out, 2 or 3 drop the result.
class DialogSprite : public FancyContainer {
    MENTARIUM_METACLASS(DialogSprite)

public:
    static constexpr int NOT_TAKEN = 0;
    static constexpr int RESULT = 1;
    static constexpr int CLOSE = 2;
    static constexpr int TAKEN = 3;

    explicit DialogSprite(bool modal = false);
    ~DialogSprite() override;
    MENTARIUM_CLASS(DialogSprite, FancyContainer)

    bool init(lang::ObjectArray* pictures, lang::IntArray* numbers) override;
    bool collectDirty(int tick, util::RectangleNM* total, util::Region* region) override;
    bool contains(int px, int py) override;
    void onLoaded(DataLoader* loader) override;
    void loadImages() override;
    void unloadImages() override;
    void remove(SpriteBase* child) override;
    void setVisible(bool value) override;  // hiding also drops the keyboard focus

    virtual void addNamedAfter(const lang::String& childName, SpriteBase* child, SpriteBase* ref);
    virtual void addNamed(const lang::String& childName, SpriteBase* child);
    virtual void insertBefore(SpriteBase* child, SpriteBase* ref);
    virtual void addNamedBefore(const lang::String& childName, SpriteBase* child, SpriteBase* ref);
    virtual void setFireOnRelease(bool flag);
    virtual bool acceptsKeys() { return isVisible(); }
    virtual int handleMessage(const lang::String& message);
    virtual int onButton(const lang::String& button, lang::String& out, lang::Object* extra);
    virtual int filterButton(const lang::String& button, lang::String& out);
    virtual int keyPressed(window::Event* event);
    virtual int mousePressed(window::Event* event);
    virtual int mouseReleased(window::Event* event);
    virtual bool mouseMoved(window::Event* event);
    virtual void refreshImages() { FancyContainer::loadImages(); }

    // The dialog's own buttons the keyboard can reach, in the dialog's order (borrowed).
    std::vector<ButtonSprite*> focusableButtons();
    // The button with the keyboard focus, or null (borrowed).
    ButtonSprite* focusedButton() { return focusRing.current(focusableButtons()); }

    // The child stored under name, or null (borrowed).
    Sprite* findChild(const lang::String& childName) const;
    // Names child (an empty name only clears the child's own name).
    void setChildName(const lang::String& childName, SpriteBase* child);

    const lang::String& getClickedName() const { return clickedName; }
    const lang::String& getPressedName() const { return pressedName; }
    util::Hashtable* getNamedChildren() const { return namedChildren; }  // borrowed
    bool isModal() const { return modal; }
    bool isDraggable() const { return draggable; }
    bool isDragging() const { return dragging; }
    bool areImagesLoaded() const { return imagesLoaded; }

protected:
    // Takes child's result (its clickedName through its filterButton) as this
    // dialog's; fallback is the answer for an unexpected filter answer.
    int takeNestedResult(DialogSprite* child, int fallback);
    // Runs handler with the event's point moved into this dialog's space.
    template <typename Handler>
    auto withLocalPoint(window::Event* event, Handler handler);
    // The dialog's own answer to a key no child dialog took: Tab and Shift+Tab
    // move the focus ring, Return and Space press the focused button.
    int answerFocusKey(int key, int modifiers);

    lang::String clickedName;
    lang::String pressedName;
    util::Hashtable* namedChildren = nullptr;
    bool imagesLoaded = true;
    bool modal;
    bool draggable = false;
    bool dragging = false;
    int dragX = 0, dragY = 0;
    FocusRing focusRing;
};

}  // namespace sprite
