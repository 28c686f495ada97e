#include "sprite/DialogSprite.h"

#include <algorithm>

#include "lang/IntArray.h"
#include "lang/ObjectLock.h"
#include "sprite/ButtonInput.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DataLoader.h"
#include "util/Hashtable.h"
#include "window/Event.h"
#include "window/Image.h"
#include "window/KeyCodes.h"

namespace sprite {

MENTARIUM_DEFINE_METACLASS(DialogSprite)

namespace {

// Dragged dialogs stay inside this area.
constexpr int kDragAreaWidth = 800;
constexpr int kDragAreaHeight = 600;

DialogSprite* asDialog(Sprite* s) { return s->isInstanceOf("DialogSprite") ? static_cast<DialogSprite*>(s) : nullptr; }

}  // namespace

DialogSprite::DialogSprite(bool modal) : modal(modal) {}

DialogSprite::~DialogSprite() {
    if (namedChildren) namedChildren->release();
}

bool DialogSprite::init(lang::ObjectArray* pictures, lang::IntArray* numbers) {
    FancyContainer::init(pictures, numbers);
    int n = numbers ? numbers->length() : 0;
    if (n > 4) modal = (*numbers)[4] == 1;
    if (n > 5) setVisible((*numbers)[5] == 1);
    if (n >= 7) draggable = (*numbers)[6] != 0;
    return true;
}

bool DialogSprite::collectDirty(int tick, util::RectangleNM* total, util::Region* region) {
    if (!isVisible() && imagesLoaded) {
        unloadImages();
        dropBuffer();
    }
    bool result = FancyContainer::collectDirty(tick, total, region);
    if (shown && !imagesLoaded) loadImages();
    return result;
}

bool DialogSprite::contains(int px, int py) { return getBounds()->contains(px, py); }

void DialogSprite::onLoaded(DataLoader* loader) {
    util::Hashtable* names = loader ? loader->getNames() : nullptr;
    if (names) names->addRef();
    if (namedChildren) namedChildren->release();
    namedChildren = names;
    if (!isVisible() && imagesLoaded) unloadImages();
}

void DialogSprite::loadImages() {
    imagesLoaded = true;
    FancyContainer::loadImages();
    requestLook();  // the next pass settles the pictures against the visibility
}

void DialogSprite::unloadImages() {
    imagesLoaded = false;
    FancyContainer::unloadImages();
    requestLook();
}

void DialogSprite::remove(SpriteBase* child) {
    if (child == nullptr) return;
    ObjectLock hold(this, true);
    // Only the entry that names this very child goes; a namesake stays.
    if (namedChildren && !child->getName().isEmpty() && namedChildren->get(&child->getName()) == child)
        namedChildren->remove(&child->getName());
    FancyContainer::remove(child);
}

Sprite* DialogSprite::findChild(const lang::String& childName) const {
    if (namedChildren == nullptr) return nullptr;
    return dynamic_cast<Sprite*>(namedChildren->get(&childName));
}

void DialogSprite::setChildName(const lang::String& childName, SpriteBase* child) {
    if (child == nullptr) return;
    if (childName.isEmpty()) {
        child->setName(lang::String());
        return;
    }
    if (namedChildren == nullptr) namedChildren = new util::Hashtable();
    child->setName(childName);
    namedChildren->remove(&childName);
    namedChildren->put(childName, child);
}

void DialogSprite::addNamedAfter(const lang::String& childName, SpriteBase* child, SpriteBase* ref) {
    ObjectLock hold(this, true);
    remove(child);
    setChildName(childName, child);
    addAfter(child, ref);
}

void DialogSprite::addNamed(const lang::String& childName, SpriteBase* child) {
    ObjectLock hold(this, true);
    remove(child);
    setChildName(childName, child);
    add(child);
}

void DialogSprite::insertBefore(SpriteBase* child, SpriteBase* ref) { FancyContainer::insertBefore(child, ref); }

void DialogSprite::addNamedBefore(const lang::String& childName, SpriteBase* child, SpriteBase* ref) {
    ObjectLock hold(this, true);
    remove(child);
    setChildName(childName, child);
    insertBefore(child, ref);
}

void DialogSprite::setFireOnRelease(bool flag) {
    forChildrenFromTop([flag](Sprite* child) {
        if (auto* button = dynamic_cast<ButtonInput*>(child)) button->setFireOnRelease(flag);
        else if (DialogSprite* dialog = asDialog(child))
            dialog->setFireOnRelease(flag);
        return true;
    });
}

int DialogSprite::handleMessage(const lang::String& message) {
    int answer = NOT_TAKEN;
    forChildrenFromTop([&](Sprite* child) {
        DialogSprite* dialog = asDialog(child);
        if (dialog == nullptr) return true;
        int a = dialog->handleMessage(message);
        if (a >= RESULT && a <= TAKEN) answer = a;
        return answer == NOT_TAKEN;
    });
    return answer;
}

int DialogSprite::onButton(const lang::String& button, lang::String& out, lang::Object* extra) {
    return filterButton(button, out);
}

int DialogSprite::filterButton(const lang::String& button, lang::String& out) {
    int answer = 0;
    forChildrenFromTop([&](Sprite* child) {
        DialogSprite* dialog = asDialog(child);
        if (dialog == nullptr || !dialog->isVisible()) return true;
        answer = dialog->filterButton(button, out);
        return answer == 0;
    });
    return answer;
}

int DialogSprite::takeNestedResult(DialogSprite* child, int fallback) {
    clickedName = child->clickedName;
    lang::String out;
    switch (child->filterButton(clickedName, out)) {
    case 0: return RESULT;
    case 1: clickedName = out; return RESULT;
    case 2:
    case 3: clickedName = lang::String(); return TAKEN;
    default: return fallback;
    }
}

template <typename Handler>
auto DialogSprite::withLocalPoint(window::Event* event, Handler handler) {
    int ox = event->x, oy = event->y;
    event->x = ox - getX();
    event->y = oy - getY();
    auto answer = handler(event->x, event->y);
    event->x = ox;
    event->y = oy;
    return answer;
}

int DialogSprite::mousePressed(window::Event* event) {
    dragX = event->x;
    dragY = event->y;
    clickedName = lang::String();
    pressedName = lang::String();
    if (!isVisible()) return NOT_TAKEN;
    if (!contains(event->x, event->y)) return modal ? TAKEN : NOT_TAKEN;
    if (fadingOut) return TAKEN;

    // Walk from the top; the first dialog that takes the press hides everything below it.
    enum { WALK_ON, BACKGROUND, DONE } outcome = BACKGROUND;
    int answer = TAKEN;
    bool taken = false;
    withLocalPoint(event, [&](int lx, int ly) {
        forChildrenFromTop([&](Sprite* child) {
            if (auto* button = dynamic_cast<ButtonInput*>(child)) {
                if (taken || !button->isHit(lx, ly)) return true;
                if (!button->press()) {
                    pressedName = child->getName();
                    answer = TAKEN;
                } else {
                    clickedName = child->getName();
                    answer = RESULT;
                }
                outcome = DONE;
                return false;
            }
            DialogSprite* dialog = asDialog(child);
            if (dialog == nullptr || !dialog->isVisible() || taken) return true;
            if (!dialog->contains(lx, ly) && !dialog->modal) return true;
            taken = true;
            int a = dialog->mousePressed(event);
            if (a == NOT_TAKEN) {
                if (!dialog->modal) return true;
                pressedName = dialog->getName();
                return false;  // a modal child swallows the press: the background takes it
            }
            pressedName = dialog->getName();
            answer = a == TAKEN ? TAKEN : takeNestedResult(dialog, RESULT);
            outcome = DONE;
            return false;
        });
        return 0;
    });
    if (outcome == DONE) return answer;
    if (draggable) dragging = true;
    return TAKEN;
}

int DialogSprite::mouseReleased(window::Event* event) {
    if (dragging) {
        dragging = false;
        return TAKEN;
    }
    if (pressedName.isEmpty()) return NOT_TAKEN;
    Sprite* child = findChild(pressedName);
    pressedName = lang::String();
    if (child == nullptr) return NOT_TAKEN;
    return withLocalPoint(event, [&](int lx, int ly) {
        if (DialogSprite* dialog = asDialog(child)) {
            int a = dialog->mouseReleased(event);
            if (a != NOT_TAKEN && a != TAKEN) return takeNestedResult(dialog, a);
            return a;
        }
        auto* button = dynamic_cast<ButtonInput*>(child);
        if (button && button->releaseAt(lx, ly)) {
            clickedName = child->getName();
            return RESULT;
        }
        return NOT_TAKEN;
    });
}

bool DialogSprite::mouseMoved(window::Event* event) {
    if (draggable && dragging) {
        int nx = getX() + (event->x - dragX);
        int ny = getY() + (event->y - dragY);
        if (nx < 0) nx = 0;
        if (ny < 0) ny = 0;
        if (nx + getWidth() > kDragAreaWidth) nx = kDragAreaWidth - getWidth();
        if (ny + getHeight() > kDragAreaHeight) ny = kDragAreaHeight - getHeight();
        setLocation(nx, ny);
        dragX = event->x;
        dragY = event->y;
        return false;
    }
    bool overButton = false;
    bool taken = false;
    withLocalPoint(event, [&](int lx, int ly) {
        forChildrenFromTop([&](Sprite* child) {
            if (auto* button = dynamic_cast<ButtonInput*>(child)) {
                // Every button updates its hover look, also those under a dialog.
                if (child->isVisible() && button->hover(lx, ly) && !taken) overButton = true;
                return true;
            }
            DialogSprite* dialog = asDialog(child);
            if (dialog == nullptr || !dialog->isVisible() || taken) return true;
            if (!dialog->contains(lx, ly) && !dialog->modal) return true;
            taken = true;
            if (dialog->mouseMoved(event)) overButton = true;
            return !dialog->modal;
        });
        return 0;
    });
    return overButton;
}

int DialogSprite::keyPressed(window::Event* event) {
    int answer = NOT_TAKEN;
    forChildrenFromTop([&](Sprite* child) {
        DialogSprite* dialog = asDialog(child);
        if (dialog == nullptr || !dialog->isVisible() || !dialog->acceptsKeys()) return true;
        int a = dialog->keyPressed(event);
        if (a == NOT_TAKEN) return true;
        answer = takeNestedResult(dialog, a);
        return false;
    });
    if (answer != NOT_TAKEN || event == nullptr) return answer;
    return answerFocusKey(event->key, event->modifiers);
}

int DialogSprite::answerFocusKey(int key, int modifiers) {
    if (key == window::keys::Tab)
        return focusRing.step(focusableButtons(), (modifiers & window::Event::ModShift) != 0) ? TAKEN : NOT_TAKEN;
    if (key != window::keys::Return && key != window::keys::Space) return NOT_TAKEN;
    ButtonSprite* button = focusedButton();
    if (button == nullptr) return NOT_TAKEN;
    clickedName = button->getName();
    return RESULT;
}

std::vector<ButtonSprite*> DialogSprite::focusableButtons() {
    std::vector<ButtonSprite*> buttons;
    forChildrenFromTop([&](Sprite* child) {
        if (auto* button = dynamic_cast<ButtonSprite*>(child); button && button->isFocusable())
            buttons.push_back(button);
        return true;
    });
    std::reverse(buttons.begin(), buttons.end());  // the dialog's order, bottom first
    return buttons;
}

void DialogSprite::setVisible(bool value) {
    if (!value) focusRing.clear();
    FancyContainer::setVisible(value);
}

}  // namespace sprite
