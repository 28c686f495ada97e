#include <gtest/gtest.h>

#include "WidgetFixtures.h"
#include "sprite/ButtonSprite.h"
#include "sprite/DialogSprite.h"
#include "sprite/SpriteFixtures.h"
#include "window/Event.h"
#include "window/KeyCodes.h"

namespace {

using sprite::ButtonSprite;
using sprite::DialogSprite;
using sprite_test::Held;

constexpr uint32_t kButtonInk = 0xFF204080u;

// A 20 x 10 button of one colour at (x, 0), added to the dialog under name.
ButtonSprite* addButton(DialogSprite* dialog, const char* name, int x) {
    auto* b = new ButtonSprite();
    Held<window::Image> strip(widget_test::pictureOf(60, 10, [](int, int) { return kButtonInk; }));
    widget_test::initWith(b, {strip.get()}, {x, 0, 3, 1, 0, 1, 2, ButtonSprite::Normal});
    dialog->addNamed(name, b);
    b->release();
    return b;
}

int key(DialogSprite* dialog, int code, int modifiers = 0) {
    Held<window::Event> e(new window::Event(nullptr, window::Event::KeyPress, nullptr));
    e->key = code;
    e->modifiers = modifiers;
    return dialog->keyPressed(e.get());
}

struct ThreeButtons : ::testing::Test {
    ThreeButtons() : dialog(new DialogSprite()) {
        dialog->setSize(100, 10);
        first = addButton(dialog.get(), "first", 0);
        second = addButton(dialog.get(), "second", 30);
        third = addButton(dialog.get(), "third", 60);
    }
    Held<DialogSprite> dialog;
    ButtonSprite* first = nullptr;
    ButtonSprite* second = nullptr;
    ButtonSprite* third = nullptr;
};

TEST_F(ThreeButtons, TabStepsThroughTheShownButtonsAndReturnPressesTheFocusedOne) {
    EXPECT_EQ(key(dialog.get(), window::keys::Return), DialogSprite::NOT_TAKEN);  // nothing focused yet
    second->setVisible(false);
    EXPECT_EQ(key(dialog.get(), window::keys::Tab), DialogSprite::TAKEN);
    EXPECT_TRUE(first->isFocused());
    EXPECT_EQ(key(dialog.get(), window::keys::Tab), DialogSprite::TAKEN);
    EXPECT_TRUE(third->isFocused());  // the hidden one is skipped
    EXPECT_FALSE(first->isFocused());
    EXPECT_EQ(key(dialog.get(), window::keys::Tab), DialogSprite::TAKEN);
    EXPECT_TRUE(first->isFocused());  // round at the end
    EXPECT_EQ(key(dialog.get(), window::keys::Tab, window::Event::ModShift), DialogSprite::TAKEN);
    EXPECT_TRUE(third->isFocused());  // Shift+Tab goes back
    EXPECT_EQ(key(dialog.get(), window::keys::Space), DialogSprite::RESULT);
    EXPECT_TRUE(dialog->getClickedName().equals("third"));
}

TEST_F(ThreeButtons, HidingTheDialogTakesTheFocusAway) {
    key(dialog.get(), window::keys::Tab);
    ASSERT_TRUE(first->isFocused());
    dialog->setVisible(false);
    EXPECT_FALSE(first->isFocused());
    dialog->setVisible(true);
    EXPECT_EQ(key(dialog.get(), window::keys::Return), DialogSprite::NOT_TAKEN);
}

TEST(FocusKeys, ADialogWithoutButtonsLeavesTabToOthers) {
    Held<DialogSprite> dialog(new DialogSprite());
    EXPECT_EQ(key(dialog.get(), window::keys::Tab), DialogSprite::NOT_TAKEN);
}

TEST_F(ThreeButtons, TheFocusedButtonShowsARing) {
    dialog->collectDirty(0, nullptr, nullptr);
    Held<window::Image> before(widget_test::renderSprite(second, 100, 10));
    key(dialog.get(), window::keys::Tab);
    key(dialog.get(), window::keys::Tab);
    ASSERT_TRUE(second->isFocused());
    Held<window::Image> after(widget_test::renderSprite(second, 100, 10));
    EXPECT_EQ(widget_test::pixelAt(before.get(), 30, 0), kButtonInk);
    EXPECT_NE(widget_test::pixelAt(after.get(), 30, 0), kButtonInk);  // the ring on the edge
    EXPECT_EQ(widget_test::pixelAt(after.get(), 40, 5), kButtonInk);  // the face inside is left alone
}

}  // namespace
