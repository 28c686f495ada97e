// Frames: size keeping, full-screen switching, life of the window.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/DisplayModes.h"
#include "platform/WindowSystem.h"
#include "window/Component.h"
#include "window/Frame.h"
#include "window/WindowTestSupport.h"

using namespace windowtest;
using platform::Rect;

namespace {

class CountingFrame : public window::Frame {
public:
    void beforeDestroy() override { ++beforeDestroyCalls; }
    void onDestroy() override { ++destroyHookCalls; }
    void onPositionChanged() override { ++positionChanges; }
    int beforeDestroyCalls = 0;
    int destroyHookCalls = 0;
    int positionChanges = 0;
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        startWindowSystem();
        frame = new CountingFrame();
        frame->setWantedSize(500, 375);
    }
    void TearDown() override {
        platform::setDisplayModesForTesting(nullptr);
        if (frame->getWindow()) platform::destroyWindow(frame->getWindow());
        platform::restoreDisplayMode();
        pump();
        frame->release();
    }
    void createShown() {
        ASSERT_TRUE(frame->create(nullptr, util::RectangleNM(0, 0, 500, 375)));
        frame->setVisible(true);
        pump();
    }
    Rect client() const { return platform::getClientRect(frame->getWindow()); }

    CountingFrame* frame = nullptr;
};

TEST_F(FrameTest, CreationMakesACaptionedWindowCentredOnTheWorkArea) {
    createShown();
    EXPECT_EQ(frame->getSize()->width, 500);
    EXPECT_EQ(frame->getSize()->height, 375);
    Rect c = client();
    EXPECT_EQ(c.width(), 500);
    EXPECT_EQ(c.height(), 375);
    uint32_t style = platform::getWindowStyle(frame->getWindow());
    EXPECT_EQ(style & platform::style::Caption, platform::style::Caption);
    EXPECT_EQ(style & platform::style::ThickFrame, 0u);
    Rect work = platform::workArea();
    platform::PointI origin = platform::clientToScreen(frame->getWindow(), {0, 0});
    EXPECT_EQ(origin.x, work.left + (work.width() - 500) / 2);
    EXPECT_EQ(origin.y, work.top + (work.height() - 375) / 2);
    EXPECT_EQ(frame->getBounds()->x, origin.x);
}

TEST_F(FrameTest, AFrameThatIsNotResizableKeepsItsSizeWhenAskedToShrink) {
    createShown();
    Rect outer = platform::getWindowRect(frame->getWindow());
    platform::setWindowPos(frame->getWindow(), nullptr, outer.left, outer.top, 300, 200, platform::swp::NoZOrder);
    EXPECT_EQ(client().width(), 500);
    EXPECT_EQ(client().height(), 375);
    // The same from the user's side: the SDL window is resized, the frame refuses.
    pushWindowEvent(frame->getWindow(), SDL_WINDOWEVENT_RESIZED, 320, 240);
    pump();
    EXPECT_EQ(client().width(), 500);
    EXPECT_EQ(frame->getSize()->width, 500);
    EXPECT_EQ(frame->getSize()->height, 375);
}

TEST_F(FrameTest, ASizeReportLargerThanWantedIsCutToTheWantedSize) {
    createShown();
    platform::sendMessage(frame->getWindow(), platform::msg::Size, platform::SizeRestored,
                          platform::makeLParam(800, 600));
    EXPECT_EQ(frame->getSize()->width, 500);
    EXPECT_EQ(frame->getSize()->height, 375);
    EXPECT_EQ(frame->getBounds()->width, 500);
    // A smaller one is taken as it is.
    platform::sendMessage(frame->getWindow(), platform::msg::Size, platform::SizeRestored,
                          platform::makeLParam(400, 300));
    EXPECT_EQ(frame->getSize()->width, 400);
    EXPECT_EQ(frame->getSize()->height, 300);
}

TEST_F(FrameTest, AResizableFrameGrowsAndKeepsItsMinimum) {
    frame->setResizable(true);
    createShown();
    Rect outer = platform::getWindowRect(frame->getWindow());
    platform::setWindowPos(frame->getWindow(), nullptr, 0, 0, 100, 100,
                           platform::swp::NoMove | platform::swp::NoZOrder);
    EXPECT_EQ(client().width(), 500);
    EXPECT_EQ(client().height(), 375);
    platform::setWindowPos(frame->getWindow(), nullptr, 0, 0, outer.width() + 40, outer.height() + 20,
                           platform::swp::NoMove | platform::swp::NoZOrder);
    EXPECT_EQ(client().width(), 540);
    // The frame's own size never exceeds what the game asked for.
    EXPECT_EQ(frame->getSize()->width, 500);
}

TEST_F(FrameTest, PressingNearTheBottomRightCornerOfAResizableFrameDragsItsSize) {
    frame->setResizable(true);
    createShown();
    auto* inside = new window::Component();
    ASSERT_TRUE(inside->create(frame, util::RectangleNM(0, 0, 500, 375)));
    inside->setVisible(true);
    platform::setFocus(inside->getWindow());
    pushMouseMotion(frame->getWindow(), 490, 365);
    pushMouseButton(frame->getWindow(), SDL_BUTTON_LEFT, true, 490, 365);
    pushMouseMotion(frame->getWindow(), 530, 395);
    pushMouseButton(frame->getWindow(), SDL_BUTTON_LEFT, false, 530, 395);
    pump();
    EXPECT_EQ(client().width(), 540);
    EXPECT_EQ(client().height(), 405);
    EXPECT_EQ(inside->getButtonsDown(), 0);
    inside->release();
}

TEST_F(FrameTest, FullScreenWithoutAModeOfTheWantedSizeShowsTheFailureAndStaysWindowed) {
    createShown();
    std::vector<platform::DisplayMode> modes = {{640, 480, 32}, {500, 375, 8}, {800, 600, 16}};
    platform::setDisplayModesForTesting(&modes);
    ::testing::internal::CaptureStderr();
    frame->setFullScreen(true, false);
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("Quillory Error"), std::string::npos) << err;
    EXPECT_NE(err.find("Unable to switch to Fullscreen mode."), std::string::npos) << err;
    EXPECT_FALSE(frame->isFullScreen());
    EXPECT_FALSE(platform::isDisplayModeChanged());
    EXPECT_FALSE(platform::isTopmost(frame->getWindow()));
}

TEST_F(FrameTest, FullScreenPutsTheClientAtTheScreenOriginAndBackAgain) {
    createShown();
    std::vector<platform::DisplayMode> modes = {{500, 375, 24}, {500, 375, 16}, {640, 480, 32}};
    platform::setDisplayModesForTesting(&modes);
    frame->setFullScreen(true, false);
    ASSERT_TRUE(frame->isFullScreen());
    EXPECT_TRUE(platform::isDisplayModeChanged());
    EXPECT_EQ(platform::screenWidth(), 500);
    platform::PointI origin = platform::clientToScreen(frame->getWindow(), {0, 0});
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    EXPECT_TRUE(platform::isTopmost(frame->getWindow()));
    frame->setFullScreen(false, false);
    EXPECT_FALSE(frame->isFullScreen());
    EXPECT_FALSE(platform::isDisplayModeChanged());
    EXPECT_FALSE(platform::isTopmost(frame->getWindow()));
    Rect work = platform::workArea();
    origin = platform::clientToScreen(frame->getWindow(), {0, 0});
    EXPECT_EQ(origin.x, work.left + (work.width() - 500) / 2);
    EXPECT_EQ(client().width(), 500);
}

TEST_F(FrameTest, MaximisingAFixedFrameGoesFullScreen) {
    createShown();
    std::vector<platform::DisplayMode> modes = {{500, 375, 32}};
    platform::setDisplayModesForTesting(&modes);
    pushWindowEvent(frame->getWindow(), SDL_WINDOWEVENT_MAXIMIZED);
    pump();
    EXPECT_TRUE(frame->isFullScreen());
    frame->setFullScreen(false, true);
}

TEST_F(FrameTest, DestroyLaterRunsBeforeDestroyThenTheDestroyHookAndFreesTheWindowsReference) {
    createShown();
    EXPECT_EQ(frame->refCount(), 2);  // ours and the window's
    platform::WindowHandle window = frame->getWindow();
    frame->destroyLater();
    EXPECT_TRUE(platform::isWindow(window));
    pump();
    EXPECT_FALSE(platform::isWindow(window));
    EXPECT_EQ(frame->beforeDestroyCalls, 1);
    EXPECT_EQ(frame->destroyHookCalls, 1);
    EXPECT_EQ(frame->getWindow(), nullptr);
    EXPECT_EQ(frame->refCount(), 1);
    // Messages for a frame whose window is gone change nothing.
    frame->handleMessage(platform::msg::Size, 0, platform::makeLParam(10, 10));
    EXPECT_EQ(frame->getSize()->width, 500);
}

TEST_F(FrameTest, ClosingTheWindowDestroysIt) {
    createShown();
    platform::WindowHandle window = frame->getWindow();
    pushWindowEvent(window, SDL_WINDOWEVENT_CLOSE);
    pump();
    EXPECT_FALSE(platform::isWindow(window));
    EXPECT_EQ(frame->destroyHookCalls, 1);
}

TEST_F(FrameTest, MovingReportsThePositionAndCallsThePositionHook) {
    createShown();
    int before = frame->positionChanges;
    frame->setLocation(40, 50);
    Rect outer = platform::getWindowRect(frame->getWindow());
    EXPECT_EQ(outer.left, 40);
    EXPECT_EQ(outer.top, 50);
    platform::PointI origin = platform::clientToScreen(frame->getWindow(), {0, 0});
    EXPECT_EQ(frame->getBounds()->x, origin.x);
    EXPECT_EQ(frame->getBounds()->y, origin.y);
    EXPECT_GT(frame->positionChanges, before);
}

TEST_F(FrameTest, TracesAppearOnlyWhenAskedFor) {
    createShown();
    unsetenv("MENTARIUM_TRACE");
    ::testing::internal::CaptureStderr();
    frame->setLocation(10, 10);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    setenv("MENTARIUM_TRACE", "1", 1);
    ::testing::internal::CaptureStderr();
    frame->setLocation(20, 20);
    std::string traced = ::testing::internal::GetCapturedStderr();
    unsetenv("MENTARIUM_TRACE");
    EXPECT_NE(traced.find("WM_WINDOWPOSCHANGING flags: "), std::string::npos) << traced;
    EXPECT_NE(traced.find("WM_MOVE: ("), std::string::npos) << traced;
}

TEST(ComponentTest, AComponentWithoutAParentWindowHasNoWindowButKeepsItsSize) {
    startWindowSystem();
    auto* parent = new window::Component();
    window::Color colour(0x123456);
    parent->setBackground(&colour);
    auto* child = new window::Component();
    EXPECT_FALSE(child->create(parent, util::RectangleNM(0, 0, 500, 375)));
    EXPECT_EQ(child->getWindow(), nullptr);
    EXPECT_EQ(child->getParent(), parent);
    EXPECT_EQ(child->getSize()->width, 500);
    EXPECT_EQ(child->getBackground()->value, 0xFF123456u);
    EXPECT_TRUE(child->contains(499, 374));
    EXPECT_FALSE(child->contains(500, 0));
    EXPECT_EQ(child->refCount(), 1);
    child->release();
    parent->release();
}

}  // namespace
