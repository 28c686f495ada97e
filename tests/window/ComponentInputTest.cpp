// Injected SDL input through the window system into component handlers.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/Cursors.h"
#include "platform/WindowSystem.h"
#include "window/Component.h"
#include "window/Cursor.h"
#include "window/Event.h"
#include "window/Frame.h"
#include "window/WindowTestSupport.h"

using namespace windowtest;
using platform::WindowHandle;
using window::Event;

namespace {

struct Seen {
    int kind, x, y, modifiers, key, count;
    const char* handler;
};

// Records every event handed to it.
class RecordingComponent : public window::Component {
public:
    bool mouseDown(Event* e, int, int) override { return note(e, "down"); }
    bool mouseUp(Event* e, int, int) override { return note(e, "up"); }
    bool mouseMove(Event* e, int, int) override { return note(e, "move"); }
    bool mouseDrag(Event* e, int, int) override { return note(e, "drag"); }
    bool keyDown(Event* e, int key) override {
        EXPECT_EQ(key, e->key);
        return note(e, "keyDown") && takesKeys;
    }
    bool keyUp(Event* e, int key) override {
        EXPECT_EQ(key, e->key);
        return note(e, "keyUp");
    }
    void beforeDestroy() override { ++beforeDestroyCalls; }

    bool note(Event* e, const char* handler) {
        EXPECT_EQ(e->getSource(), this);
        seen.push_back({e->kind, e->x, e->y, e->modifiers, e->key, e->count, handler});
        return true;
    }
    std::vector<Seen> seen;
    bool takesKeys = true;
    int beforeDestroyCalls = 0;
};

class RecordingFrame : public window::Frame {
public:
    bool keyDown(Event* e, int key) override {
        keys.push_back(key);
        return true;
    }
    std::vector<int> keys;
};

class ComponentInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        startWindowSystem();
        useManualClock();
        setNow(10000);
        window::Component::setGameWindow(nullptr);
        frame = new RecordingFrame();
        frame->setWantedSize(500, 375);
        ASSERT_TRUE(frame->create(nullptr, util::RectangleNM(0, 0, 500, 375)));
        frame->setVisible(true);
        child = new RecordingComponent();
        ASSERT_TRUE(child->create(frame, util::RectangleNM(0, 0, 500, 375)));
        child->setVisible(true);
        top = frame->getWindow();
        platform::setFocus(child->getWindow());
        pump();
        child->seen.clear();
    }
    void TearDown() override {
        if (frame->getWindow()) platform::destroyWindow(frame->getWindow());
        pump();
        child->release();
        frame->release();
        useRealClock();
    }

    void click(int button, int x, int y) {
        pushMouseButton(top, button, true, x, y);
        pushMouseButton(top, button, false, x, y);
        pump();
    }
    std::vector<Seen> ofKind(int kind) const {
        std::vector<Seen> out;
        for (const Seen& s : child->seen)
            if (s.kind == kind) out.push_back(s);
        return out;
    }

    RecordingFrame* frame = nullptr;
    RecordingComponent* child = nullptr;
    WindowHandle top = nullptr;
};

TEST_F(ComponentInputTest, ClickCountsFollowTheDoubleClickTime) {
    ASSERT_EQ(window::Component::getDoubleClickTime(), 500u);
    setNow(20000);
    click(SDL_BUTTON_LEFT, 10, 20);
    setNow(20100);
    click(SDL_BUTTON_LEFT, 10, 20);
    setNow(20700);
    click(SDL_BUTTON_LEFT, 10, 20);
    auto downs = ofKind(Event::MouseDown);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0].count, 1);
    EXPECT_EQ(downs[1].count, 2);
    EXPECT_EQ(downs[2].count, 1);
    EXPECT_EQ(downs[0].x, 10);
    EXPECT_EQ(downs[0].y, 20);
    EXPECT_EQ(ofKind(Event::MouseUp).size(), 3u);
}

TEST_F(ComponentInputTest, RightButtonCarriesModifiersFiveAndSharesTheClickCount) {
    setNow(30000);
    click(SDL_BUTTON_LEFT, 5, 5);
    setNow(30200);
    click(SDL_BUTTON_RIGHT, 7, 8);
    auto downs = ofKind(Event::MouseDown);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[1].modifiers, 5);
    EXPECT_EQ(downs[1].count, 2);
    auto ups = ofKind(Event::MouseUp);
    ASSERT_EQ(ups.size(), 2u);
    EXPECT_EQ(ups[1].modifiers, 5);
}

TEST_F(ComponentInputTest, MovingWithAButtonHeldDragsOtherwiseMoves) {
    pushMouseMotion(top, 30, 40);
    pushMouseButton(top, SDL_BUTTON_LEFT, true, 30, 40);
    pushMouseMotion(top, 35, 45);
    pushMouseButton(top, SDL_BUTTON_LEFT, false, 35, 45);
    pushMouseButton(top, SDL_BUTTON_RIGHT, true, 35, 45);
    pushMouseMotion(top, 36, 46);
    pushMouseButton(top, SDL_BUTTON_RIGHT, false, 36, 46);
    pump();
    ASSERT_EQ(child->seen.size(), 7u);
    EXPECT_EQ(child->seen[0].kind, Event::MouseMove);
    EXPECT_STREQ(child->seen[0].handler, "move");
    EXPECT_EQ(child->seen[2].kind, Event::MouseDrag);
    EXPECT_STREQ(child->seen[2].handler, "drag");
    EXPECT_EQ(child->seen[2].x, 35);
    EXPECT_EQ(child->seen[2].modifiers, 0);
    EXPECT_EQ(child->seen[5].kind, Event::MouseDrag);
    EXPECT_EQ(child->seen[5].modifiers, 5);
}

TEST_F(ComponentInputTest, PressCapturesAndReleaseFreesTheMouse) {
    pushMouseButton(top, SDL_BUTTON_LEFT, true, 50, 50);
    pump();
    EXPECT_EQ(platform::getCapture(), child->getWindow());
    EXPECT_EQ(child->getButtonsDown(), 1);
    // While captured, a release outside the window still reaches the component.
    pushMouseMotion(top, 600, -10);
    pushMouseButton(top, SDL_BUTTON_LEFT, false, 600, -10);
    pump();
    EXPECT_EQ(platform::getCapture(), nullptr);
    auto ups = ofKind(Event::MouseUp);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(ups[0].x, 600);
    EXPECT_EQ(ups[0].y, -10);
}

TEST_F(ComponentInputTest, LosingCaptureWithAButtonHeldDeliversTheRelease) {
    pushMouseButton(top, SDL_BUTTON_LEFT, true, 50, 60);
    pushMouseButton(top, SDL_BUTTON_RIGHT, true, 50, 60);
    pump();
    ASSERT_EQ(child->getButtonsDown(), 3);
    pushWindowEvent(top, SDL_WINDOWEVENT_FOCUS_LOST);
    pump();
    auto ups = ofKind(Event::MouseUp);
    ASSERT_EQ(ups.size(), 2u);
    EXPECT_EQ(ups[0].modifiers, 0);
    EXPECT_EQ(ups[1].modifiers, 5);
    // Released where the pointer is, in the component's own coordinates.
    EXPECT_EQ(ups[0].x, 50);
    EXPECT_EQ(ups[0].y, 60);
    EXPECT_EQ(child->getButtonsDown(), 0);
    EXPECT_EQ(platform::getCapture(), nullptr);
}

TEST_F(ComponentInputTest, MouseInputCountsOnlyWhileTheGameWindowHasTheFocus) {
    platform::setFocus(nullptr);
    click(SDL_BUTTON_LEFT, 10, 10);
    EXPECT_TRUE(child->seen.empty());
    window::Component::setGameWindow(child->getWindow());
    platform::setFocus(child->getWindow());
    click(SDL_BUTTON_LEFT, 10, 10);
    EXPECT_EQ(ofKind(Event::MouseDown).size(), 1u);
    window::Component::setGameWindow(nullptr);
}

TEST_F(ComponentInputTest, ArrowKeysGiveTheirCodesOnPressAndRelease) {
    pushKey(top, SDLK_RIGHT, true);
    pushKey(top, SDLK_RIGHT, false);
    pump();
    ASSERT_EQ(child->seen.size(), 2u);
    EXPECT_EQ(child->seen[0].kind, Event::KeyPress);
    EXPECT_EQ(child->seen[0].key, 1039);
    EXPECT_EQ(child->seen[0].x, 0x27);
    EXPECT_EQ(child->seen[0].count, 1);
    EXPECT_EQ(child->seen[1].kind, Event::KeyRelease);
    EXPECT_EQ(child->seen[1].key, 1039);
}

TEST_F(ComponentInputTest, ACharacterKeySpeaksThroughItsCharacter) {
    pushKey(top, SDLK_a, true);
    pushText(top, "a");
    pushKey(top, SDLK_a, false);
    pump();
    ASSERT_EQ(child->seen.size(), 2u);
    EXPECT_EQ(child->seen[0].kind, Event::KeyPress);
    EXPECT_EQ(child->seen[0].key, 97);
    EXPECT_EQ(child->seen[0].x, 0);
    EXPECT_EQ(child->seen[0].y, 0);
    EXPECT_EQ(child->seen[1].kind, Event::KeyRelease);
    EXPECT_EQ(child->seen[1].key, 'A');
}

TEST_F(ComponentInputTest, CtrlWithALetterComesFromTheKeyWithTheCtrlBit) {
    pushKey(top, SDLK_LCTRL, true, KMOD_LCTRL);
    pushKey(top, SDLK_a, true, KMOD_LCTRL);
    pushText(top, "a");  // a character arriving while Ctrl is held makes no event
    pushKey(top, SDLK_a, false, KMOD_LCTRL);
    pushKey(top, SDLK_LCTRL, false);
    pump();
    std::vector<Seen> presses = ofKind(Event::KeyPress);
    // The Ctrl key itself is a non-character key with its virtual-key code.
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].key, 0x11);
    EXPECT_EQ(presses[1].key, 97);
    EXPECT_EQ(presses[1].modifiers & Event::ModCtrl, Event::ModCtrl);
    EXPECT_EQ(presses[1].x, 'A');
}

TEST_F(ComponentInputTest, RepeatsCountTwoAndShiftIsReported) {
    pushKey(top, SDLK_LEFT, true);
    pushKey(top, SDLK_LEFT, true, KMOD_NONE, true);
    pushKey(top, SDLK_b, true, KMOD_LSHIFT, true);
    pushText(top, "B");
    pump();
    auto presses = ofKind(Event::KeyPress);
    ASSERT_EQ(presses.size(), 3u);
    EXPECT_EQ(presses[0].count, 1);
    EXPECT_EQ(presses[1].count, 2);
    EXPECT_EQ(presses[2].key, 'B');
    EXPECT_EQ(presses[2].count, 2);
    EXPECT_EQ(presses[2].modifiers, Event::ModShift);
}

TEST_F(ComponentInputTest, FunctionKeysAndDeleteMapAsTheKeyTableSays) {
    pushKey(top, SDLK_F1, true);
    pushKey(top, SDLK_F12, true);
    pushKey(top, SDLK_F15, true);
    pushKey(top, SDLK_DELETE, true);
    pushKey(top, SDLK_DELETE, false);
    pushKey(top, SDLK_HOME, true);
    pump();
    ASSERT_EQ(child->seen.size(), 6u);
    EXPECT_EQ(child->seen[0].key, 1112);
    EXPECT_EQ(child->seen[1].key, 1123);
    EXPECT_EQ(child->seen[2].key, 1126);
    EXPECT_EQ(child->seen[3].key, 1046);
    EXPECT_EQ(child->seen[4].kind, Event::KeyRelease);
    EXPECT_EQ(child->seen[4].key, 0x2E);
    EXPECT_EQ(child->seen[5].key, 0x24);
}

TEST_F(ComponentInputTest, EscapeArrivesAsItsCharacter) {
    pushKey(top, SDLK_ESCAPE, true);
    pushKey(top, SDLK_RETURN, true);
    pump();
    auto presses = ofKind(Event::KeyPress);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].key, 27);
    EXPECT_EQ(presses[1].key, 13);
}

// Alt+Return must be told from Return: the frame switches full screen on it.
TEST_F(ComponentInputTest, ReturnWithAltCarriesTheAltBit) {
    pushKey(top, SDLK_RETURN, true);
    pushKey(top, SDLK_RETURN, false);
    pushKey(top, SDLK_LALT, true, KMOD_LALT);
    pushKey(top, SDLK_RETURN, true, KMOD_LALT);
    pushKey(top, SDLK_LALT, false);
    pushKey(top, SDLK_TAB, true, KMOD_LSHIFT);
    pump();
    auto presses = ofKind(Event::KeyPress);
    std::vector<Seen> returns, tabs;
    for (const Seen& p : presses) {
        if (p.key == 13) returns.push_back(p);
        if (p.key == 9) tabs.push_back(p);
    }
    ASSERT_EQ(returns.size(), 2u);
    EXPECT_EQ(returns[0].modifiers & Event::ModAlt, 0);
    EXPECT_EQ(returns[1].modifiers & Event::ModAlt, Event::ModAlt);
    ASSERT_EQ(tabs.size(), 1u);  // Shift+Tab: the Tab character with the Shift bit, no Alt
    EXPECT_EQ(tabs[0].modifiers, Event::ModShift);
}

TEST_F(ComponentInputTest, KeyPressesClimbTheParentChainUntilTaken) {
    child->takesKeys = false;
    pushKey(top, SDLK_UP, true);
    pushKey(top, SDLK_UP, false);
    pump();
    ASSERT_EQ(frame->keys.size(), 1u);
    EXPECT_EQ(frame->keys[0], 1038);
    child->takesKeys = true;
    pushKey(top, SDLK_DOWN, true);
    pump();
    EXPECT_EQ(frame->keys.size(), 1u);
}

TEST_F(ComponentInputTest, FocusAskedForFromAnotherThreadIsTakenByTheWindowThread) {
    platform::setFocus(nullptr);
    std::thread other([this] { child->requestFocus(); });
    other.join();
    EXPECT_EQ(window::Component::getFocusWindow(), child->getWindow());
    EXPECT_EQ(platform::getFocus(), nullptr);
    pump();
    EXPECT_EQ(platform::getFocus(), child->getWindow());
}

TEST_F(ComponentInputTest, ActivatingTheFrameGivesTheFocusBackToTheRecordedChild) {
    child->requestFocus();
    platform::setFocus(frame->getWindow());
    pushWindowEvent(top, SDL_WINDOWEVENT_FOCUS_LOST);
    pushWindowEvent(top, SDL_WINDOWEVENT_FOCUS_GAINED);
    pump();
    pump();
    EXPECT_EQ(platform::getFocus(), child->getWindow());
}

TEST_F(ComponentInputTest, CursorSetFromAnotherThreadIsShownByTheWindowThread) {
    platform::setCursor(platform::loadSystemCursor(platform::cursorId::Arrow));
    std::thread other([this] { child->setCursor(window::Cursor::getWait()); });
    other.join();
    EXPECT_EQ(platform::systemCursorId(platform::getCursor()), platform::cursorId::Arrow);
    pump();
    EXPECT_EQ(platform::systemCursorId(platform::getCursor()), platform::cursorId::Wait);
    // A cursor without a picture hides the pointer while it is over the component.
    child->setCursor(window::Cursor::getOpenHand());
    EXPECT_EQ(platform::getCursor(), nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    child->setCursor(window::Cursor::getHand());
    EXPECT_NE(platform::getCursor(), nullptr);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

}  // namespace
