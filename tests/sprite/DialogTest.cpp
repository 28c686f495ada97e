#include <gtest/gtest.h>

#include "lang/Class.h"
#include "lang/IntArray.h"
#include "sprite/DialogSprite.h"
#include "sprite/SpriteFixtures.h"
#include "util/Hashtable.h"
#include "window/Event.h"

using sprite::DialogSprite;
using sprite::Sprite;
using sprite_test::Held;
using sprite_test::solidSprite;
using sprite_test::TestButton;

namespace {

window::Event* event(int kind, int x, int y) {
    auto* e = new window::Event(nullptr, kind, nullptr);
    e->x = x;
    e->y = y;
    return e;
}

// A dialog at (x, y) of w x h, visible, with nothing left to collect.
DialogSprite* placedDialog(int x, int y, int w, int h, bool modal = false) {
    auto* d = new DialogSprite(modal);
    d->setSize(w, h);
    d->setLocation(x, y);
    d->collectDirty(0, nullptr, nullptr);
    return d;
}

TestButton* namedButton(DialogSprite* parent, const char* name, int x, int y, int w, int h) {
    auto* b = new TestButton(x, y, w, h);
    parent->addNamed(name, b);
    b->release();
    return b;
}

int press(DialogSprite* d, int x, int y) {
    Held<window::Event> e(event(window::Event::MouseDown, x, y));
    int answer = d->mousePressed(e.get());
    EXPECT_EQ(e->x, x);  // the event's point is handed back unchanged
    return answer;
}

int release(DialogSprite* d, int x, int y) {
    Held<window::Event> e(event(window::Event::MouseUp, x, y));
    return d->mouseReleased(e.get());
}

bool move(DialogSprite* d, int x, int y) {
    Held<window::Event> e(event(window::Event::MouseMove, x, y));
    return d->mouseMoved(e.get());
}

lang::IntArray* numbersOf(std::initializer_list<int> values) {
    auto* a = new lang::IntArray(static_cast<int>(values.size()));
    int i = 0;
    for (int v : values) (*a)[i++] = v;
    return a;
}

// A dialog that rewrites or drops results coming up from inside it.
class FilteringDialog : public DialogSprite {
public:
    int filterButton(const lang::String& button, lang::String& out) override {
        if (button.equals("ok")) {
            out = "confirmed";
            return 1;
        }
        if (button.equals("ignore")) return 2;
        return 0;
    }
};

// A dialog that answers every key with a result of its own.
class KeyDialog : public DialogSprite {
public:
    int keyPressed(window::Event* event) override {
        clickedName = "key";
        return event->key == 'q' ? 1 : 0;
    }
};

}  // namespace

TEST(DialogRouting, ClickGoesToTheTopmostButtonUnderThePointer) {
    Held<DialogSprite> d(placedDialog(100, 100, 200, 100));
    TestButton* lower = namedButton(d.get(), "lower", 10, 10, 50, 50);
    TestButton* upper = namedButton(d.get(), "upper", 30, 30, 50, 50);

    EXPECT_EQ(press(d.get(), 100 + 40, 100 + 40), DialogSprite::RESULT);
    EXPECT_STREQ(d->getClickedName().c_str(), "upper");
    EXPECT_EQ(upper->presses, 1);
    EXPECT_EQ(lower->presses, 0);

    EXPECT_EQ(press(d.get(), 100 + 15, 100 + 15), DialogSprite::RESULT);
    EXPECT_STREQ(d->getClickedName().c_str(), "lower");
}

TEST(DialogRouting, PressesOutsideDependOnModalityAndBackgroundPressesOnDragging) {
    Held<DialogSprite> plain(placedDialog(100, 100, 50, 50));
    EXPECT_EQ(press(plain.get(), 10, 10), DialogSprite::NOT_TAKEN);
    EXPECT_EQ(press(plain.get(), 120, 120), DialogSprite::TAKEN);  // background
    EXPECT_FALSE(plain->isDragging());

    Held<DialogSprite> modal(placedDialog(100, 100, 50, 50, true));
    EXPECT_EQ(press(modal.get(), 10, 10), DialogSprite::TAKEN);

    Held<DialogSprite> hidden(placedDialog(100, 100, 50, 50, true));
    hidden->setVisible(false);
    EXPECT_EQ(press(hidden.get(), 120, 120), DialogSprite::NOT_TAKEN);
}

TEST(DialogRouting, DraggingMovesTheDialogAndClampsItInsideTheArea) {
    Held<DialogSprite> d(placedDialog(100, 100, 200, 100));
    Held<lang::IntArray> numbers(numbersOf({100, 100, 200, 100, 0, 1, 1}));
    d->init(nullptr, numbers.get());
    ASSERT_TRUE(d->isDraggable());

    EXPECT_EQ(press(d.get(), 150, 150), DialogSprite::TAKEN);
    EXPECT_TRUE(d->isDragging());
    EXPECT_FALSE(move(d.get(), 170, 140));
    EXPECT_EQ(d->getX(), 120);
    EXPECT_EQ(d->getY(), 90);
    move(d.get(), 0, 0);  // far up and left
    EXPECT_EQ(d->getX(), 0);
    EXPECT_EQ(d->getY(), 0);
    move(d.get(), 5000, 5000);
    EXPECT_EQ(d->getX(), 600);
    EXPECT_EQ(d->getY(), 500);
    EXPECT_EQ(release(d.get(), 5000, 5000), DialogSprite::TAKEN);
    EXPECT_FALSE(d->isDragging());
}

TEST(DialogRouting, ButtonFiringOnReleaseAnswersOnTheReleaseInsideIt) {
    Held<DialogSprite> d(placedDialog(0, 0, 200, 200));
    TestButton* b = namedButton(d.get(), "go", 10, 10, 20, 20);
    d->setFireOnRelease(true);
    ASSERT_TRUE(b->fireOnRelease);

    EXPECT_EQ(press(d.get(), 15, 15), DialogSprite::TAKEN);
    EXPECT_STREQ(d->getPressedName().c_str(), "go");
    EXPECT_EQ(release(d.get(), 16, 16), DialogSprite::RESULT);
    EXPECT_STREQ(d->getClickedName().c_str(), "go");

    press(d.get(), 15, 15);
    EXPECT_EQ(release(d.get(), 100, 100), DialogSprite::NOT_TAKEN);
    EXPECT_EQ(release(d.get(), 15, 15), DialogSprite::NOT_TAKEN);  // nothing pressed any more
}

TEST(DialogRouting, NestedDialogResultsPassThroughItsFilter) {
    Held<DialogSprite> outer(placedDialog(100, 100, 300, 300));
    auto* inner = new FilteringDialog();
    inner->setSize(100, 100);
    inner->setLocation(50, 50);
    outer->addNamed("inner", inner);
    inner->release();
    namedButton(inner, "ok", 0, 0, 10, 10);
    namedButton(inner, "ignore", 20, 0, 10, 10);
    namedButton(inner, "other", 40, 0, 10, 10);

    EXPECT_EQ(press(outer.get(), 150 + 5, 150 + 5), DialogSprite::RESULT);
    EXPECT_STREQ(outer->getClickedName().c_str(), "confirmed");
    EXPECT_STREQ(outer->getPressedName().c_str(), "inner");

    EXPECT_EQ(press(outer.get(), 150 + 25, 150 + 5), DialogSprite::TAKEN);
    EXPECT_TRUE(outer->getClickedName().isEmpty());

    EXPECT_EQ(press(outer.get(), 150 + 45, 150 + 5), DialogSprite::RESULT);
    EXPECT_STREQ(outer->getClickedName().c_str(), "other");
}

TEST(DialogRouting, AModalChildSwallowsPressesMeantForTheButtonsBelowIt) {
    Held<DialogSprite> outer(placedDialog(0, 0, 300, 300));
    TestButton* below = namedButton(outer.get(), "below", 0, 0, 50, 50);
    auto* modal = new DialogSprite(true);
    modal->setSize(20, 20);
    modal->setLocation(200, 200);
    outer->addNamed("modal", modal);
    modal->release();

    EXPECT_EQ(press(outer.get(), 10, 10), DialogSprite::TAKEN);
    EXPECT_EQ(below->presses, 0);
    EXPECT_STREQ(outer->getPressedName().c_str(), "modal");
}

TEST(DialogRouting, MovesUpdateEveryButtonAndReportWhetherOneIsUnderThePointer) {
    Held<DialogSprite> d(placedDialog(10, 10, 200, 200));
    TestButton* a = namedButton(d.get(), "a", 0, 0, 50, 50);
    TestButton* b = namedButton(d.get(), "b", 100, 0, 50, 50);
    b->hovered = true;
    EXPECT_TRUE(move(d.get(), 20, 20));
    EXPECT_TRUE(a->hovered);
    EXPECT_FALSE(b->hovered);
    EXPECT_FALSE(move(d.get(), 10 + 75, 20));
    EXPECT_FALSE(a->hovered);
}

TEST(DialogRouting, KeysGoToTheFirstChildDialogThatTakesThem) {
    Held<DialogSprite> outer(placedDialog(0, 0, 100, 100));
    auto* keys = new KeyDialog();
    outer->addNamed("keys", keys);
    keys->release();
    Held<window::Event> q(event(window::Event::KeyPress, 0, 0));
    q->key = 'q';
    EXPECT_EQ(outer->keyPressed(q.get()), DialogSprite::RESULT);
    EXPECT_STREQ(outer->getClickedName().c_str(), "key");
    q->key = 'x';
    EXPECT_EQ(outer->keyPressed(q.get()), DialogSprite::NOT_TAKEN);
    keys->setVisible(false);
    q->key = 'q';
    EXPECT_EQ(outer->keyPressed(q.get()), DialogSprite::NOT_TAKEN);
}

TEST(DialogNames, ChildrenAreFoundByNameUntilRemoved) {
    Held<DialogSprite> d(placedDialog(0, 0, 100, 100));
    TestButton* b = namedButton(d.get(), "start", 0, 0, 10, 10);
    EXPECT_EQ(d->findChild("start"), b);
    EXPECT_STREQ(b->getName().c_str(), "start");
    EXPECT_EQ(d->findChild("missing"), nullptr);

    d->addNamed("begin", b);  // renaming drops the old name
    EXPECT_EQ(d->findChild("start"), nullptr);
    EXPECT_EQ(d->findChild("begin"), b);
    EXPECT_EQ(d->childCount(), 1);

    d->remove(b);
    EXPECT_EQ(d->findChild("begin"), nullptr);
    d->setChildName("", b);
    EXPECT_TRUE(b->getName().isEmpty());
}

TEST(DialogImages, HiddenDialogFreesItsChildrenPixelsAndShowingDecodesAgain) {
    Held<DialogSprite> d(placedDialog(0, 0, 100, 100));
    Held<Sprite> child(solidSprite(0, 0, 4, 4));
    d->add(child.get());
    d->setVisible(false);
    d->collectDirty(1, nullptr, nullptr);
    EXPECT_FALSE(d->areImagesLoaded());
    EXPECT_FALSE(child->getImage()->hasPixels());

    d->setVisible(true);
    d->collectDirty(2, nullptr, nullptr);
    EXPECT_TRUE(d->areImagesLoaded());
}

TEST(DialogClass, LineNumbersGiveModalVisibleAndDraggable) {
    lang::Object* made = lang::Class::forName("DialogSprite")->newInstance();
    auto* d = dynamic_cast<DialogSprite*>(made);
    ASSERT_NE(d, nullptr);
    Held<lang::IntArray> four(numbersOf({1, 2, 30, 40}));
    d->init(nullptr, four.get());
    EXPECT_FALSE(d->isModal());
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(d->isDraggable());
    Held<lang::IntArray> seven(numbersOf({1, 2, 30, 40, 1, 0, 5}));
    d->init(nullptr, seven.get());
    EXPECT_TRUE(d->isModal());
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(d->isDraggable());
    EXPECT_TRUE(d->isInstanceOf("FancyContainer"));
    made->release();
}
