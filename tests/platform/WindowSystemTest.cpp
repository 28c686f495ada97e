// The window system on SDL's dummy video driver: messages, painting, pixels,
// destruction, hit testing, full-screen scaling.

#include <gtest/gtest.h>

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/DisplayModes.h"
#include "platform/MessageBox.h"
#include "platform/TestWindows.h"
#include "platform/WindowState.h"
#include "platform/WindowSystem.h"

using namespace platform;

namespace {

struct Heard {
    WindowHandle window;
    unsigned message;
    WParam wParam;
    LParam lParam;
};

std::vector<Heard> heard;
std::thread::id procThread;

LResult recordingProc(WindowHandle window, unsigned message, WParam wParam, LParam lParam) {
    heard.push_back({window, message, wParam, lParam});
    procThread = std::this_thread::get_id();
    if (message == msg::User + 7) return static_cast<LResult>(wParam * 2);
    return defWindowProc(window, message, wParam, lParam);
}

int count(unsigned message, WindowHandle window = nullptr) {
    int n = 0;
    for (const Heard& h : heard)
        if (h.message == message && (!window || h.window == window)) ++n;
    return n;
}

class WindowSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(initWindowSystem());
        registerClass("TestClass", &recordingProc);
        top = make(nullptr, 100, 80, 200, 150, style::Popup);
        showWindow(top, show::Show);
        pumpMessages(0);
        heard.clear();
    }
    void TearDown() override {
        if (isWindow(top)) destroyWindow(top);
        pumpMessages(0);
    }
    WindowHandle make(WindowHandle parent, int x, int y, int w, int h, uint32_t windowStyle) {
        return testsupport::makeTestWindow("TestClass", parent, x, y, w, h, windowStyle);
    }
    void pushMotion(int x, int y) {
        SDL_Event e;
        SDL_zero(e);
        e.type = SDL_MOUSEMOTION;
        e.motion.windowID = sdlWindowIdOf(top);
        e.motion.x = x;
        e.motion.y = y;
        SDL_PushEvent(&e);
    }
    WindowHandle top = nullptr;
};

TEST_F(WindowSystemTest, CreationReportsCreateSizeAndMoveAndRefusesOrphans) {
    heard.clear();
    WindowHandle child = make(top, 10, 20, 30, 40, style::Child);
    ASSERT_NE(child, nullptr);
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard[0].message, msg::Create);
    EXPECT_EQ(count(msg::Size, child), 1);
    EXPECT_EQ(heard[1].lParam, makeLParam(30, 40));
    EXPECT_EQ(heard[2].lParam, makeLParam(10, 20));
    EXPECT_EQ(getParent(child), top);
    EXPECT_TRUE(isChild(top, child));
    EXPECT_EQ(make(nullptr, 0, 0, 10, 10, style::Child), nullptr);
    WindowCreate unknown;
    unknown.className = "NoSuchClass";
    EXPECT_EQ(createWindow(unknown), nullptr);
}

TEST_F(WindowSystemTest, APostFromAnotherThreadWakesTheWaitingPump) {
    std::thread poster([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        postMessage(top, msg::User + 1, 5, 6);
    });
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10 && count(msg::User + 1) == 0; ++i) pumpMessages(3000);
    auto waited = std::chrono::steady_clock::now() - start;
    poster.join();
    EXPECT_EQ(count(msg::User + 1), 1);
    EXPECT_EQ(procThread, std::this_thread::get_id());
    EXPECT_LT(waited, std::chrono::milliseconds(2500));
}

TEST_F(WindowSystemTest, ASendFromAnotherThreadRunsOnTheWindowThreadAndAnswers) {
    std::atomic<LResult> answer{0};  // written by the sender, watched by this (the window) thread
    std::thread sender([&] { answer = sendMessage(top, msg::User + 7, 21, 0); });
    for (int i = 0; i < 200 && answer == 0; ++i) pumpMessages(10);
    sender.join();
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(procThread, std::this_thread::get_id());
}

TEST_F(WindowSystemTest, AnInvalidAreaIsPaintedOnceWithEraseFirst) {
    Rect area{5, 5, 50, 40};
    invalidateRect(top, &area, true);
    pumpMessages(0);
    pumpMessages(0);
    ASSERT_EQ(count(msg::Paint), 1);
    ASSERT_EQ(count(msg::EraseBackground), 1);
    int erase = -1, paint = -1;
    for (size_t i = 0; i < heard.size(); ++i) {
        if (heard[i].message == msg::EraseBackground) erase = static_cast<int>(i);
        if (heard[i].message == msg::Paint) paint = static_cast<int>(i);
    }
    EXPECT_LT(paint, erase);  // the erase comes from inside the paint's beginPaint
    heard.clear();
    Rect outside{500, 500, 600, 600};
    invalidateRect(top, &outside, false);
    pumpMessages(0);
    EXPECT_EQ(count(msg::Paint), 0);
}

TEST_F(WindowSystemTest, BeginPaintHandsOverTheInvalidRegion) {
    Rect a{0, 0, 10, 10}, b{20, 20, 30, 30};
    invalidateRect(top, &a, false);
    invalidateRect(top, &b, false);
    PaintInfo paint = beginPaint(top);
    EXPECT_EQ(paint.region.area(), 200);
    EXPECT_EQ(paint.bounds, (Rect{0, 0, 30, 30}));
    EXPECT_TRUE(beginPaint(top).region.isEmpty());
}

TEST_F(WindowSystemTest, PresentedPixelsLandAtTheChildsPlaceAndOnlyInTheRegion) {
    WindowHandle child = make(top, 40, 30, 20, 10, style::Child | style::Visible);
    std::vector<uint32_t> frame(20 * 10, 0xFF00FF00u);
    RectRegion region(Rect{0, 0, 5, 10});
    presentFrame(child, frame.data(), 20, 10, 20 * 4, region);
    int w = 0, h = 0;
    std::vector<uint32_t> shown = readWindowPixels(top, &w, &h);
    ASSERT_EQ(w, 200);
    ASSERT_EQ(h, 150);
    EXPECT_EQ(shown[30 * 200 + 40], 0xFF00FF00u);
    EXPECT_EQ(shown[39 * 200 + 44], 0xFF00FF00u);
    EXPECT_EQ(shown[30 * 200 + 45], 0xFF000000u);
    EXPECT_EQ(shown[29 * 200 + 40], 0xFF000000u);
    std::vector<uint32_t> own = readWindowPixels(child, &w, &h);
    ASSERT_EQ(w, 20);
    EXPECT_EQ(own[0], 0xFF00FF00u);
    EXPECT_EQ(own[5], 0xFF000000u);
    // A region larger than the window is cut to it.
    RectRegion huge(Rect{-100, -100, 1000, 1000});
    presentFrame(child, frame.data(), 20, 10, 20 * 4, huge);
    shown = readWindowPixels(top, &w, &h);
    EXPECT_EQ(shown[30 * 200 + 60], 0xFF000000u);
    EXPECT_EQ(shown[40 * 200 + 40], 0xFF000000u);
    pumpMessages(0);
}

TEST_F(WindowSystemTest, DestroyingTellsParentsFirstAndFreesChildrenFirst) {
    WindowHandle child = make(top, 0, 0, 10, 10, style::Child);
    WindowHandle grandchild = make(child, 0, 0, 5, 5, style::Child);
    heard.clear();
    postMessage(grandchild, msg::User + 2, 0, 0);
    ASSERT_TRUE(destroyWindow(child));
    std::vector<std::pair<WindowHandle, unsigned>> order;
    for (const Heard& h : heard)
        if (h.message == msg::Destroy || h.message == msg::NcDestroy) order.emplace_back(h.window, h.message);
    std::vector<std::pair<WindowHandle, unsigned>> expected = {
        {child, msg::Destroy}, {grandchild, msg::Destroy}, {grandchild, msg::NcDestroy}, {child, msg::NcDestroy}};
    EXPECT_EQ(order, expected);
    EXPECT_FALSE(isWindow(child));
    EXPECT_FALSE(isWindow(grandchild));
    EXPECT_FALSE(isChild(top, child));
    pumpMessages(0);
    EXPECT_EQ(count(msg::User + 2), 0);
    EXPECT_FALSE(postMessage(child, msg::User + 2, 0, 0));
}

TEST_F(WindowSystemTest, TheMouseGoesToTheDeepestVisibleChildUnderIt) {
    WindowHandle left = make(top, 0, 0, 100, 150, style::Child | style::Visible);
    WindowHandle inner = make(left, 10, 10, 20, 20, style::Child | style::Visible);
    WindowHandle hidden = make(top, 100, 0, 100, 150, style::Child);
    heard.clear();
    pushMotion(15, 15);
    pushMotion(150, 10);
    pumpMessages(0);
    std::vector<Heard> moves;
    for (const Heard& h : heard)
        if (h.message == msg::MouseMove) moves.push_back(h);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].window, inner);
    EXPECT_EQ(moves[0].lParam, makeLParam(5, 5));
    EXPECT_EQ(moves[1].window, top);
    EXPECT_EQ(moves[1].lParam, makeLParam(150, 10));
    EXPECT_EQ(count(msg::SetCursor, inner), 1);
    (void)hidden;
}

TEST_F(WindowSystemTest, TextBecomesCharacterMessagesInTheCodePageForTheFocus) {
    WindowHandle child = make(top, 0, 0, 10, 10, style::Child | style::Visible);
    setFocus(child);
    heard.clear();
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_TEXTINPUT;
    e.text.windowID = sdlWindowIdOf(top);
    std::strcpy(e.text.text, "x\xC3\xA9");  // x and e-acute in UTF-8
    SDL_PushEvent(&e);
    pumpMessages(0);
    std::vector<WParam> chars;
    for (const Heard& h : heard)
        if (h.message == msg::Char && h.window == child) chars.push_back(h.wParam);
    EXPECT_EQ(chars, (std::vector<WParam>{'x', 0xE9}));
}

TEST_F(WindowSystemTest, FocusMovesWithKillAndSetMessages) {
    WindowHandle a = make(top, 0, 0, 10, 10, style::Child);
    WindowHandle b = make(top, 0, 0, 10, 10, style::Child);
    setFocus(a);
    heard.clear();
    EXPECT_EQ(setFocus(b), a);
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].message, msg::KillFocus);
    EXPECT_EQ(heard[0].window, a);
    EXPECT_EQ(heard[1].message, msg::SetFocus);
    EXPECT_EQ(heard[1].window, b);
    destroyWindow(b);
    EXPECT_EQ(getFocus(), nullptr);
    // Another thread cannot take the focus.
    std::thread other([a] { setFocus(a); });
    other.join();
    EXPECT_EQ(getFocus(), nullptr);
}

TEST_F(WindowSystemTest, FullScreenScalesTheScreenAndMapsThePointerBack) {
    std::vector<DisplayMode> modes = {{200, 150, 32}};
    setDisplayModesForTesting(&modes);
    ASSERT_TRUE(changeDisplayMode(modes[0]));
    setWindowPos(top, nullptr, 0, 0, 200, 150, swp::NoZOrder);
    int outW = 0, outH = 0;
    {
        auto& s = windowState();
        std::lock_guard<std::recursive_mutex> hold(s.mutex);
        WindowRecord* r = findWindow(top);
        ASSERT_TRUE(r->shownFullScreen);
        SDL_GetWindowSize(r->sdl, &outW, &outH);
    }
    ASSERT_GT(outW, 0);
    heard.clear();
    pushMotion(outW / 2, outH / 2);
    pumpMessages(0);
    restoreDisplayMode();
    setDisplayModesForTesting(nullptr);
    ASSERT_EQ(count(msg::MouseMove), 1);
    LParam at = heard.back().lParam;
    for (const Heard& h : heard)
        if (h.message == msg::MouseMove) at = h.lParam;
    EXPECT_NEAR(signedLo(at), 100, 1);
    EXPECT_NEAR(signedHi(at), 75, 1);
}

TEST(MessageBoxTest, WithoutADisplayTheMessageGoesToStandardError) {
    ASSERT_TRUE(initWindowSystem());
    ASSERT_TRUE(isHeadless());
    ::testing::internal::CaptureStderr();
    messageBox("Caption", "Some text");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Caption: Some text\n");
}

}  // namespace
